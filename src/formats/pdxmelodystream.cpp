#include "formats/pdxmail.h"

#include "common/base64.h"
#include "formats/lenienttext.h"
#include "formats/melodytokens.h"
#include "formats/singlemelody.h"
#include "melody/notecodes.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace sarvo::formats {
namespace {

constexpr std::array<uint8_t, 2> kStart = {0xE1, 0xF0};
constexpr std::array<uint8_t, 2> kTitleEnd = {0xFD, 0xF1};
constexpr uint8_t kEnd = 0xFF;
constexpr uint8_t kFiller = 0xA1;
constexpr uint8_t kRestPitch = 0x00;
constexpr uint8_t kLowestPitch = 0x27; // 低ド

struct StreamLength {
    uint8_t byte;
    char16_t code;
    bool dotted;
};

// The lengths the stream has a code for.
constexpr std::array<StreamLength, 10> kLengths = {{{0xC0, u'A', false},
                                                    {0xC1, u'B', true},
                                                    {0xC2, u'B', false},
                                                    {0xC3, u'C', true},
                                                    {0xC4, u'C', false},
                                                    {0xC5, u'D', true},
                                                    {0xC6, u'D', false},
                                                    {0xC7, u'3', false},
                                                    {0xC8, u'6', false},
                                                    {0xC9, u'E', false}}};

// The length bytes a note length code is written as. Lengths without a code of their own are
// written as notes that add up to them: a dotted whole as a whole and a half, a quarter triplet
// as two eighth triplets, a quarter sextuplet as the eighth triplet it lasts as long as. A dotted
// sixteenth becomes the eighth triplet, the nearest length there is (16 ticks for 18).
std::vector<uint8_t> lengthBytes(char16_t code, bool dotted) {
    if (code == u'A' && dotted)
        return {0xC0, 0xC2};
    if (code == u'E' && dotted)
        return {0xC7};
    if (code == u'2')
        return {0xC7, 0xC7};
    if (code == u'5')
        return {0xC7};
    const bool plain = melody::isPlainNoteCode(code);
    for (const StreamLength& length : kLengths)
        if (length.code == code && length.dotted == (dotted && plain))
            return {length.byte};
    return {};
}

const StreamLength* lengthOfByte(uint8_t byte) {
    const auto found = std::find_if(kLengths.begin(), kLengths.end(),
                                    [&](const StreamLength& l) { return l.byte == byte; });
    return found == kLengths.end() ? nullptr : &*found;
}

// Appends note bytes, filling the last two bytes of every 256-byte block with A1.
void putNoteByte(Bytes& out, uint8_t byte) {
    while (out.size() % 256 >= 254)
        out.push_back(kFiller);
    out.push_back(byte);
}

DecodeResult notAStream(std::u16string_view why) {
    return {std::nullopt, u"not a P-mail DX melody stream: " + std::u16string(why)};
}

} // namespace

Bytes encodePdxMelody(const Ringtone& ringtone) {
    Bytes out(kStart.begin(), kStart.end());
    const std::string title = toCp932Lenient(ringtone.title);
    out.insert(out.end(), title.begin(), title.end());
    out.insert(out.end(), kTitleEnd.begin(), kTitleEnd.end());
    out.push_back(
        static_cast<uint8_t>(std::min(ringtone.tempo.roundedQuarterNotesPerMinute(), 255)));

    for (const melody::Note& note : readTokens(singleMelody(ringtone))) {
        const char16_t code = melody::isRestCode(note.length[0])
                                  ? melody::noteCodeOf(note.length[0])
                                  : note.length[0];
        const std::optional<int> pitch = pitchNumber(note);
        const uint8_t pitchByte = pitch ? static_cast<uint8_t>(kLowestPitch + *pitch) : kRestPitch;
        const std::vector<uint8_t> lengths = lengthBytes(code, !note.dot.empty());
        for (int repeat = 0; repeat <= note.tieCount; ++repeat) {
            for (uint8_t length : lengths) {
                putNoteByte(out, length);
                putNoteByte(out, pitchByte);
            }
        }
    }
    putNoteByte(out, kEnd);
    return out;
}

DecodeResult decodePdxMelodyBytes(const Bytes& bytes) {
    if (bytes.size() < kStart.size() || !std::equal(kStart.begin(), kStart.end(), bytes.begin()))
        return notAStream(u"no start bytes E1 F0");
    const auto titleEnd =
        std::search(bytes.begin() + 2, bytes.end(), kTitleEnd.begin(), kTitleEnd.end());
    if (titleEnd == bytes.end())
        return notAStream(u"no end of title FD F1");
    size_t pos = static_cast<size_t>(titleEnd - bytes.begin()) + kTitleEnd.size();
    if (pos >= bytes.size())
        return notAStream(u"no tempo");

    DecodedPart part;
    part.title = fromCp932Lenient(std::string(bytes.begin() + 2, titleEnd));
    if (bytes[pos] > 0)
        part.tempo = bytes[pos];
    ++pos;

    // Fillers are skipped wherever they stand: A1 is neither a length nor a pitch code. A byte
    // that is no length code is skipped, and so is a note whose pitch code is unknown.
    auto nextByte = [&]() -> std::optional<uint8_t> {
        while (pos < bytes.size() && bytes[pos] == kFiller)
            ++pos;
        if (pos >= bytes.size() || bytes[pos] == kEnd)
            return std::nullopt;
        return bytes[pos++];
    };
    TokenWriter writer;
    bool anyNote = false;
    while (const std::optional<uint8_t> lengthByte = nextByte()) {
        const StreamLength* length = lengthOfByte(*lengthByte);
        if (!length)
            continue;
        const std::optional<uint8_t> pitchByte = nextByte();
        if (!pitchByte)
            break;
        std::optional<int> pitch;
        if (*pitchByte != kRestPitch) {
            if (*pitchByte < kLowestPitch || *pitchByte >= kLowestPitch + kPitchCount)
                continue;
            pitch = *pitchByte - kLowestPitch;
        }
        writer.append(length->code, length->dotted, pitch);
        anyNote = true;
    }
    if (!anyNote)
        return notAStream(u"no notes");
    part.melody = writer.text();
    return {part, {}};
}

DecodeResult decodePdxMelody(std::u16string_view base64, IInteractive& ui) {
    const auto bytes = base64Decode(base64);
    if (!bytes) {
        ui.showMessage(kPdxBase64Failure);
        return {std::nullopt, std::u16string(kPdxBase64Failure)};
    }
    return decodePdxMelodyBytes(*bytes);
}

} // namespace sarvo::formats
