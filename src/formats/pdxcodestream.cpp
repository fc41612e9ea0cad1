#include "formats/pdxmail.h"

#include "common/base64.h"
#include "formats/diatonic.h"
#include "formats/melodytokens.h"
#include "formats/singlemelody.h"
#include "formats/temporanges.h"
#include "melody/notecodes.h"

#include <algorithm>
#include <array>
#include <optional>

namespace sarvo::formats {
namespace {

constexpr uint8_t kEnd = 0xFF;
constexpr uint8_t kRest = 0x00;
constexpr uint8_t kSharp = 0x40;
constexpr int kSteps = 21; // 低ド to 高シ

constexpr std::array<TempoRange, 5> kTempoRanges = {
    {{0, 65, 0}, {66, 75, 1}, {76, 85, 2}, {86, 105, 3}, {106, 140, 4}}};
constexpr int kOtherTempo = 5;
// The tempo each code stands for, in quarter notes per minute.
constexpr std::array<int, 6> kTempoOfCode = {60, 70, 80, 100, 120, 160};

struct CodeLength {
    uint8_t byte;
    char16_t code;
    bool dotted;
};

// A dotted length is the byte of its plain length minus one.
constexpr std::array<CodeLength, 14> kLengths = {{{0x80, u'A', false},
                                                  {0x7F, u'A', true},
                                                  {0x82, u'B', false},
                                                  {0x81, u'B', true},
                                                  {0x84, u'C', false},
                                                  {0x83, u'C', true},
                                                  {0x86, u'D', false},
                                                  {0x85, u'D', true},
                                                  {0x88, u'E', false},
                                                  {0x87, u'E', true},
                                                  {0xC0, u'2', false},
                                                  {0xC2, u'5', false},
                                                  {0xC4, u'3', false},
                                                  {0xC6, u'6', false}}};

const CodeLength* lengthOfCode(char16_t code, bool dotted) {
    const auto found = std::find_if(kLengths.begin(), kLengths.end(), [&](const CodeLength& l) {
        return l.code == code && l.dotted == dotted;
    });
    return found == kLengths.end() ? nullptr : &*found;
}

const CodeLength* lengthOfByte(uint8_t byte) {
    const auto found = std::find_if(kLengths.begin(), kLengths.end(),
                                    [&](const CodeLength& l) { return l.byte == byte; });
    return found == kLengths.end() ? nullptr : &*found;
}

// The note byte of a token: the diatonic step from 1 (低ド) to 21 (高シ), plus 0x40 for a sharp.
uint8_t noteByte(const melody::Note& note) {
    const std::optional<int> pitch = pitchNumber(note);
    if (!pitch)
        return kRest;
    const DiatonicPitch p = diatonicOf(*pitch);
    return static_cast<uint8_t>(p.octave * 7 + p.step + 1 + (p.sharp ? kSharp : 0));
}

// The pitch number of a note byte; nullopt for a byte that is no note.
std::optional<int> pitchOfNoteByte(uint8_t byte) {
    if (byte & ~(kSharp | 0x3F))
        return std::nullopt;
    const int step = (byte & 0x3F) - 1;
    if (step < 0 || step >= kSteps)
        return std::nullopt;
    return pitchOf({step / 7, step % 7, (byte & kSharp) != 0});
}

} // namespace

Converted<Bytes> encodePdxCodes(const Ringtone& ringtone) {
    Converted<Bytes> result;
    Bytes& out = result.value;
    out.push_back(static_cast<uint8_t>(tempoCodeOf(ringtone.tempo, kTempoRanges, kOtherTempo)));

    const CodeLength* previous = nullptr;
    for (const melody::Note& note : readTokens(singleMelody(ringtone))) {
        const char16_t token = note.length[0];
        if (melody::isTupletRestCode(token)) {
            result.error = u"P-mail DX のコードには連符の休符を書けません：" + note.token();
            return result;
        }
        const char16_t code = melody::isPlainRestCode(token) ? melody::noteCodeOf(token) : token;
        const CodeLength* length =
            lengthOfCode(code, !note.dot.empty() && melody::isPlainNoteCode(code));
        if (!length)
            continue; // a lone tie or a code without a length
        const uint8_t note8 = noteByte(note);
        for (int repeat = 0; repeat <= note.tieCount; ++repeat) {
            // A length stays in force until it changes; a dotted length is written every time.
            if (length != previous || length->dotted)
                out.push_back(length->byte);
            out.push_back(note8);
            previous = length;
        }
    }
    out.push_back(kEnd);
    return result;
}

DecodeResult decodePdxCodesBytes(const Bytes& bytes) {
    if (bytes.empty())
        return {std::nullopt, u"the P-mail DX code stream is empty"};
    DecodedPart part;
    if (bytes[0] < kTempoOfCode.size())
        part.tempo = kTempoOfCode[bytes[0]];

    // Notes before the first length byte are quarter notes; bytes that are neither a length nor
    // a note are skipped.
    const CodeLength* current = lengthOfCode(u'C', false);
    TokenWriter writer;
    bool anyNote = false;
    for (size_t pos = 1; pos < bytes.size() && bytes[pos] != kEnd; ++pos) {
        if (const CodeLength* length = lengthOfByte(bytes[pos])) {
            current = length;
            continue;
        }
        std::optional<int> pitch;
        if (bytes[pos] != kRest) {
            pitch = pitchOfNoteByte(bytes[pos]);
            if (!pitch)
                continue;
        }
        writer.append(current->code, current->dotted, pitch);
        anyNote = true;
    }
    if (!anyNote)
        return {std::nullopt, u"the P-mail DX code stream holds no notes"};
    part.melody = writer.text();
    return {part, {}};
}

DecodeResult decodePdxCodes(std::u16string_view base64, IInteractive& ui) {
    const auto bytes = base64Decode(base64);
    if (!bytes) {
        ui.showMessage(kPdxBase64Failure);
        return {std::nullopt, std::u16string(kPdxBase64Failure)};
    }
    return decodePdxCodesBytes(*bytes);
}

} // namespace sarvo::formats
