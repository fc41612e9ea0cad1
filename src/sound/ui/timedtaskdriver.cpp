#include "sound/ui/timedtaskdriver.h"

#include <QTimer>

#include <algorithm>
#include <chrono>

namespace sarvo::sound {

TimedTaskDriver::TimedTaskDriver(ITimedTask& task, const IClock& clock, QObject* parent)
    : QObject(parent)
    , m_task(task)
    , m_clock(clock)
    , m_timer(new QTimer(this)) {
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &TimedTaskDriver::tick);
}

void TimedTaskDriver::run() {
    tick();
}

void TimedTaskDriver::scheduleAt(TimePoint due) {
    const auto wait =
        std::chrono::duration_cast<std::chrono::milliseconds>(due - m_clock.now()).count();
    m_timer->start(static_cast<int>(std::max<long long>(wait, 0)));
}

void TimedTaskDriver::stop() {
    m_timer->stop();
}

bool TimedTaskDriver::isActive() const {
    return m_timer->isActive();
}

void TimedTaskDriver::tick() {
    if (const auto due = m_task.tick(m_clock.now()))
        scheduleAt(*due);
}

} // namespace sarvo::sound
