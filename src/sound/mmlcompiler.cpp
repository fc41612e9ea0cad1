#include "sound/mmlcompiler.h"

#include "common/textcodec.h"
#include "sound/tempomap.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>

namespace sarvo::sound {
namespace {

// Part time is counted in units that hold every length exactly: 1/n of a whole note for every
// n from 1 to 24, and half of that for the dot. lcm(1..24) = 5354228880.
constexpr int64_t kUnitsPerWhole = 2 * 5354228880LL;
// Longer parts could not be held in the ticks of a MIDI file.
constexpr int64_t kMaxWholeNotes = 1000000;

constexpr int kSemitones[7] = {9, 11, 0, 2, 4, 5, 7}; // a b c d e f g

struct TimedMessage {
    int64_t units = 0;
    MidiEvent event; // its tick is set when the part's time is converted
};

struct TempoMark {
    int64_t units = 0;
    uint32_t microsecondsPerQuarter = kDefaultMicrosecondsPerQuarter;
};

struct Part {
    char letter = 'A';
    int channel = 0; // MIDI channel
    int octave = 5;
    int velocity = 100;
    int64_t position = 0;
    std::vector<TimedMessage> messages;
    std::vector<TempoMark> tempos{TempoMark{}};
};

struct Failure {
    MmlError error;
};

// Reads one line; every error throws a Failure that compileMml turns into its result.
class LineCompiler {
public:
    LineCompiler(std::u16string_view line, int lineNumber)
        : m_line(line)
        , m_number(lineNumber) {}

    void compile(std::vector<Part>& parts) {
        skipBlanks();
        if (atEnd())
            return;
        const char16_t letter = m_line[m_pos];
        if (letter < u'A' || letter > u'Z')
            fail("a line must begin with a part letter A to Z");
        ++m_pos;
        auto found = std::find_if(parts.begin(), parts.end(),
                                  [&](const Part& p) { return p.letter == letter; });
        if (found == parts.end()) {
            Part part;
            part.letter = static_cast<char>(letter);
            part.channel = midiChannelOf(static_cast<int>(parts.size()) + 1);
            part.messages.push_back({0, MidiEvent::meta(0, kMetaTrackName, {part.letter})});
            parts.push_back(std::move(part));
            found = std::prev(parts.end());
        }
        Part& part = *found;
        for (skipBlanks(); !atEnd(); skipBlanks())
            command(part);
    }

private:
    [[noreturn]] void fail(const std::string& message, size_t at) const {
        throw Failure{{m_number, static_cast<int>(at) + 1, message}};
    }
    [[noreturn]] void fail(const std::string& message) const { fail(message, m_pos); }

    bool atEnd() const { return m_pos >= m_line.size(); }
    char16_t peek() const { return atEnd() ? u'\0' : m_line[m_pos]; }
    void skipBlanks() {
        while (!atEnd() && (peek() == u' ' || peek() == u'\t' || peek() == u'\r'))
            ++m_pos;
    }

    // A decimal number in [low, high] after a command letter.
    int number(const std::string& what, int low, int high) {
        skipBlanks();
        const size_t start = m_pos;
        int64_t value = 0;
        while (!atEnd() && peek() >= u'0' && peek() <= u'9') {
            value = std::min<int64_t>(value * 10 + (peek() - u'0'), INT32_MAX);
            ++m_pos;
        }
        if (m_pos == start)
            fail(what + " needs a number");
        if (value < low || value > high)
            fail(what + " " + std::to_string(value) + " out of range " + std::to_string(low) + "-" +
                     std::to_string(high),
                 start);
        return static_cast<int>(value);
    }

    // A length number with its dot and any "&"-tied lengths, in units.
    int64_t duration() {
        int64_t total = 0;
        for (bool tied = false;; tied = true) {
            const bool given = peek() >= u'0' && peek() <= u'9';
            if (tied && !given)
                fail("'&' needs a length number");
            const int n = given ? number("length", 1, 24) : 4;
            int64_t units = kUnitsPerWhole / n;
            if (peek() == u'.') {
                ++m_pos;
                units += units / 2;
            }
            total += units;
            if (peek() != u'&')
                return total;
            ++m_pos;
        }
    }

    void advance(Part& part, int64_t units, size_t at) {
        part.position += units;
        if (part.position > kMaxWholeNotes * kUnitsPerWhole)
            fail("the part is longer than " + std::to_string(kMaxWholeNotes) + " whole notes", at);
    }

    void command(Part& part) {
        const size_t at = m_pos;
        const char16_t c = m_line[m_pos++];
        switch (c) {
        case u'C': part.channel = midiChannelOf(number("channel", 1, kMaxChannel)); return;
        case u'@':
            part.messages.push_back(
                {part.position,
                 MidiEvent::channelMessage(0, kProgramChange, static_cast<uint8_t>(part.channel),
                                           static_cast<uint8_t>(number("program", 1, 128) - 1))});
            return;
        case u't': {
            const int bpm = number("tempo", 4, 999);
            const auto us = static_cast<uint32_t>(std::lround(60e6 / bpm));
            if (part.tempos.back().units == part.position)
                part.tempos.back().microsecondsPerQuarter = us;
            else
                part.tempos.push_back({part.position, us});
            return;
        }
        case u'v': part.velocity = number("velocity", 1, 127); return;
        case u'o': part.octave = number("octave", 0, 9); return;
        case u'<':
            if (--part.octave < 0)
                fail("octave below 0", at);
            return;
        case u'>':
            if (++part.octave > 9)
                fail("octave above 9", at);
            return;
        case u'r': advance(part, duration(), at); return;
        default: break;
        }
        if (c < u'a' || c > u'g')
            fail("unknown letter '" + toUtf8(std::u16string_view(&c, 1)) + "'", at);
        int key = 12 * (part.octave + 1) + kSemitones[c - u'a'];
        if (peek() == u'+') {
            ++m_pos;
            ++key;
        }
        if (key > 127)
            fail("note above MIDI note 127", at);
        const int64_t start = part.position;
        advance(part, duration(), at);
        const auto channel = static_cast<uint8_t>(part.channel);
        part.messages.push_back(
            {start, MidiEvent::channelMessage(0, kNoteOn, channel, static_cast<uint8_t>(key),
                                              static_cast<uint8_t>(part.velocity))});
        part.messages.push_back(
            {part.position,
             MidiEvent::channelMessage(0, kNoteOff, channel, static_cast<uint8_t>(key), 0x40)});
    }

    static constexpr int kMaxChannel = 26;
    std::u16string_view m_line;
    int m_number;
    size_t m_pos = 0;
};

uint32_t ticksOfUnits(int64_t units) {
    return static_cast<uint32_t>(
        std::llround(static_cast<long double>(units) * 4 * kMmlTicksPerQuarter / kUnitsPerWhole));
}

// Microseconds from the start of the part at the given units, by the part's own tempi.
class PartClock {
public:
    explicit PartClock(const std::vector<TempoMark>& tempos)
        : m_tempos(tempos) {
        m_start.push_back(0);
        for (size_t i = 1; i < tempos.size(); ++i)
            m_start.push_back(m_start.back() + span(tempos[i - 1], tempos[i].units));
    }
    long double microsecondsAt(int64_t units) const {
        size_t i = m_tempos.size() - 1;
        while (i > 0 && m_tempos[i].units > units)
            --i;
        return m_start[i] + span(m_tempos[i], units);
    }

private:
    static long double span(const TempoMark& from, int64_t units) {
        return static_cast<long double>(units - from.units) * 4 * from.microsecondsPerQuarter /
               kUnitsPerWhole;
    }
    const std::vector<TempoMark>& m_tempos;
    std::vector<long double> m_start;
};

SmfFile buildFile(std::vector<Part>& parts) {
    SmfFile file;
    file.format = 1;
    file.division.raw = kMmlTicksPerQuarter;
    file.tracks.resize(parts.size() + 1);

    // The first part leads: its tempo marks become the conductor track.
    std::vector<TempoChange> changes;
    const std::vector<TempoMark> leading =
        parts.empty() ? std::vector<TempoMark>{TempoMark{}} : parts.front().tempos;
    for (const TempoMark& mark : leading) {
        const uint32_t tick = ticksOfUnits(mark.units);
        file.tracks[0].events.push_back(MidiEvent::tempo(tick, mark.microsecondsPerQuarter));
        changes.push_back({tick, mark.microsecondsPerQuarter, 0});
    }
    const TempoMap map(file.division, changes);

    for (size_t p = 0; p < parts.size(); ++p) {
        Part& part = parts[p];
        SmfTrack& track = file.tracks[p + 1];
        const PartClock clock(part.tempos);
        const bool leads = p == 0;
        const auto tickOf = [&](int64_t units) {
            if (leads)
                return ticksOfUnits(units);
            return static_cast<uint32_t>(
                std::llround(map.ticksAt(static_cast<double>(clock.microsecondsAt(units)))));
        };
        track.events.reserve(part.messages.size());
        for (TimedMessage& message : part.messages) {
            message.event.tick = tickOf(message.units);
            track.events.push_back(std::move(message.event));
        }
        track.endTick = tickOf(part.position);
    }
    for (SmfTrack& track : file.tracks)
        for (const MidiEvent& event : track.events)
            track.endTick = std::max(track.endTick, event.tick);
    return file;
}

} // namespace

std::string MmlError::text() const {
    return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + message;
}

uint8_t midiChannelOf(int mmlChannel) {
    const int melodic = (mmlChannel - 1) % 15; // 0-14
    return static_cast<uint8_t>(melodic < kDrumChannel ? melodic : melodic + 1);
}

MmlCompileResult compileMml(std::u16string_view text) {
    std::vector<Part> parts;
    try {
        int lineNumber = 1;
        for (size_t start = 0; start <= text.size(); ++lineNumber) {
            size_t end = text.find(u'\n', start);
            if (end == std::u16string_view::npos)
                end = text.size();
            LineCompiler(text.substr(start, end - start), lineNumber).compile(parts);
            start = end + 1;
        }
    } catch (const Failure& failure) {
        return {std::nullopt, failure.error};
    }
    SmfFile file = buildFile(parts);
    for (const SmfTrack& track : file.tracks)
        if (track.endTick > kMaxTick) {
            const auto lines = static_cast<int>(std::count(text.begin(), text.end(), u'\n')) + 1;
            return {std::nullopt, {lines, 1, "the parts are too long for a MIDI file"}};
        }
    return {std::move(file), {}};
}

} // namespace sarvo::sound
