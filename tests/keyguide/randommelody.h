#pragma once
// Seeded random melodies over the whole token vocabulary, for property tests of the phone types.

#include <random>
#include <string>

namespace sarvo::keyguide {

inline std::u16string randomMelody(std::mt19937& rng, int maxTokens = 40) {
    static constexpr std::u16string_view kNoteCodes = u"ABCDE2356";
    static constexpr std::u16string_view kRestCodes = u"FGHIJ\\]_`";
    static constexpr std::u16string_view kOctaves = u"低中高";
    static const std::u16string_view kPitches[] = {u"ド",  u"ド#", u"レ",  u"レ#", u"ミ",  u"フ",
                                                   u"フ#", u"ソ",  u"ソ#", u"ラ",  u"ラ#", u"シ"};
    auto pick = [&](int n) {
        return std::uniform_int_distribution<int>(0, n - 1)(rng);
    };
    std::u16string melody;
    const int tokens = pick(maxTokens + 1);
    for (int t = 0; t < tokens; ++t) {
        const bool rest = pick(4) == 0;
        const char16_t code = rest ? kRestCodes[pick(9)] : kNoteCodes[pick(9)];
        melody += code;
        const bool plain = (code >= u'A' && code <= u'J');
        if (plain && pick(4) == 0)
            melody += u'.';
        if (!rest) {
            melody += kOctaves[pick(3)];
            melody += kPitches[pick(12)];
        }
        melody += u' ';
        // Ties follow notes, as the keyboard enters them.
        if (!rest && plain && pick(6) == 0)
            for (int tie = pick(3); tie >= 0; --tie)
                melody += u"^ ";
    }
    return melody;
}

} // namespace sarvo::keyguide
