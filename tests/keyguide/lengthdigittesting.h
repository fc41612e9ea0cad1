#pragma once
// Tests shared by Type-AK, Type-AL and Type-AM, which differ only in their sharp key, length
// key and low press count: each type's test builds the cases from its own keys, so every rule
// is checked on every one of the three phones.

#include "keyguidetesting.h"
#include "unitroundtrip.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sarvo::keyguide {

struct LengthDigitType {
    int index = 0;
    int limit = 0;
    std::u16string sharp;  // the sharp key
    std::u16string length; // the length key
    std::u16string low;    // the low press count, e.g. "×５"
};

// The length cell of a length digit.
inline std::u16string lengthCell(const LengthDigitType& t, std::u16string_view digit) {
    return t.length + std::u16string(digit);
}

inline void expectLengthDigitKeyTexts(const LengthDigitType& t) {
    auto L = [&t](std::u16string_view digit) {
        return lengthCell(t, digit);
    };
    const std::u16string low5 = u"５" + t.low;
    struct Case {
        const char* name;
        std::u16string melody;
        std::u16string keys;
    };
    const std::vector<Case> cases = {
        {"empty melody", u"", u""},
        {"every length digit", u"A中ド E中レ D中ミ D.中フ C中ソ C.中ラ B中シ B.中ド ",
         cells({u"１", L(u"０"), u"２", L(u"１"), u"３", L(u"２"), u"４", L(u"３"), u"５", L(u"４"),
                u"６", L(u"５"), u"７", L(u"６"), u"１", L(u"７")})},
        {"octaves by presses", u"C高ソ C低ソ C中ソ ",
         cells({u"５×３", L(u"４"), low5, L(u"４"), u"５", L(u"４")})},
        {"the sharp key follows a sharp note", u"C中ド# D低ソ# ",
         cells({u"１", t.sharp, L(u"４"), low5, t.sharp, L(u"２")})},
        {"ミ and シ take no sharp", u"C高ミ C低シ ",
         cells({u"３×３", L(u"４"), u"７" + t.low, L(u"４")})},
        {"the same key again needs nothing between", u"C中フ C中フ ",
         cells({u"４", L(u"４"), u"４", L(u"４")})},
        {"rests", u"H G. ", cells({u"０", L(u"４"), u"０", L(u"７")})},
        {"a dotted whole is a whole and a half rest", u"A.中ド ",
         cells({u"１", L(u"０"), u"０", L(u"６")})},
        {"dotted sixteenths lose their dot", u"E.中ド J. ",
         cells({u"１", L(u"１"), u"０", L(u"１")})},
        {"tuplets become a dotted eighth or a sixteenth", u"2中ド 3中レ \\ _ ",
         cells({u"１", L(u"３"), u"２", L(u"１"), u"０", L(u"３"), u"０", L(u"１")})},
        {"a tie continues as a rest of the note's length", u"C中ド ^ ",
         cells({u"１", L(u"４"), u"０", L(u"４")})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(toKeys(t.index, c.melody), c.keys) << c.name;
}

inline void expectLengthDigitLimit(const LengthDigitType& t) {
    // At the limit the phone takes one entry more: the whole note of the dotted whole, not its
    // half rest.
    const std::u16string keys = toKeys(t.index, repeated(u"C中ド ", t.limit) + u"A.中ミ C中フ ");
    EXPECT_EQ(keys.substr(t.limit * 2 * kCellWidth), cells({u"３", lengthCell(t, u"０")}));
}

inline void expectLengthDigitReader(const LengthDigitType& t) {
    auto L = [&t](std::u16string_view digit) {
        return lengthCell(t, digit);
    };
    struct Case {
        const char* name;
        std::u16string keys;
        std::u16string melody;
        bool error = false;
    };
    const std::vector<Case> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"every length digit",
         cells({u"１", L(u"０"), u"１", L(u"１"), u"１", L(u"２"), u"１", L(u"３"), u"１", L(u"４"),
                u"１", L(u"５"), u"１", L(u"６"), u"１", L(u"７")}),
         u"A中ド E中ド D中ド D.中ド C中ド C.中ド B中ド B.中ド "},
        {"press counts", cells({u"２×３", L(u"４"), u"２" + t.low, L(u"４"), u"２×２", L(u"４")}),
         u"C高レ C低レ C中レ "},
        {"sharps", cells({u"２", t.sharp, L(u"４"), u"３", t.sharp, L(u"４")}), u"C中レ# C中ミ "},
        {"rests", cells({u"０", L(u"０"), u"０", L(u"５")}), u"F H. "},
        {"cursor keys are skipped", cells({u"→", u"１", L(u"２")}), u"D中ド "},
        {"an unknown key gives a rest of the note's length", cells({u"▲", u"１", L(u"２")}),
         u"H D中ド "},
        {"a note without its length cell", cells({u"１", L(u"４"), u"２", u"３", L(u"４")}),
         u"C中ド ", true},
        {"a length digit the phone lacks", cells({u"１", L(u"８")}), u" ", true},
        {"a length key with no digit", cells({u"１", t.length}), u" ", true},
        {"a sharp key where a note belongs", cells({t.sharp, u"１", L(u"４")}), u" ", true},
        {"a length cell where a note belongs", cells({L(u"４"), u"１", L(u"４")}), u" ", true},
    };
    for (const Case& c : cases) {
        RecordingInteractive ui;
        EXPECT_EQ(fromKeys(t.index, c.keys, &ui), c.melody) << c.name;
        EXPECT_EQ(ui.messages(), c.error
                                     ? std::vector<std::u16string>{std::u16string(kConversionError)}
                                     : std::vector<std::u16string>{})
            << c.name;
    }
}

// Every unit reads back as one token of the eight lengths the digits give (or their rests),
// counting one note each, so the round trip's limit is the note limit. A dotted whole becomes a
// whole and a half rest, a dotted sixteenth a sixteenth, a quarter triplet a dotted eighth and
// the shorter tuplets a sixteenth; every pitch and sharp comes back.
inline void expectLengthDigitRoundTrips(const LengthDigitType& t, unsigned seed) {
    expectUnitRoundTrips({t.index,
                          t.limit,
                          {u"A", u"B.", u"B", u"C.", u"C", u"D.", u"D", u"E", u"F", u"G.", u"G",
                           u"H.", u"H", u"I.", u"I", u"J"}},
                         seed);
}

} // namespace sarvo::keyguide
