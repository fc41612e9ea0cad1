#include "sound/ui/tasktimer.h"

#include <algorithm>
#include <chrono>

namespace sarvo::sound {

TaskTimer::TaskTimer(ITimedTask& task, const IClock& clock, QObject* parent)
    : QObject(parent)
    , m_task(task)
    , m_clock(clock) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TaskTimer::tick);
}

void TaskTimer::run() {
    tick();
}

void TaskTimer::tick() {
    const auto due = m_task.tick(m_clock.now());
    if (!due)
        return;
    const auto wait =
        std::chrono::duration_cast<std::chrono::milliseconds>(*due - m_clock.now()).count();
    m_timer.start(static_cast<int>(std::max<long long>(wait, 0)));
}

} // namespace sarvo::sound
