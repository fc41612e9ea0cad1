#include "common/jistext.h"

#include "common/cp932.h"

namespace sarvo {
namespace {

constexpr unsigned kEsc = 0x1B;
constexpr unsigned kShiftOut = 0x0E;                                  // enter half-width katakana
constexpr unsigned kShiftIn = 0x0F;                                   // leave half-width katakana
constexpr std::array<unsigned, 3> kEnterTwoByte = {kEsc, 0x24, 0x42}; // ESC $ B
constexpr std::array<unsigned, 3> kEnterAscii = {kEsc, 0x28, 0x42};   // ESC ( B
constexpr std::array<unsigned, 3> kEnterRoman = {kEsc, 0x28, 0x4A};   // ESC ( J

std::u16string cannotWrite(char16_t c) {
    return u"ISO-2022-JP に変換できない文字です：" + std::u16string(1, c);
}

std::u16string notHalfKana(unsigned byte) {
    const char16_t* digits = u"0123456789ABCDEF";
    return u"半角カナの範囲にないバイトです：" +
           std::u16string{digits[byte >> 4 & 15], digits[byte & 15]};
}

// The walk shared by the text and the byte form of the encoder. Out is a sequence of byte values
// (a u16string or a byte vector); returns the error that stopped the walk, or "".
template <class Out> std::u16string writeJis(std::u16string_view text, Out& out) {
    auto put = [&](unsigned value) {
        out.push_back(static_cast<typename Out::value_type>(value));
    };
    auto putAll = [&](const std::array<unsigned, 3>& seq) {
        for (unsigned v : seq)
            put(v);
    };
    bool twoByte = false;
    for (char16_t c : text) {
        std::optional<uint16_t> code = cp932CodeOf(c);
        if (!code)
            return cannotWrite(c);
        if (isAsciiCp932(*code)) {
            if (twoByte)
                putAll(kEnterAscii);
            twoByte = false;
            put(*code);
            continue;
        }
        if (isSingleByteCp932(*code))
            return cannotWrite(c);
        if (!twoByte)
            putAll(kEnterTwoByte);
        twoByte = true;
        JisPair pair = sjisToJisPair(static_cast<uint8_t>(*code >> 8), static_cast<uint8_t>(*code));
        put(pair.first);
        put(pair.second);
    }
    if (twoByte)
        putAll(kEnterAscii);
    return {};
}

struct JisReading {
    bool romanEscape; // ESC ( J returns to ASCII as ESC ( B does
    bool shiftCodes;  // SO and SI switch to and from half-width katakana
};

// The walk shared by the text and the byte form of the decoder. asciiChar turns a value read in
// ASCII mode into its character.
template <class Unit, class AsciiChar>
Converted<std::u16string> readJis(std::span<const Unit> in, JisReading reading,
                                  AsciiChar asciiChar) {
    enum class Mode { Ascii, FirstByte, SecondByte, HalfKana };
    Converted<std::u16string> result;
    Mode mode = Mode::Ascii;
    unsigned first = 0;
    auto startsWith = [&](size_t i, const std::array<unsigned, 3>& seq) {
        return in.size() - i >= 3 && in[i] == seq[0] && in[i + 1] == seq[1] && in[i + 2] == seq[2];
    };
    for (size_t i = 0; i < in.size(); ++i) {
        const unsigned value = in[i];
        if (startsWith(i, kEnterTwoByte)) {
            mode = Mode::FirstByte;
            i += 2;
            continue;
        }
        if (startsWith(i, kEnterAscii) || (reading.romanEscape && startsWith(i, kEnterRoman))) {
            mode = Mode::Ascii;
            i += 2;
            continue;
        }
        if (reading.shiftCodes && (value == kShiftOut || value == kShiftIn)) {
            mode = value == kShiftOut ? Mode::HalfKana : Mode::Ascii;
            continue;
        }
        switch (mode) {
        case Mode::Ascii: result.value.push_back(asciiChar(in[i])); break;
        case Mode::FirstByte:
            first = value;
            mode = Mode::SecondByte;
            break;
        case Mode::SecondByte:
            result.value.push_back(jisToSjisPair(first, value));
            mode = Mode::FirstByte;
            break;
        case Mode::HalfKana:
            if (value < 0x20 || value > 0x5F) {
                result.error = notHalfKana(value);
                return result;
            }
            result.value.push_back(halfKanaTable[value - 0x20]);
            break;
        }
    }
    return result;
}

} // namespace

JisPair sjisToJisPair(uint8_t lead, uint8_t trail) {
    int row;
    if (lead >= 0x81 && lead <= 0x9F)
        row = lead - 0x81;
    else if (lead >= 0xE0 && lead <= 0xEF)
        row = lead - 0xC1;
    else
        return {};
    int cell;
    if (trail >= 0x40 && trail <= 0x7E)
        cell = trail - 0x3F;
    else if (trail >= 0x80 && trail <= 0xFC)
        cell = trail - 0x40;
    else
        return {};
    int first = 2 * row + 1;
    if (cell > 94) {
        cell -= 94;
        ++first;
    }
    return {static_cast<uint8_t>(first + 0x20), static_cast<uint8_t>(cell + 0x20)};
}

char16_t jisToSjisPair(unsigned first, unsigned second) {
    if (first < 0x20 || second < 0x20)
        return 0;
    unsigned a = first - 0x20;
    unsigned b = second - 0x20;
    if (a < 1 || a > 94 || b >= 95)
        return 0;
    if (a % 2 == 0)
        b += 94;
    a = (a - 1) / 2;
    unsigned lead;
    if (a <= 30)
        lead = a + 0x81;
    else if (a <= 46)
        lead = a + 0xC1;
    else
        return 0;
    unsigned trail;
    if (b >= 1 && b <= 63)
        trail = b + 0x3F;
    else if (b >= 64 && b <= 188)
        trail = b + 0x40;
    else
        return 0;
    return charOfCp932(static_cast<uint16_t>(lead << 8 | trail)).value_or(0);
}

Converted<std::u16string> sjisToJisText(std::u16string_view text) {
    Converted<std::u16string> result;
    result.error = writeJis(text, result.value);
    return result;
}

Converted<std::vector<uint8_t>> textToJisBytes(std::u16string_view text) {
    Converted<std::vector<uint8_t>> result;
    result.error = writeJis(text, result.value);
    return result;
}

std::u16string jisTextToSjis(std::u16string_view jis) {
    return readJis(std::span<const char16_t>(jis.data(), jis.size()),
                   {.romanEscape = true, .shiftCodes = false}, [](char16_t c) { return c; })
        .value;
}

Converted<std::u16string> jisBytesToText(std::span<const uint8_t> bytes) {
    // A byte above 0x7F does not belong in ISO-2022-JP; read as code page 932 it is either a
    // half-width katakana or half a character, which becomes U+0000 like an unconvertible pair.
    return readJis(bytes, {.romanEscape = false, .shiftCodes = true},
                   [](uint8_t b) { return charOfCp932(b).value_or(char16_t(0)); });
}

std::optional<uint8_t> sjisLeadByte(char16_t c) {
    std::optional<uint16_t> code = cp932CodeOf(c);
    if (!code)
        return std::nullopt;
    return static_cast<uint8_t>(isSingleByteCp932(*code) ? *code : *code >> 8);
}

std::optional<uint8_t> sjisTrailByte(char16_t c) {
    std::optional<uint16_t> code = cp932CodeOf(c);
    if (!code || isSingleByteCp932(*code))
        return std::nullopt;
    return static_cast<uint8_t>(*code & 0xFF);
}

} // namespace sarvo
