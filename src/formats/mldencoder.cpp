#include "formats/lenienttext.h"
#include "formats/melodytokens.h"
#include "formats/mld.h"

#include "melody/notecodes.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <tuple>

namespace sarvo::formats {
namespace {

constexpr int kLowestKey = 15; // 低ド
constexpr int kMaxGate = 255;
constexpr int kMaxDelta = 255;
constexpr size_t kHeaderFixedBytes = 26; // 01 01 01, "sorc", "vers" and the "titl" frame
constexpr size_t kMaxTitleBytes = 0xFFFF - kHeaderFixedBytes;

// The pieces a long note is written in, so that each fits a one-byte gate time and reads back
// as a length code; the longest first.
constexpr std::array<int, 11> kPieceTicks = {192, 144, 96, 72, 48, 36, 32, 24, 16, 12, 8};

struct NoteEntry {
    int64_t start = 0;
    int part = 0;
    int ticks = 0;
    int key = 0;

    auto order() const { return std::tie(start, part, ticks, key); }
};

// Ticks of one token with its ties. Codes without a length of their own count a sixteenth.
int tokenTicks(const melody::Note& note) {
    const bool dotted = note.dot == u".";
    const int ticks = note.length.empty() ? 0 : melody::lengthTicks(note.length[0], dotted);
    return (ticks > 0 ? ticks : melody::kTicksPerSixteenth) * (note.tieCount + 1);
}

// A duration above the largest gate time as pieces from kPieceTicks; what is left below the
// shortest piece goes to the last one.
std::vector<int> splitLongNote(int ticks) {
    if (ticks <= kMaxGate)
        return {ticks};
    std::vector<int> pieces;
    for (int piece : kPieceTicks)
        for (; ticks >= piece; ticks -= piece)
            pieces.push_back(piece);
    pieces.back() += ticks;
    return pieces;
}

void appendNoteEntries(std::u16string_view melodyText, int part, std::vector<NoteEntry>& entries) {
    int64_t start = 0;
    for (const melody::Note& note : readTokens(melodyText)) {
        const int ticks = tokenTicks(note);
        if (const auto pitch = pitchNumber(note)) {
            int64_t pieceStart = start;
            for (int piece : splitLongNote(ticks)) {
                entries.push_back({pieceStart, part, piece, kLowestKey + *pitch});
                pieceStart += piece;
            }
        }
        start += ticks;
    }
}

void append(Bytes& bytes, std::initializer_list<int> values) {
    for (int v : values)
        bytes.push_back(static_cast<uint8_t>(v));
}

void appendChunk(Bytes& bytes, std::string_view tag, std::string_view data) {
    const Bytes tagBytes = asciiBytes(tag);
    bytes.insert(bytes.end(), tagBytes.begin(), tagBytes.end());
    append(bytes, {0, 0});
    setNumBytes(bytes, bytes.size() - 2, static_cast<uint32_t>(data.size()), 2);
    bytes.insert(bytes.end(), data.begin(), data.end());
}

// The title in code page 932, cut at a character boundary if the header length would overflow.
std::string titleBytes(std::u16string_view title) {
    std::string bytes = toCp932Lenient(title);
    while (bytes.size() > kMaxTitleBytes && !title.empty()) {
        title.remove_suffix(1);
        bytes = toCp932Lenient(title);
    }
    return bytes;
}

} // namespace

Bytes encodeMld(const Ringtone& ringtone, MldSizeLimit limit, IInteractive& ui) {
    const int partCount = std::min<int>(static_cast<int>(ringtone.parts.size()), kMaxParts);
    Bytes bytes = asciiBytes("melo");
    append(bytes, {0, 0, 0, 0, 0, 0, 1, 1, 1});

    const std::string title = titleBytes(ringtone.title);
    appendChunk(bytes, "sorc", std::string(1, '\x01'));
    appendChunk(bytes, "titl", title);
    appendChunk(bytes, "vers", "0100");
    setNumBytes(bytes, 8, static_cast<uint32_t>(kHeaderFixedBytes + title.size()), 2);

    const Bytes trac = asciiBytes("trac");
    bytes.insert(bytes.end(), trac.begin(), trac.end());
    append(bytes, {0, 0, 0, 0});
    const size_t trackStart = bytes.size();

    const int tempo = std::clamp(ringtone.tempo.roundedQuarterNotesPerMinute(), 1, 255);
    append(bytes, {0, 0xFF, 0xC3, tempo});
    append(bytes, {0, 0xFF, 0xD0, 0});
    for (int channel = 0; channel < kMaxParts; ++channel)
        append(bytes, {0, 0xFF, 0xE2, channel * 64 + 63});
    auto voiceOf = [&](int p) {
        return std::clamp(ringtone.parts[p].voice, 0, 127);
    };
    for (int p = 0; p < partCount; ++p)
        append(bytes, {0, 0xFF, 0xE0, p * 64 + voiceOf(p) % 64});
    for (int p = 0; p < partCount; ++p)
        append(bytes, {0, 0xFF, 0xE1, p * 64 + (voiceOf(p) < 64 ? 2 : 3)});

    std::vector<NoteEntry> entries;
    for (int p = 0; p < partCount; ++p)
        appendNoteEntries(ringtone.parts[p].melody, p, entries);
    std::sort(entries.begin(), entries.end(),
              [](const NoteEntry& a, const NoteEntry& b) { return a.order() < b.order(); });

    int64_t previousStart = 0;
    int lastGate = 0;
    for (const NoteEntry& entry : entries) {
        if (limit == MldSizeLimit::Applied && bytes.size() > kMldSizeLimit) {
            ui.showMessage(u"送信サイズオーバーのため、途中まで送りますね。");
            break;
        }
        const int status = entry.part * 64 + entry.key;
        int64_t delta = entry.start - previousStart;
        // A gap too long for one delta is bridged by silent events of gate time 0.
        for (; delta > kMaxDelta; delta -= kMaxDelta)
            append(bytes, {kMaxDelta, status, 0});
        append(bytes, {static_cast<int>(delta), status, entry.ticks});
        previousStart = entry.start;
        lastGate = entry.ticks;
    }
    append(bytes, {lastGate, 0xFF, 0xDF, 0});

    setNumBytes(bytes, trackStart - 4, static_cast<uint32_t>(bytes.size() - trackStart), 4);
    setNumBytes(bytes, 4, static_cast<uint32_t>(bytes.size() - 8), 4);
    return bytes;
}

} // namespace sarvo::formats
