#pragma once
// Time in a MIDI file: converts ticks to microseconds and back through the set-tempo events of
// all tracks, and lists every event of every track on one time line.
//
// Without a tempo event a file plays at 120 quarter notes per minute. A file with an SMPTE
// division counts ticks per second directly and ignores tempo events.

#include "sound/midievent.h"

#include <cstdint>
#include <vector>

namespace sarvo::sound {

inline constexpr uint32_t kDefaultMicrosecondsPerQuarter = 500000;

struct TempoChange {
    uint32_t tick = 0;
    uint32_t microsecondsPerQuarter = kDefaultMicrosecondsPerQuarter;
    double microseconds = 0; // time of the change from the start of the file
};

class TempoMap {
public:
    TempoMap() = default;
    explicit TempoMap(const SmfFile& file);
    // A map of the given tempo changes, sorted by tick; the first applies from tick 0 on when
    // none is at tick 0.
    TempoMap(Division division, std::vector<TempoChange> changes);

    double microsecondsAt(uint32_t tick) const;
    // The (fractional) tick reached after the given time.
    double ticksAt(double microseconds) const;
    uint32_t microsecondsPerQuarterAt(uint32_t tick) const;
    // The changes in tick order, beginning with one at tick 0.
    const std::vector<TempoChange>& changes() const { return m_changes; }

private:
    double microsecondsPerTick(const TempoChange& change) const;
    const TempoChange& changeAt(uint32_t tick) const;

    Division m_division;
    std::vector<TempoChange> m_changes{TempoChange{}};
};

// Quarter notes per minute of a set-tempo value.
double beatsPerMinute(uint32_t microsecondsPerQuarter);

// One event of a file on the common time line.
struct TimedEvent {
    uint32_t tick = 0;
    double microseconds = 0;
    int track = 0;                    // index into SmfFile::tracks
    const MidiEvent* event = nullptr; // points into the file, which must outlive the list
};

// All events of all tracks in time order; events at the same tick keep the order of their track
// and, between tracks, the track order.
std::vector<TimedEvent> timeline(const SmfFile& file, const TempoMap& tempoMap);

} // namespace sarvo::sound
