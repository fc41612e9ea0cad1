// The rules of single phone types that neither the contract suite nor the worked examples of
// docs/phone-types.md pin down: the keys where a reader stops with a conversion error, how the
// note that meets the limit is typed, and faults that once slipped through.

#include "common/textcodec.h"
#include "keyguide/phonetypes.h"
#include "keyguidetesting.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sarvo::keyguide {
namespace {

int indexOf(std::u16string_view type) {
    return phoneTypeByShortName(type)->index;
}

// A key text that reads as the melody.
struct TypeReading {
    std::u16string_view type;
    const char* rule;
    std::u16string keys;
    std::u16string melody;
};

TEST(TypeRules, ReadersStopWhereTheSequenceNeedsAnotherKey) {
    // The notes read so far stay; the error is reported once.
    const std::vector<TypeReading> cases = {
        {u"Type-AA", "a length key where a note belongs", cells({u"１", u"＊", u"＊", u"２"}),
         u"D中ド "},
        {u"Type-AC", "a sharp key with no note before it", cells({u"１", u"０", u"８", u"２"}),
         u"E中ド J "},
        {u"Type-AC", "a second octave key", cells({u"１", u"９", u"９"}), u"E高ド "},
        {u"Type-AD", "the character key after a rest", cells({u"０", u"文字", u"１"}), u"I "},
        {u"Type-AE", "a note without its length key", cells({u"１", u"↓×７", u"２", u"９", u"↓"}),
         u"D中ド "},
        {u"Type-AF", "a length press before a pitch press stops the reading",
         cells({u"６", u"クリア", u"６", u"３", u"１", u"クリア"}), u"C中ラ "},
        {u"Type-AF", "a pitch press after a rest stops the reading",
         cells({u"２", u"クリア", u"クリア", u"１", u"クリア"}), u"C中レ "},
        {u"Type-AF", "an entry left open at the end stops the reading",
         cells({u"２", u"クリア", u"５", u"１"}), u"C中レ "},
        {u"Type-AG", "a note without its length", cells({u"１", u"０×５", u"２", u"３", u"０×５"}),
         u"C中ド "},
        {u"Type-AG", "a length count the list lacks", cells({u"１", u"０×９"}), u" "},
        {u"Type-AG", "a star after a rest", cells({u"８", u"＊×２", u"０×５"}), u" "},
        {u"Type-AG", "a length key where a note belongs", cells({u"０×５", u"１", u"０×５"}), u" "},
        {u"Type-AI", "another key inside a note's cell", cells({u"１２", u"▼"}), u" "},
        {u"Type-AI", "a note at the end without its next-entry key", cells({u"１"}), u" "},
        {u"Type-AJ", "a note not followed by nine", cells({u"１", u"９", u"２", u"＊×２", u"９"}),
         u"D中ド "},
        {u"Type-AJ", "a note at the end without nine", cells({u"１", u"９", u"１"}), u"D中ド "},
        {u"Type-AJ", "star presses with no note before them", cells({u"９", u"＊×２"}), u"I "},
        {u"Type-F", "a pitch without a length key: stop, keeping what was read",
         cells({u"１", u"２", u"３", u"→", u"４", u"４"}), u"D中ド "},
        {u"Type-I", "a note not entered with →: stop, keeping what was read",
         cells({u"１", u"→", u"２", u"０", u"３"}), u"C中ド "},
        {u"Type-I", "a rest not entered with →", cells({u"０", u"１", u"→"}), u" "},
        {u"Type-J", "a sharp key where a note belongs: stop, keeping what was read",
         cells({u"１", u"９", u"９", u"２"}), u"E中ド# "},
        {u"Type-K", "a note not entered with ＃: stop, keeping what was read",
         cells({u"１", u"＃", u"２", u"０", u"３"}), u"D中ド "},
        {u"Type-K", "six length presses are no length", cells({u"１", u"０×６", u"＃"}), u" "},
        {u"Type-L", "a note must be entered with ＃", cells({u"１", u"＃", u"２", u"３", u"＃"}),
         u"C中ド "},
        {u"Type-L", "six length presses are no length", cells({u"１", u"０×６", u"＃"}), u" "},
        {u"Type-L", "８ with no note before it", cells({u"１", u"＃", u"８", u"＃"}), u"C中ド "},
        {u"Type-M", "８ is no length digit", cells({u"１４", u"２８", u"３４"}), u"C中ド "},
        {u"Type-M", "a pitch key without its length digit", cells({u"１４", u"２"}), u"C中ド "},
        {u"Type-N", "a note must be closed by its length",
         cells({u"１", u"０×４", u"２", u"３", u"０×４"}), u"C中ド "},
        {u"Type-N", "one press of ０ is no length", cells({u"１", u"０×４", u"０"}), u"C中ド "},
        {u"Type-N", "a sharp with no note before it", cells({u"１", u"０×４", u"９", u"０×４"}),
         u"C中ド "},
        {u"Type-P", "four presses are no length", cells({u"１", u"０×４"}), u" "},
        {u"Type-Q", "０ pressed once is no rest", cells({u"１", u"０", u"２"}), u"D中ド "},
        {u"Type-Q", "０ pressed three times is no rest", cells({u"０×３", u"２"}), u" "},
        {u"Type-S", "▲ must be followed by a length key; what was read stays",
         cells({u"１", u"→", u"２", u"▲", u"＊", u"→", u"３", u"→"}), u"C中ド "},
        {u"Type-S", "a length with no note before it stops the reader",
         cells({u"１", u"→", u"▲", u"４", u"→", u"３", u"→"}), u"C中ド "},
        {u"Type-S", "▲ at the very end", cells({u"９", u"▲"}), u" "},
        {u"Type-T", "five presses are no length: stop, keeping what was read",
         cells({u"１３", u"→", u"１５", u"０×５", u"→", u"１７", u"→"}), u"D中ド "},
        {u"Type-T", "the note must be entered with →",
         cells({u"１３", u"→", u"１５", u"０", u"１７", u"→"}), u"D中ド "},
        {u"Type-U", "a length key where a note belongs stops the reading",
         cells({u"１", u"↓×７", u"↓", u"２", u"↓"}), u"D中ド "},
        {u"Type-U", "a rest cut off before its length", cells({u"１", u"↓×７", u"０"}), u"D中ド "},
        {u"Type-V", "a note without its length key stops the reading",
         cells({u"７", u"▼×５", u"７", u"▲", u"７", u"▼"}), u"C中シ "},
        {u"Type-W", "a sharp without its length key stops the reading",
         cells({u"１", u"▼×５", u"２", u"▲", u"３"}), u"C中ド "},
        {u"Type-Y", "a pitch cell must end with Ｆ; what was read stays",
         cells({u"１Ｆ", u"Ｆ", u"２９＊", u"Ｆ"}), u"C中ド "},
        {u"Type-Y", "a rest cell must end with Ｆ", cells({u"０＊", u"Ｆ"}), u" "},
        {u"Type-Y", "a length number beyond the list", cells({u"１Ｆ", u"１１Ｆ"}), u" "},
        {u"Type-Z", "a length key first stops the reading", cells({u"▼×３", u"１", u"▼"}), u" "},
        {u"Type-AK", "a length digit the phone lacks", cells({u"１", u"＊８"}), u" "},
        {u"Type-AK", "a length key with no digit", cells({u"１", u"＊"}), u" "},
        {u"Type-AK", "a sharp key where a note belongs", cells({u"＃", u"１", u"＊４"}), u" "},
        {u"Type-AK", "a note without its length cell",
         cells({u"１", u"＊４", u"２", u"３", u"＊４"}), u"C中ド "},
    };
    for (const TypeReading& c : cases) {
        RecordingInteractive ui;
        EXPECT_EQ(fromKeys(indexOf(c.type), c.keys, &ui), c.melody)
            << toUtf8(c.type) << ": " << c.rule;
        EXPECT_EQ(ui.messages(), std::vector<std::u16string>{std::u16string(kConversionError)})
            << toUtf8(c.type) << ": " << c.rule;
    }
}

TEST(TypeRules, ReadersSkipWhatThePhoneIgnores) {
    const std::vector<TypeReading> cases = {
        // A key Type-B lacks keeps its press count (it once read as a single rest).
        {u"Type-B", "an unknown key keeps its press count", cells({u"Ｘ×３", u"２"}),
         u"J J J E中レ "},
        {u"Type-B", "a count that cannot be read is one press", cells({u"５×Ｘ"}), u"E中ソ "},
        {u"Type-C", "cursor keys are skipped", cells({u"１", u"＃", u"→", u"１", u"＃"}),
         u"D中ド D中ド "},
        {u"Type-K", "cursor keys are skipped", cells({u"→", u"１", u"＃"}), u"D中ド "},
        {u"Type-L", "cursor keys are skipped", cells({u"→", u"１", u"＃", u"→"}), u"C中ド "},
        {u"Type-Y", "cursor keys are skipped", cells({u"→", u"２Ｆ", u"Ｆ", u"→"}), u"C中レ "},
        {u"Type-J", "ミ takes no sharp", cells({u"３", u"９"}), u"E中ミ "},
        {u"Type-K", "ミ takes no sharp; six presses of ８ come round to the middle",
         cells({u"３", u"８", u"＃", u"２", u"８×６", u"＃"}), u"D中ミ D中レ "},
        {u"Type-N", "ミ takes no sharp", cells({u"３", u"９", u"０×４"}), u"C中ミ "},
        {u"Type-AC", "ミ takes no sharp", cells({u"３", u"８", u"３"}), u"E中ミ E中ミ "},
        {u"Type-AD", "ミ takes no sharp", cells({u"３", u"文字"}), u"D中ミ "},
        {u"Type-AE", "a flat below the lowest note is a rest", cells({u"↑×２", u"１×２", u"↓×７"}),
         u"I "},
    };
    for (const TypeReading& c : cases)
        EXPECT_EQ(fromKeys(indexOf(c.type), c.keys), c.melody) << toUtf8(c.type) << ": " << c.rule;
}

TEST(TypeRules, PhonesThatDropTheSharpOfMiAndSi) {
    // These phones type ミ# and シ# as the natural.
    for (std::u16string_view type : {u"Type-L", u"Type-O", u"Type-AC", u"Type-AD", u"Type-AF"})
        EXPECT_EQ(toKeys(indexOf(type), u"C高ミ# C低シ# D中ミ# "),
                  toKeys(indexOf(type), u"C高ミ C低シ D中ミ "))
            << toUtf8(type);
}

TEST(TypeRules, TheNoteThatMeetsTheLimit) {
    // Type-B counts notes: rests that join one press group count one each.
    EXPECT_EQ(toKeys(indexOf(u"Type-B"), repeated(u"J ", 60)), cells({u"＃×５０"}));
    // Type-AH counts a sharp press as two: at 199 a sharp no longer fits, and a whole note at
    // 198 keeps two of its sixteen presses.
    const int ah = indexOf(u"Type-AH");
    EXPECT_EQ(toKeys(ah, repeated(u"E中ド ", 199) + u"E中レ# E中ミ ").size(), 199 * kCellWidth);
    EXPECT_EQ(toKeys(ah, repeated(u"E中ド ", 198) + u"A中ミ E中ミ "),
              repeated(cells({u"１"}), 198) + cells({u"３", u"３"}));
    // Type-AK takes one entry past 256: the whole note of a dotted whole, not its half rest.
    EXPECT_EQ(toKeys(indexOf(u"Type-AK"), repeated(u"C中ド ", 256) + u"A.中ミ C中フ ")
                  .substr(256 * 2 * kCellWidth),
              cells({u"３", u"＊０"}));
}

} // namespace
} // namespace sarvo::keyguide
