#include "formats/mldcontents.h"

#include "formats/bytereader.h"
#include "formats/lenienttext.h"

namespace sarvo::formats {
namespace {

constexpr size_t kFirstHeaderChunk = 13;
constexpr int kInitialTimebase = 48;

// FF C0-C6 set timebases 6 to 384, FF C8-CE 15 to 960; 0 for other classes.
int timebaseOf(uint8_t eventClass) {
    if (eventClass >= 0xC0 && eventClass <= 0xC6)
        return 6 << (eventClass - 0xC0);
    if (eventClass >= 0xC8 && eventClass <= 0xCE)
        return 15 << (eventClass - 0xC8);
    return 0;
}

// The key change of the octave-shift bits of a four-byte note event.
int octaveShift(uint8_t extra) {
    switch (extra & 0x03) {
    case 1: return 12;
    case 2: return -24;
    case 3: return -12;
    default: return 0;
    }
}

struct VoiceBits {
    std::optional<int> program; // low six bits, from FF E0
    bool upperBank = false;     // odd FF E1 data: programs 64 to 127
};

class TrackReader {
public:
    TrackReader(MldContents& contents, std::array<VoiceBits, 16>& voices, bool fourByteNotes)
        : m_contents(contents)
        , m_voices(voices)
        , m_fourByteNotes(fourByteNotes) {}

    void read(std::span<const uint8_t> data, int track) {
        ByteReader in(data);
        int64_t time = 0;
        int unitsPerTick = kMldTimeUnitsPerQuarter / kInitialTimebase;
        while (true) {
            const auto delta = in.u8();
            const auto status = in.u8();
            if (!delta || !status)
                return;
            time += int64_t{*delta} * unitsPerTick;
            if (*status != 0xFF) {
                const auto gate = in.u8();
                const auto extra = m_fourByteNotes ? in.u8() : std::optional<uint8_t>(0);
                if (!gate || !extra)
                    return;
                if (*gate == 0) // a filler bridging a long delta
                    continue;
                const int part = track * kMldChannels + (*status >> 6);
                const int key = (*status & 0x3F) + octaveShift(*extra);
                m_contents.notes[part].push_back({time, int64_t{*gate} * unitsPerTick, key});
                continue;
            }
            const auto eventClass = in.u8();
            if (!eventClass)
                return;
            if (*eventClass >= 0xF0) { // extension information: u16 length and its bytes
                const auto length = in.u16();
                if (!length || !in.skip(*length))
                    return;
                continue;
            }
            const auto value = in.u8();
            if (!value || *eventClass == 0xDF)
                return;
            if (const int timebase = timebaseOf(*eventClass)) {
                unitsPerTick = kMldTimeUnitsPerQuarter / timebase;
                if (!m_contents.tempo && *value > 0)
                    m_contents.tempo = *value;
            } else if (*eventClass == 0xE0) {
                m_voices[track * kMldChannels + (*value >> 6)].program = *value & 0x3F;
            } else if (*eventClass == 0xE1) {
                m_voices[track * kMldChannels + (*value >> 6)].upperBank = (*value & 1) != 0;
            }
            // Cue points, loop marks, no-ops, volumes and other classes carry nothing a melody
            // text can hold.
        }
    }

private:
    MldContents& m_contents;
    std::array<VoiceBits, 16>& m_voices;
    bool m_fourByteNotes;
};

} // namespace

MldContents readMldContents(const Bytes& bytes) {
    MldContents contents;
    ByteReader in(bytes);
    if (!in.skipIf("melo") || !in.skip(4)) {
        contents.error = u"not an i-melody file: the bytes do not start with \"melo\"";
        return contents;
    }
    const auto headerLength = in.u16();
    if (!headerLength || !in.skip(3)) {
        contents.error = u"not an i-melody file: the header is cut short";
        return contents;
    }
    const size_t tracksAt = std::min(bytes.size(), size_t{10} + *headerLength);

    bool fourByteNotes = false;
    ByteReader header(std::span<const uint8_t>(bytes).subspan(
        kFirstHeaderChunk, tracksAt - std::min(tracksAt, kFirstHeaderChunk)));
    while (const auto tag = header.take(4)) {
        const auto length = header.u16();
        const auto data = length ? header.take(*length) : std::nullopt;
        if (!data)
            break;
        const std::string_view name(reinterpret_cast<const char*>(tag->data()), 4);
        if (name == "titl")
            contents.title = fromCp932Lenient(
                std::string_view(reinterpret_cast<const char*>(data->data()), data->size()));
        else if (name == "note" && data->size() >= 2)
            fourByteNotes = ((*data)[0] << 8 | (*data)[1]) == 1;
    }

    std::array<VoiceBits, 16> voices;
    TrackReader trackReader(contents, voices, fourByteNotes);
    ByteReader chunks(std::span<const uint8_t>(bytes).subspan(tracksAt));
    int track = 0;
    while (track < kMldMaxTracks) {
        const auto tag = chunks.take(4);
        const auto length = chunks.u32();
        if (!tag || !length)
            break;
        const size_t size = std::min<size_t>(*length, chunks.remaining());
        const auto data = chunks.take(size);
        if (std::string_view(reinterpret_cast<const char*>(tag->data()), 4) == "trac")
            trackReader.read(*data, track++);
    }

    for (size_t i = 0; i < voices.size(); ++i)
        if (voices[i].program)
            contents.voice[i] = *voices[i].program + (voices[i].upperBank ? 64 : 0);
    return contents;
}

} // namespace sarvo::formats
