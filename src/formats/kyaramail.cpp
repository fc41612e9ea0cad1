#include "formats/kyaramail.h"

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

constexpr std::array<TempoRange, 9> kTempoRanges = {{{0, 65, 0},
                                                     {66, 75, 1},
                                                     {76, 87, 2},
                                                     {88, 100, 3},
                                                     {101, 110, 4},
                                                     {111, 119, 5},
                                                     {120, 130, 6},
                                                     {131, 143, 7},
                                                     {144, 158, 8}}};
constexpr int kOtherTempo = 9;
constexpr std::array<int, 10> kTempoOfDigit = {60, 72, 84, 96, 108, 114, 126, 138, 150, 168};

struct KyaraLength {
    int digit;
    char16_t code;
    bool dotted;
};

// Digit to length as the decoder reads it. The encoder also writes a dotted whole as 0 and a
// dotted sixteenth as 1, the nearest lengths the digits have.
constexpr std::array<KyaraLength, 8> kLengths = {{{0, u'A', false},
                                                  {1, u'E', false},
                                                  {2, u'D', false},
                                                  {3, u'D', true},
                                                  {4, u'C', false},
                                                  {5, u'C', true},
                                                  {6, u'B', false},
                                                  {7, u'B', true}}};

constexpr int kRestDigit = 0;
constexpr int kLowestOctaveDigit = 3; // 低; each octave adds two, a sharp one

std::optional<int> lengthDigit(char16_t code, bool dotted) {
    if (code == u'A' || code == u'E')
        dotted = false;
    const auto found = std::find_if(kLengths.begin(), kLengths.end(), [&](const KyaraLength& l) {
        return l.code == code && l.dotted == dotted;
    });
    if (found == kLengths.end())
        return std::nullopt;
    return found->digit;
}

char16_t digitChar(int digit) {
    return static_cast<char16_t>(u'0' + digit);
}

std::optional<int> digitValue(char16_t c) {
    if (c < u'0' || c > u'9')
        return std::nullopt;
    return c - u'0';
}

bool isSpacing(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

} // namespace

Converted<std::u16string> encodeKyara(const Ringtone& ringtone) {
    std::u16string text(kKyaraStart);
    text += digitChar(tempoCodeOf(ringtone.tempo, kTempoRanges, kOtherTempo));
    for (const melody::Note& note : readTokens(singleMelody(ringtone))) {
        const char16_t token = note.length[0];
        const char16_t code = melody::isRestCode(token) ? melody::noteCodeOf(token) : token;
        if (melody::lengthTicks(code, false) == 0)
            continue; // a tie with no note before it, a code without a length
        const std::optional<int> length = lengthDigit(code, !note.dot.empty());
        if (!length)
            return {{}, u"きゃらメールには連符を書けません：" + note.token()};
        std::u16string group{digitChar(*length), digitChar(kRestDigit), digitChar(kRestDigit)};
        if (const std::optional<int> pitch = pitchNumber(note)) {
            const DiatonicPitch p = diatonicOf(*pitch);
            group[1] = digitChar(p.step + 1);
            group[2] = digitChar(kLowestOctaveDigit + 2 * p.octave + (p.sharp ? 1 : 0));
        }
        for (int repeat = 0; repeat <= note.tieCount; ++repeat)
            text += group;
    }
    return {text, {}};
}

DecodeResult decodeKyara(std::u16string_view text) {
    if (const size_t start = text.find(kKyaraStart); start != text.npos)
        text.remove_prefix(start + kKyaraStart.size());
    std::vector<int> digits;
    for (char16_t c : text) {
        if (isSpacing(c))
            continue;
        const std::optional<int> digit = digitValue(c);
        if (!digit)
            break;
        digits.push_back(*digit);
    }
    if (digits.empty())
        return {std::nullopt, u"the kyara-mail text has no tempo digit"};

    DecodedPart part;
    part.tempo = kTempoOfDigit[digits[0]];
    TokenWriter writer;
    bool anyNote = false;
    for (size_t i = 1; i + 3 <= digits.size(); i += 3) {
        const auto length =
            std::find_if(kLengths.begin(), kLengths.end(),
                         [&](const KyaraLength& l) { return l.digit == digits[i]; });
        const int step = digits[i + 1];
        const int octaveDigit = digits[i + 2] - kLowestOctaveDigit;
        if (length == kLengths.end() || step > 7)
            continue;
        std::optional<int> pitch;
        if (step != kRestDigit) {
            if (octaveDigit < 0 || octaveDigit > 5)
                continue;
            pitch = pitchOf({octaveDigit / 2, step - 1, octaveDigit % 2 == 1});
        }
        writer.append(length->code, length->dotted, pitch);
        anyNote = true;
    }
    if (!anyNote)
        return {std::nullopt, u"the kyara-mail text holds no notes"};
    part.melody = writer.text();
    return {part, {}};
}

} // namespace sarvo::formats
