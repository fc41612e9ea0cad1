#pragma once
// Seeded random texts for the conversion tests: ASCII and the two-byte characters that
// ISO-2022-JP carries and that read back as themselves.

#include "common/cp932.h"
#include "common/jistext.h"

#include <random>
#include <string>
#include <vector>

namespace sarvo::testing {

// Every character whose code page 932 form is two bytes in the convertible lead range and
// reads back as the same character (so no second spelling of a code, such as U+00A5 for 0x5C).
inline const std::vector<char16_t>& twoByteCharacters() {
    static const std::vector<char16_t> chars = [] {
        std::vector<char16_t> found;
        for (unsigned c = 0x80; c < 0x10000; ++c) {
            const auto code = cp932CodeOf(static_cast<char16_t>(c));
            if (code && !isSingleByteCp932(*code) && *code >> 8 <= 0xEF &&
                charOfCp932(*code) == static_cast<char16_t>(c))
                found.push_back(static_cast<char16_t>(c));
        }
        return found;
    }();
    return chars;
}

// A text of length characters; each is printable ASCII with the given probability, otherwise a
// two-byte character.
inline std::u16string randomJapaneseText(std::mt19937& rng, size_t length, double asciiShare) {
    const auto& kanji = twoByteCharacters();
    std::bernoulli_distribution ascii(asciiShare);
    std::uniform_int_distribution<int> printable(0x20, 0x7E);
    std::uniform_int_distribution<size_t> pick(0, kanji.size() - 1);
    std::u16string text;
    for (size_t i = 0; i < length; ++i)
        text.push_back(ascii(rng) ? static_cast<char16_t>(printable(rng)) : kanji[pick(rng)]);
    return text;
}

} // namespace sarvo::testing
