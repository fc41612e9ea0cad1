#pragma once
// Drives a timed task from a worker thread in real time: the thread sleeps until the task's next
// due time on the steady clock, ticks it, and sleeps again. Code on other threads that touches
// the task holds lock() while it does, and calls wake() after changing its schedule (starting
// playback, say). Stopping (or destroying the driver) ends the thread cleanly.
//
// Notes have to start on time even while the machine is busy, so the thread asks for real-time
// scheduling as audio threads do; where the system refuses, it runs at normal priority. It
// sleeps between notes, so it never holds the processor for long.

#include "sound/timedtask.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace sarvo::sound {

class TimedTaskThread {
public:
    explicit TimedTaskThread(ITimedTask& task);
    ~TimedTaskThread();
    TimedTaskThread(const TimedTaskThread&) = delete;
    TimedTaskThread& operator=(const TimedTaskThread&) = delete;

    std::unique_lock<std::mutex> lock() { return std::unique_lock(m_mutex); }
    // The task's schedule changed: tick it now and wait for its new due time.
    void wake();
    void stop();

private:
    void run();

    ITimedTask& m_task;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_woken = false;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace sarvo::sound
