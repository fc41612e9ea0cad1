#pragma once
// Ticks a timed task of the sound output (a test scale, a MIDI file player) from a Qt
// single-shot timer, at the moments the task asks for, until it asks for none or is stopped.

#include "sound/clock.h"
#include "sound/timedtask.h"

#include <QTimer>

namespace sarvo::sound {

class TaskTimer : public QObject {
    Q_OBJECT

public:
    // The task and the clock must outlive the timer.
    TaskTimer(ITimedTask& task, const IClock& clock, QObject* parent = nullptr);

    // Ticks the task now and then whenever it asks.
    void run();
    void stop() { m_timer.stop(); }

private:
    void tick();

    ITimedTask& m_task;
    const IClock& m_clock;
    QTimer m_timer;
};

} // namespace sarvo::sound
