#include "sound/midiimport.h"

#include "common/atomicfile.h"
#include "common/interaction.h"
#include "common/textcodec.h"
#include "formats/lenienttext.h"
#include "formats/mld.h"
#include "sound/melodyquantizer.h"
#include "sound/smfreader.h"
#include "sound/tempomap.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace sarvo::sound {
namespace {

constexpr int kMelodyTicksPerQuarter = 48;
constexpr int kSlowestTempo = 40;
constexpr int kFastestTempo = 240;

int roundedBpm(uint32_t microsecondsPerQuarter) {
    return std::max(1, static_cast<int>(std::lround(beatsPerMinute(microsecondsPerQuarter))));
}

double ticksPerSecond(const SmfFile& file) {
    return file.division.framesPerSecond() * file.division.ticksPerFrame();
}

// The ticks of a quarter note; in an SMPTE file, of half a second.
uint32_t ticksPerQuarter(const SmfFile& file) {
    if (file.division.isSmpte())
        return static_cast<uint32_t>(ticksPerSecond(file) / 2);
    return file.division.ticksPerQuarter();
}

// Ticks of the file to melody ticks at the chosen tempo. Under a tempo near the chosen one (less
// than √2 faster or slower) the beats of the file are the beats of the melody, so a tempo that
// speeds up or slows down keeps the rhythm; under a tempo about twice or half as fast, time is
// scaled by that octave, so the passage keeps its speed and its notes stay on the beats.
class MelodyClock {
public:
    MelodyClock(const SmfFile& file, int tempo) {
        const TempoMap map(file);
        double at = 0;
        const std::vector<TempoChange>& changes = map.changes();
        for (size_t i = 0; i < changes.size(); ++i) {
            Segment segment;
            segment.tick = changes[i].tick;
            segment.start = at;
            if (file.division.isSmpte()) {
                // Ticks per second; a quarter note lasts 60 / tempo seconds.
                segment.perTick = kMelodyTicksPerQuarter * tempo / 60.0 / ticksPerSecond(file);
            } else {
                const double ratio =
                    static_cast<double>(tempo) / roundedBpm(changes[i].microsecondsPerQuarter);
                segment.perTick = static_cast<double>(kMelodyTicksPerQuarter) /
                                  file.division.ticksPerQuarter() *
                                  std::exp2(std::round(std::log2(ratio)));
            }
            if (i + 1 < changes.size())
                at += (changes[i + 1].tick - segment.tick) * segment.perTick;
            m_segments.push_back(segment);
        }
    }
    double at(uint32_t tick) const {
        auto after = std::upper_bound(m_segments.begin(), m_segments.end(), tick,
                                      [](uint32_t t, const Segment& s) { return t < s.tick; });
        const Segment& s = *std::prev(after);
        return s.start + (tick - s.tick) * s.perTick;
    }

private:
    struct Segment {
        uint32_t tick = 0;
        double start = 0;
        double perTick = 1;
    };
    std::vector<Segment> m_segments;
};

// The number the capacity text starts with, if it counts notes ("30音　低音なし").
std::optional<int> capacityNumber(std::u16string_view text) {
    int number = 0;
    size_t digits = 0;
    for (; digits < text.size() && text[digits] >= u'0' && text[digits] <= u'9'; ++digits)
        number = number * 10 + (text[digits] - u'0');
    if (digits == 0 || text.substr(digits, 1) != u"音")
        return std::nullopt;
    return number;
}

int largestCapacity() {
    int largest = 0;
    for (const keyguide::PhoneType& type : keyguide::phoneTypes())
        largest = std::max(largest, capacityNumber(type.capacity).value_or(0));
    return largest;
}

std::u16string decimal(int n) {
    const std::string text = std::to_string(n);
    return {text.begin(), text.end()};
}

// The program of the melody's channel before its first note, 0 without a program change.
int programOf(const SmfFile& file, const NoteSpan& first) {
    int program = 0;
    uint32_t programTick = 0;
    for (const SmfTrack& track : file.tracks)
        for (const MidiEvent& event : track.events)
            if (event.kind() == kProgramChange && event.channel() == first.channel &&
                event.tick <= first.start && event.tick >= programTick) {
                program = event.data1;
                programTick = event.tick;
            }
    return program;
}

std::u16string titleOf(const SmfFile& file, const std::u16string& defaultTitle) {
    const std::string name = file.tracks.empty() ? std::string() : file.tracks[0].name();
    if (name.empty())
        return defaultTitle;
    if (std::optional<std::u16string> sjis = fromCp932(name))
        return *sjis;
    return formats::fromCp932Lenient(name);
}

} // namespace

int melodyTempo(const SmfFile& file, uint32_t first, uint32_t last) {
    const TempoMap map(file);
    std::map<int, uint64_t> ticksPerTempo;
    const std::vector<TempoChange>& changes = map.changes();
    for (size_t i = 0; i < changes.size(); ++i) {
        const uint32_t from = std::max(first, changes[i].tick);
        const uint32_t to = i + 1 < changes.size() ? std::min(last, changes[i + 1].tick) : last;
        if (to > from || (i == 0 && first == last))
            ticksPerTempo[roundedBpm(changes[i].microsecondsPerQuarter)] += to - from;
    }
    int tempo = roundedBpm(map.microsecondsPerQuarterAt(first));
    uint64_t most = 0;
    for (const auto& [bpm, ticks] : ticksPerTempo)
        if (ticks > most) {
            most = ticks;
            tempo = bpm;
        }
    if (file.division.isSmpte())
        tempo = 120; // the beats of an SMPTE file are not known; a quarter is half a second
    while (tempo > kFastestTempo)
        tempo = (tempo + 1) / 2;
    while (tempo < kSlowestTempo)
        tempo *= 2;
    return tempo;
}

MidiMelody midiMelody(const SmfFile& file, MelodySource source,
                      const std::u16string& defaultTitle) {
    MidiMelody result;
    const std::vector<NoteSpan> all = collectNotes(file);
    ChosenNotes chosen = chooseMelodyNotes(file, all, source);
    result.voice = chosen.voice;
    if (!chosen.error.empty()) {
        result.error = chosen.error;
        return result;
    }
    const std::vector<NoteSpan> line = topLine(std::move(chosen.notes), ticksPerQuarter(file));
    const int tempo = melodyTempo(file, line.front().start, line.back().end);
    const MelodyClock clock(file, tempo);
    std::vector<TimedNote> timed;
    timed.reserve(line.size());
    for (const NoteSpan& note : line)
        timed.push_back({clock.at(note.start), clock.at(note.end), note.key});
    closeLongSilences(timed);
    removePlayingOffset(timed);
    std::vector<QuantizedNote> notes = quantizeNotes(timed);
    fitIntoRange(notes);

    formats::Ringtone ringtone;
    ringtone.title = titleOf(file, defaultTitle);
    ringtone.tempo = formats::TempoUnit::quarterNotes(tempo);
    ringtone.parts.push_back({melodyTextOf(notes), programOf(file, line.front())});
    result.ringtone = std::move(ringtone);
    return result;
}

MldImport midiFileToMld(const std::filesystem::path& midiFile, MelodySource source) {
    const SmfReadResult read = readSmfFile(midiFile);
    if (!read.file)
        return {{}, read.error};
    const std::u16string stem = fromUtf8(midiFile.stem().string()).value_or(u"");
    const MidiMelody melody = midiMelody(*read.file, source, stem);
    if (!melody.ringtone)
        return {{}, midiFile.string() + ": " + melody.error};
    RecordingInteractive ignored; // nothing is cut without the size limit
    return {formats::encodeMld(*melody.ringtone, formats::MldSizeLimit::Lifted, ignored), {}};
}

std::string midiImport(const std::filesystem::path& midiFile, const std::filesystem::path& mldFile,
                       MelodySource source) {
    const MldImport imported = midiFileToMld(midiFile, source);
    if (!imported.error.empty())
        return imported.error;
    return writeFileAtomically(mldFile, std::string(imported.bytes.begin(), imported.bytes.end()));
}

MelodyCapacity melodyCapacity(std::u16string_view melody, const keyguide::PhoneType* type) {
    MelodyCapacity result;
    bool inToken = false;
    for (char16_t c : melody) {
        result.length += c != u' ' && !inToken;
        inToken = c != u' ';
    }
    const std::optional<int> typeCapacity = type ? capacityNumber(type->capacity) : std::nullopt;
    result.capacity = typeCapacity.value_or(largestCapacity());
    if (typeCapacity)
        result.typeName = type->shortName();
    return result;
}

std::u16string capacityWarning(const MelodyCapacity& capacity) {
    if (!capacity.exceeded())
        return {};
    const std::u16string holds = capacity.typeName.empty() ? u"携帯電話に入るのは最も多くて"
                                                           : capacity.typeName + u"に入るのは";
    return u"取り込んだメロディは" + decimal(capacity.length) + u"音あります。" + holds +
           decimal(capacity.capacity) + u"音までです。";
}

} // namespace sarvo::sound
