#pragma once
// Drives a timed task of the sound output (melody playback, note preview, the test scale, the
// MIDI file player) from the GUI thread: a single-shot timer calls the
// task's tick at the moment the task asked for, until the task has nothing scheduled or the
// driver is stopped.

#include "sound/clock.h"
#include "sound/timedtask.h"

#include <QObject>

class QTimer;

namespace sarvo::sound {

class TimedTaskDriver : public QObject {
    Q_OBJECT

public:
    // The task and the clock must outlive the driver.
    TimedTaskDriver(ITimedTask& task, const IClock& clock, QObject* parent = nullptr);

    // Ticks the task now and keeps ticking it when it asks.
    void run();
    // Waits until the given moment before the next tick (the task's own answer to a call made
    // outside the driver).
    void scheduleAt(TimePoint due);
    void stop();
    bool isActive() const;

private:
    void tick();

    ITimedTask& m_task;
    const IClock& m_clock;
    QTimer* m_timer = nullptr;
};

} // namespace sarvo::sound
