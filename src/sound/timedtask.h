#pragma once
// Something that acts at moments on the clock: the melody player, the note preview's note-offs,
// the test scale and the MIDI file player. Whoever drives it (a GUI timer, a worker thread, an
// offline renderer moving a manual clock) calls tick with the current time and calls again at
// the time tick returns.

#include "sound/clock.h"

#include <optional>

namespace sarvo::sound {

class ITimedTask {
public:
    virtual ~ITimedTask() = default;
    // Does everything due at or before now; returns when the next thing is due, or nullopt
    // when nothing is scheduled.
    virtual std::optional<TimePoint> tick(TimePoint now) = 0;
};

} // namespace sarvo::sound
