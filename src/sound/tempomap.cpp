#include "sound/tempomap.h"

#include <algorithm>
#include <iterator>

namespace sarvo::sound {
namespace {

uint32_t tempoValue(const MidiEvent& event) {
    const std::string& p = event.metaData;
    return (static_cast<uint32_t>(static_cast<uint8_t>(p[0])) << 16) |
           (static_cast<uint32_t>(static_cast<uint8_t>(p[1])) << 8) | static_cast<uint8_t>(p[2]);
}

std::vector<TempoChange> tempoEvents(const SmfFile& file) {
    std::vector<TempoChange> changes;
    for (const SmfTrack& track : file.tracks)
        for (const MidiEvent& event : track.events)
            if (event.isMeta(kMetaTempo) && event.metaData.size() >= 3 && tempoValue(event) > 0)
                changes.push_back({event.tick, tempoValue(event), 0});
    return changes;
}

} // namespace

double beatsPerMinute(uint32_t microsecondsPerQuarter) {
    return 60e6 / microsecondsPerQuarter;
}

TempoMap::TempoMap(const SmfFile& file)
    : TempoMap(file.division, tempoEvents(file)) {}

TempoMap::TempoMap(Division division, std::vector<TempoChange> changes)
    : m_division(division) {
    std::stable_sort(changes.begin(), changes.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
    if (changes.empty() || changes.front().tick != 0)
        changes.insert(changes.begin(), TempoChange{});
    // Of several changes at one tick the last one counts.
    m_changes.clear();
    for (const TempoChange& change : changes) {
        if (!m_changes.empty() && m_changes.back().tick == change.tick)
            m_changes.back() = change;
        else
            m_changes.push_back(change);
    }
    for (size_t i = 1; i < m_changes.size(); ++i) {
        const TempoChange& before = m_changes[i - 1];
        m_changes[i].microseconds =
            before.microseconds + (m_changes[i].tick - before.tick) * microsecondsPerTick(before);
    }
}

double TempoMap::microsecondsPerTick(const TempoChange& change) const {
    if (m_division.isSmpte())
        return 1e6 / (m_division.framesPerSecond() * m_division.ticksPerFrame());
    return static_cast<double>(change.microsecondsPerQuarter) / m_division.ticksPerQuarter();
}

const TempoChange& TempoMap::changeAt(uint32_t tick) const {
    auto after = std::upper_bound(m_changes.begin(), m_changes.end(), tick,
                                  [](uint32_t t, const TempoChange& c) { return t < c.tick; });
    return *std::prev(after);
}

double TempoMap::microsecondsAt(uint32_t tick) const {
    const TempoChange& change = changeAt(tick);
    return change.microseconds + (tick - change.tick) * microsecondsPerTick(change);
}

double TempoMap::ticksAt(double microseconds) const {
    auto after =
        std::upper_bound(m_changes.begin(), m_changes.end(), microseconds,
                         [](double us, const TempoChange& c) { return us < c.microseconds; });
    const TempoChange& change = after == m_changes.begin() ? m_changes.front() : *std::prev(after);
    return change.tick + (microseconds - change.microseconds) / microsecondsPerTick(change);
}

uint32_t TempoMap::microsecondsPerQuarterAt(uint32_t tick) const {
    return changeAt(tick).microsecondsPerQuarter;
}

std::vector<TimedEvent> timeline(const SmfFile& file, const TempoMap& tempoMap) {
    std::vector<TimedEvent> events;
    size_t count = 0;
    for (const SmfTrack& track : file.tracks)
        count += track.events.size();
    events.reserve(count);
    for (size_t t = 0; t < file.tracks.size(); ++t)
        for (const MidiEvent& event : file.tracks[t].events)
            events.push_back({event.tick, 0, static_cast<int>(t), &event});
    std::stable_sort(events.begin(), events.end(),
                     [](const TimedEvent& a, const TimedEvent& b) { return a.tick < b.tick; });
    for (TimedEvent& event : events)
        event.microseconds = tempoMap.microsecondsAt(event.tick);
    return events;
}

} // namespace sarvo::sound
