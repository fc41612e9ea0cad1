#include "sound/timedtaskthread.h"

#include <pthread.h>
#include <sched.h>

namespace sarvo::sound {
namespace {

// Low among the real-time priorities: above every normal thread, below the audio servers.
constexpr int kRealtimePriority = 10;

void preferRealtimeScheduling(std::thread& thread) {
    sched_param param{};
    param.sched_priority = kRealtimePriority;
    pthread_setschedparam(thread.native_handle(), SCHED_FIFO, &param); // refusal is fine
}

} // namespace

TimedTaskThread::TimedTaskThread(ITimedTask& task)
    : m_task(task)
    , m_thread([this] { run(); }) {
    preferRealtimeScheduling(m_thread);
}

TimedTaskThread::~TimedTaskThread() {
    stop();
}

void TimedTaskThread::wake() {
    {
        std::lock_guard guard(m_mutex);
        m_woken = true;
    }
    m_changed.notify_one();
}

void TimedTaskThread::stop() {
    {
        std::lock_guard guard(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_one();
    if (m_thread.joinable())
        m_thread.join();
}

void TimedTaskThread::run() {
    std::unique_lock guard(m_mutex);
    while (!m_stopping) {
        m_woken = false;
        const std::optional<TimePoint> due = m_task.tick(SteadyClock::now());
        const auto woken = [this] {
            return m_woken || m_stopping;
        };
        if (due)
            m_changed.wait_until(guard, *due, woken);
        else
            m_changed.wait(guard, woken);
    }
}

} // namespace sarvo::sound
