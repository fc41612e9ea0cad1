#include "common/textcodec.h"
#include "keyguidetesting.h"
#include "randommelody.h"
#include "sixteenthgrid.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeAH = 35;
constexpr int kLimit = 200;

std::u16string toKeys(std::u16string_view melody) {
    return keyguide::toKeys(kTypeAH, melody);
}

TEST(TypeAHConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"one press per sixteenth", u"E中ド D中レ C中ミ ",
         cells({u"１", u"２", u"２", u"３", u"３", u"３", u"３"})},
        {"dotted lengths", u"D.中フ ", cells({u"４", u"４", u"４"})},
        {"the middle octave on one to seven", u"E中ソ E中ラ E中シ ", cells({u"５", u"６", u"７"})},
        {"high ド, レ, ミ on eight, nine, zero", u"E高ド E高レ E高ミ ",
         cells({u"８", u"９", u"０"})},
        {"a sharp goes in the key's cell", u"E中ド# D高レ# ", cells({u"１＃", u"９＃", u"９＃"})},
        {"low notes are played an octave up", u"E低ド E低ラ# ", cells({u"１", u"６＃"})},
        {"high ファ to シ are played an octave down", u"E高フ# E高シ ", cells({u"４＃", u"７"})},
        {"rests press the star key", u"I J. \\ ",
         cells({u"＊", u"＊", u"＊", u"＊", u"＊", u"＊"})},
        {"tuplets on the sixteenth grid", u"2中ド 3中レ 5中ミ 6中フ ",
         cells({u"１", u"１", u"１", u"２", u"３", u"４"})},
        {"a tie holds the note on", u"D中ソ ^ ^ ",
         cells({u"５", u"５", u"５", u"５", u"５", u"５"})},
        {"a dotted sixteenth is one press", u"E.中ド J. ", cells({u"１", u"＊"})},
    };
    expectKeyTexts(kTypeAH, cases);
}

TEST(TypeAHConverter, StopsAtTwoHundredPressesASharpCountingTwo) {
    const std::u16string naturals = repeated(u"E中ド ", 198);
    // 198 naturals and a sharp reach 200: nothing after them.
    EXPECT_EQ(toKeys(naturals + u"E中レ# E中ミ "),
              repeated(cells({u"１"}), 198) + cells({u"２＃"}));
    // At 199 a sharp press no longer fits.
    EXPECT_EQ(toKeys(naturals + u"E中ド E中レ# E中ミ ").size(), 199 * kCellWidth);
    // Every press of a long note counts: a whole note at 198 keeps two of its sixteen.
    EXPECT_EQ(toKeys(naturals + u"A中ミ E中ミ "),
              repeated(cells({u"１"}), 198) + cells({u"３", u"３"}));
}

TEST(TypeAHConverter, SetsMergeRepeatsAndReportsNothing) {
    melody::ParserState state;
    RecordingInteractive ui;
    convertToKeys(kTypeAH, u"C低ド 3中ド K中ド ", state, ui);
    EXPECT_TRUE(state.mergeRepeats);
    EXPECT_TRUE(ui.messages().empty());
}

TEST(TypeAHReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"every key", cells({u"１", u"２", u"３", u"４", u"５", u"６", u"７", u"８", u"９", u"０"}),
         u"E中ド E中レ E中ミ E中フ E中ソ E中ラ E中シ E高ド E高レ E高ミ "},
        {"sharps", cells({u"１＃", u"９＃", u"３＃", u"０＃"}), u"E中ド# E高レ# E中ミ E高ミ "},
        {"the star key is a sixteenth rest", cells({u"＊", u"１"}), u"J E中ド "},
        {"cursor keys are skipped", cells({u"→", u"１"}), u"E中ド "},
        {"an unknown key gives a sixteenth rest", cells({u"▲", u"２"}), u"J E中レ "},
    };
    for (const ReaderCase& c : cases) {
        RecordingInteractive ui;
        EXPECT_EQ(fromKeys(kTypeAH, c.keys, &ui), c.melody) << c.name;
        EXPECT_TRUE(ui.messages().empty()) << c.name;
    }
}

// What the phone plays in each sixteenth: a pitch, or nullopt for a rest.
using Sixteenths = std::vector<std::optional<int>>;

// The phone's range is middle ド (72) to high ミ (88): lower notes sound an octave up, higher
// ones an octave down.
int playedPitch(int midi) {
    return midi < 72 ? midi + 12 : midi > 88 ? midi - 12 : midi;
}

std::optional<int> pitchOf(const melody::Note& note) {
    if (!melody::isNoteCode(note.length[0]))
        return std::nullopt;
    return playedPitch(*melody::midiNoteNumber(note.octave, note.pitch, note.sharp));
}

// The sixteenths the phone plays of a melody, press by press while they fit in the phone (a
// sharp press counting as two). A dotted sixteenth is one sixteenth, a quarter triplet three,
// the other tuplets one each; a tie holds the note on.
Sixteenths sixteenthsOnPhone(std::u16string_view melodyText) {
    melody::ParserState state;
    Sixteenths out;
    int counter = 0;
    for (state.readPos = 1; melody::readNextNote(state, melodyText);
         state.currentNote.clearText()) {
        const melody::Note& note = state.currentNote;
        if (note.length == u" " || note.length == u"^")
            continue; // the lone blank of an empty melody, a tie with no note before it
        const std::optional<int> pitch = pitchOf(note);
        const int entries = pitch && note.sharp == u"#" ? 2 : 1;
        const int presses = sixteenthsOnGrid(note.length[0], note.dot == u".");
        for (int press = 0; press < presses * (note.tieCount + 1); ++press) {
            if (counter + entries > kLimit)
                return out;
            counter += entries;
            out.push_back(pitch);
        }
    }
    return out;
}

TEST(TypeAHProperty, KeyTextIsAFixedPointAndKeepsWhatThePhonePlays) {
    std::mt19937 rng(35001);
    for (int round = 0; round < 2500 && !HasFatalFailure(); ++round) {
        const std::u16string melody = randomMelody(rng, round < 2000 ? 40 : 240);
        SCOPED_TRACE(toUtf8(melody));
        const std::u16string keys = toKeys(melody);
        ASSERT_EQ(keys.size() % kCellWidth, 0u);
        const std::u16string readBack = fromKeys(kTypeAH, keys);
        // Every cell reads back as one sixteenth, and the sixteenths are what the phone plays
        // of the melody while it has room: each pitch folded into the phone's range, each rest a
        // rest.
        ASSERT_EQ(soundingOf(readBack).ticks,
                  static_cast<int>(keys.size() / kCellWidth) * melody::kTicksPerSixteenth);
        melody::ParserState state;
        Sixteenths all;
        for (state.readPos = 1; melody::readNextNote(state, readBack);
             state.currentNote.clearText())
            if (state.currentNote.length != u" ") // the lone blank of an empty melody
                all.push_back(pitchOf(state.currentNote));
        ASSERT_EQ(all, sixteenthsOnPhone(melody));
        ASSERT_EQ(toKeys(readBack), keys);
    }
}

} // namespace
} // namespace sarvo::keyguide
