#include "common/textcodec.h"
#include "keyguidetesting.h"
#include "randommelody.h"
#include "sixteenthgrid.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeB = 3;
constexpr size_t kNoteLimit = 50;

std::u16string toKeys(std::u16string_view melody) {
    return keyguide::toKeys(kTypeB, melody);
}
std::u16string fromKeys(std::u16string_view keys) {
    return keyguide::fromKeys(kTypeB, keys);
}

TEST(TypeBConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"one press per sixteenth, every length",
         u"A.中ド A中レ B.中ミ B中フ C.中ソ C中ラ D.中シ D中ド E.中レ E中ミ ",
         cells({u"１×２４", u"２×１６", u"３×１２", u"４×８", u"５×６", u"６×４", u"７×３",
                u"１×２", u"２", u"３"})},
        {"rests have the same lengths", u"G. D中ド I. C中レ F ",
         cells({u"＃×１２", u"１×２", u"＃×３", u"２×４", u"＃×１６"})},
        {"rests in a row are one press group", u"H I J ", cells({u"＃×７"})},
        {"tuplets: a quarter triplet is three sixteenths, the others one",
         u"2中ド 3中レ 5中ミ 6中フ \\ ] _ ` ", cells({u"１×３", u"２", u"３", u"４", u"＃×６"})},
        {"ties add the note's presses again", u"C中ド ^ D中レ ^ ^ ", cells({u"１×８", u"２×６"})},
        {"high ド has its own key", u"C高ド D中ド ", cells({u"８×４", u"１×２"})},
        {"sharps are ignored", u"D中ド# E高ド# ", cells({u"１×２", u"８"})},
        {"a high note other than ド becomes a rest of its length", u"D高レ C中ミ ",
         cells({u"＃×２", u"３×４"})},
        {"low notes become rests and join the rests around them", u"I D低ソ E.低ド J ",
         cells({u"＃×６"})},
        {"same key twice: the earlier note gives a sixteenth to the separator", u"C中ソ C中ソ ",
         cells({u"５×３", u"＃", u"５×４"})},
        {"an earlier note left with one press is the bare key", u"D中ソ D中ソ ",
         cells({u"５", u"＃", u"５×２"})},
        {"an earlier sixteenth: the separator comes from the current note", u"E中ソ C中ソ ",
         cells({u"５", u"＃", u"５×３"})},
        {"two sixteenths on the same key stand side by side", u"E中ソ E中ソ E.中ソ ",
         cells({u"５×３"})},
        {"a note that gave a sixteenth at its start has none to spare", u"E中ソ D中ソ D中ソ ",
         cells({u"５", u"＃", u"５", u"＃", u"５"})},
        {"sixteenths side by side, then a longer note", u"E中ソ E中ソ C中ソ ",
         cells({u"５×２", u"＃", u"５×３"})},
        {"a sharp is the same key as its natural", u"D中ド D中ド# ",
         cells({u"１", u"＃", u"１×２"})},
        {"middle and high ド are different keys", u"D中ド D高ド ", cells({u"１×２", u"８×２"})},
        {"a rest between equal notes needs no separator", u"C中ソ J C中ソ ",
         cells({u"５×４", u"＃", u"５×４"})},
        {"a note that became a rest separates like a rest", u"D中ソ D低ソ D中ソ ",
         cells({u"５×２", u"＃×２", u"５×２"})},
        {"ties and unknown codes with no length type nothing", u"^ K中ド D中ド ",
         cells({u"１×２"})},
        {"a press group longer than a cell goes on in the next cell",
         u"A.中ソ " + repeated(u"^ ", 41) + u"D中ソ ",
         cells({u"５×９９９", u"５×８", u"＃", u"５×２"})},
    };
    expectKeyTexts(kTypeB, cases);
}

TEST(TypeBConverter, CountsNotesNotSixteenths) {
    // Fifty whole notes are typed in full; the fifty-first note is left out.
    const std::u16string fiftyOne = repeated(u"A中ド A中レ ", 25) + u"A中ミ ";
    EXPECT_EQ(toKeys(fiftyOne), repeated(cells({u"１×１６", u"２×１６"}), 25));

    // Rests count as notes too, even when they join the press group before them.
    const std::u16string rests = repeated(u"J ", 60);
    EXPECT_EQ(toKeys(rests), cells({u"＃×５０"}));
}

TEST(TypeBConverter, SetsMergeRepeatsAndReportsNothing) {
    melody::ParserState state;
    RecordingInteractive ui;
    convertToKeys(kTypeB, u"C低ド K中ド C高ラ# ", state, ui);
    EXPECT_TRUE(state.mergeRepeats);
    EXPECT_TRUE(ui.messages().empty());
}

TEST(TypeBReader, Cells) {
    const std::vector<ConversionCase> cases = {
        {"empty key text gives the trailing blank", u" ", u""},
        {"a key pressed n times is n sixteenths", u"E中ソ E中ソ E中ソ E中ソ ", cells({u"５×４"})},
        {"every digit key", u"E中ド E中レ E中ミ E中フ E中ソ E中ラ E中シ ",
         cells({u"１", u"２", u"３", u"４", u"５", u"６", u"７"})},
        {"８ is high ド", u"E高ド E高ド ", cells({u"８×２"})},
        {"＃ is a sixteenth rest", u"J J J E中レ ", cells({u"＃×３", u"２"})},
        {"a two-digit count", u"J J J J J J J J J J J J ", cells({u"＃×１２"})},
        {"a count that cannot be read is one press", u"E中ソ ", cells({u"５×Ｘ"})},
        {"cursor keys are skipped", u"E中ド J E中ド ", cells({u"１", u"→", u"＃", u"１"})},
        {"an unknown key gives a rest of the note's length", u"J E中レ ", cells({u"９", u"２"})},
        {"an unknown key keeps its press count", u"J J J E中レ ", cells({u"Ｘ×３", u"２"})},
        {"a short last cell", u"E中ラ ", u"６"},
    };
    expectMelodiesRead(kTypeB, cases);
}

// The pitch the phone plays for a note: middle notes as their natural, high ド; none else.
std::optional<int> playedPitch(const std::optional<int>& midi) {
    if (!midi)
        return std::nullopt;
    if (*midi >= 72 && *midi < 84)
        return *midi - (melody::sharpMarkOf(*midi % 12).empty() ? 0 : 1);
    if (*midi == 84 || *midi == 85)
        return 84;
    return std::nullopt;
}

// Pitches in order with repeats run together: the phone cannot tell two sixteenths typed side
// by side from one eighth, and the separator rest keeps a repeated note apart.
std::vector<int> pitchRuns(const std::vector<SoundEvent>& events, size_t maxEvents) {
    std::vector<int> runs;
    for (size_t i = 0; i < events.size() && i < maxEvents; ++i)
        if (const std::optional<int> pitch = playedPitch(events[i].midi);
            pitch && (runs.empty() || runs.back() != *pitch))
            runs.push_back(*pitch);
    return runs;
}

// The first tokens of a melody text made of tokens without ties.
std::u16string firstTokens(std::u16string_view melody, size_t count) {
    size_t end = 0;
    for (size_t token = 0; token < count && end < melody.size(); ++token)
        end = melody.find(u' ', end) + 1;
    return std::u16string(melody.substr(0, end));
}

TEST(TypeBProperty, KeyTextIsAFixedPointAndKeepsPitchesAndSixteenths) {
    std::mt19937 rng(20261206);
    for (int round = 0; round < 2500; ++round) {
        const std::u16string melody = randomMelody(rng, 80);
        SCOPED_TRACE(toUtf8(melody));
        const std::u16string keys = toKeys(melody);
        ASSERT_EQ(keys.size() % kCellWidth, 0u);
        const std::u16string readBack = fromKeys(keys);

        // The read-back melody is one sixteenth per press: notes "E" and rests "J".
        // (An empty key text reads back as the lone trailing blank.)
        const Sounding back = soundingOf(readBack == u" " ? u"" : readBack);
        for (const SoundEvent& event : back.events)
            ASSERT_EQ(event.ticks, melody::kTicksPerSixteenth);

        // Converting it again types its first fifty sixteenths (all of them when there are no
        // more), and that key text is a fixed point.
        const std::u16string again = toKeys(readBack);
        ASSERT_EQ(fromKeys(again), firstTokens(readBack, kNoteLimit));
        ASSERT_EQ(toKeys(fromKeys(again)), again);
        if (back.events.size() <= kNoteLimit) {
            ASSERT_EQ(again, keys);
        }

        // Of the first fifty notes, the pitches the phone plays come back in order, and every
        // length comes back in sixteenths (tuplets and dotted sixteenths as the grid makes them).
        const Sounding original = soundingOf(melody);
        ASSERT_EQ(pitchRuns(back.events, back.events.size()),
                  pitchRuns(original.events, kNoteLimit));
        ASSERT_EQ(back.ticks, ticksOnGrid(melody, kNoteLimit));
    }
}

} // namespace
} // namespace sarvo::keyguide
