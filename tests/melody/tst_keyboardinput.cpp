// The key handler of note input, driven by key sequences as a user types them, with the real
// staff model following the edits and a recording host for everything the window would do.

#include "keyscript.h"

#include "common/interaction.h"
#include "common/textcodec.h"
#include "melody/caretediting.h"
#include "melody/keyboardinput.h"
#include "melody/keyboardlabels.h"
#include "melody/keyinputrecording.h"
#include "melody/lengthkeytable.h"
#include "melody/staffmodel.h"
#include "melody/staffmodelfollower.h"
#include "melody/tokenvalidation.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace sarvo::melody {
namespace {

using testing::keysOf;
using Preview = RecordingKeyInputHost::Preview;
using Panel = RecordingKeyInputHost::Panel;

constexpr int kEnd = -1;

// The staff notes as "pitch/length" words, selected ones marked with "*".
std::string describe(const StaffModel& staff) {
    std::string words;
    for (const StaffNote& note : staff)
        words += toUtf8(note.pitch) + "/" + toUtf8(note.length) + (note.selected ? "* " : " ");
    return words;
}

// Everything a key handler works with, real where a real part exists.
struct Harness {
    explicit Harness(int keyMap = 0, std::u16string text = {}, int caret = kEnd) {
        input.setKeyMap(keyMap);
        melody.text = std::move(text);
        melody.caret = caret == kEnd ? static_cast<int>(melody.text.size()) : caret;
        follower.rebuild();
    }

    void press(std::string_view script) {
        for (const KeyEvent& event : keysOf(script)) {
            input.keyDown(event, melody);
            input.keyUp({event.keyCode, event.modifiers, false});
        }
    }

    // The staff built afresh from the text must equal the one the edits kept in step, with the
    // current note at the caret.
    void expectStaffFollowsText() {
        StaffModel fresh;
        ParserState walk;
        rebuildStaff(walk, melody.text, fresh);
        EXPECT_TRUE(staff.notes() == fresh.notes())
            << toUtf8(melody.text) << "\n kept: " << describe(staff)
            << "\n built: " << describe(fresh);
        EXPECT_EQ(staff.currentIndex(), tokenIndexAtCaret(melody)) << toUtf8(melody.text);
    }

    RecordingKeyInputHost host;
    RecordingInteractive ui;
    ParserState state;
    ParserState staffWalk;
    MelodyText melody;
    StaffModel staff;
    StaffModelFollower follower{staff, staffWalk, melody};
    KeyboardInput input{host, follower, ui, state};
};

struct EditCase {
    const char* name;
    int keyMap;
    std::u16string text;
    int caret;
    const char* keys;
    std::u16string expected;
    int expectedCaret;
    std::u16string_view status; // the one status message, empty for none
    int beeps;
    std::vector<int> notesOn;
};

std::ostream& operator<<(std::ostream& out, const EditCase& c) {
    return out << c.name;
}

class KeyEditing : public ::testing::TestWithParam<EditCase> {};

TEST_P(KeyEditing, TextCaretStatusAndPreview) {
    const EditCase& c = GetParam();
    Harness h(c.keyMap, c.text, c.caret);
    h.press(c.keys);
    EXPECT_EQ(toUtf8(h.melody.text), toUtf8(c.expected));
    const int expectedCaret =
        c.expectedCaret == kEnd ? static_cast<int>(c.expected.size()) : c.expectedCaret;
    EXPECT_EQ(h.melody.caret, expectedCaret);
    EXPECT_EQ(h.host.beeps, c.beeps);
    std::vector<std::u16string> expectedStatus;
    if (!c.status.empty())
        expectedStatus.emplace_back(c.status);
    EXPECT_EQ(h.host.statusMessages, expectedStatus);
    EXPECT_EQ(h.host.notesOn, c.notesOn);
    // Every note that sounded was ended by its key coming up.
    EXPECT_EQ(h.host.notesOff, c.notesOn);
    h.expectStaffFollowsText();
}

// clang-format off
const EditCase kEditCases[] = {
    // Pitch keys in three octaves under each map; map 0 starts with eighths.
    {"Map0Octaves", 0, u"", 0, "C 1 C-1 S-Y", u"C中ド C低ド C高ラ# ", kEnd, {}, 0, {72, 60, 94}},
    {"Map0StartsWithEighth", 0, u"", 0, "3", u"D中ミ ", kEnd, {}, 0, {76}},
    {"Map0SharpKeys", 0, u"", 0, "E Q W R T Y", u"E中ド# E中レ# E中フ# E中ソ# E中ラ# ", kEnd, {}, 0, {73, 75, 78, 80, 82}},
    {"Map0AutoRepeatInsertsAgain", 0, u"", 0, "1 R-1", u"D中ド D中ド ", kEnd, {}, 0, {72, 72}},
    {"Map1PianoKeys", 1, u"", 0, "4 A W C-J S-U", u"E中ド E中ド# E低シ E高ラ# ", kEnd, {}, 0, {72, 73, 71, 94}},
    // The sharp prefix of map 2 lasts one note and leaves ミ natural; its digits are lengths.
    {"Map2SharpPrefixRe", 2, u"", 0, "S-3 D", u"D中レ# ", kEnd, {}, 0, {75}},
    {"Map2SharpPrefixMiStaysNatural", 2, u"", 0, "S-3 E", u"D中ミ ", kEnd, {}, 0, {76}},
    {"Map2SharpPrefixLastsOneNote", 2, u"", 0, "S-3 S-F F", u"D高フ# D中フ ", kEnd, {}, 0, {90, 77}},
    {"Map2LengthDigits", 2, u"", 0, "1 C 7", u"B中ド H ", kEnd, {}, 0, {72}},
    {"Map2Shift3IsNoHighMi", 2, u"", 0, "S-3", u"", kEnd, {}, 0, {}},
    // Length keys: notes only choose the length, rests are entered at once.
    {"Map0NoteLengthOnlyRestsAtOnce", 0, u"", 0, "C F G H I J", u"F G H I J ", kEnd, {}, 0, {}},
    {"Map1RestDigits", 1, u"", 0, "5 9", u"F J ", kEnd, {}, 0, {}},
    {"ZeroUnderMap1IsWholeNote", 1, u"", 0, "0 A", u"A中ド ", kEnd, {}, 0, {72}},
    // Ties.
    {"SlurTwice", 0, u"C中ド ", kEnd, "0 0", u"C中ド ^ ^ ", kEnd, {}, 0, {}},
    {"SlurAfterRestRefused", 0, u"H ", kEnd, "0", u"H ", kEnd, kSlurAfterRestRefusal, 1, {}},
    {"SlurAtStartRefused", 0, u"C中ド ", 0, "0", u"C中ド ", 0, kSlurAfterRestRefusal, 1, {}},
    {"SlurAfterTupletRefused", 0, u"3中ド ", kEnd, "0", u"3中ド ", kEnd, kSlurAfterTupletRefusal, 1, {}},
    {"SlurAfterTupletRestRefused", 0, u"] ", kEnd, "0", u"] ", kEnd, kSlurAfterTupletRefusal, 1, {}},
    {"SlurKeyOfMap1IsMinus", 1, u"C高ソ# ", kEnd, "-", u"C高ソ# ^ ", kEnd, {}, 0, {}},
    {"SlurInTheMiddle", 0, u"C中ド D中レ ", 4, "0", u"C中ド ^ D中レ ", 6, {}, 0, {}},
    // Dots.
    {"DotOnAndOff", 0, u"C中ド H ", 4, ". . .", u"C.中ド H ", 5, {}, 0, {}},
    {"DotOnRest", 0, u"H ", kEnd, ".", u"H. ", kEnd, {}, 0, {}},
    {"DotAfterTupletRefused", 0, u"2中ド ", kEnd, ".", u"2中ド ", kEnd, kDotAfterTupletRefusal, 1, {}},
    {"DotOnTieDoesNothing", 0, u"C中ド ^ ", kEnd, ".", u"C中ド ^ ", kEnd, {}, 0, {}},
    {"DotAtStartDoesNothing", 0, u"C中ド ", 0, ".", u"C中ド ", 0, {}, 0, {}},
    // Deleting and caret moves.
    {"BackspaceAtEnd", 0, u"C中ド D中レ ", kEnd, "BS", u"C中ド ", kEnd, {}, 0, {}},
    {"BackspaceAtStart", 0, u"C中ド ", 0, "BS", u"C中ド ", 0, {}, 0, {}},
    {"BackspaceTie", 0, u"C中ド ^ ", kEnd, "BS", u"C中ド ", kEnd, {}, 0, {}},
    {"DeleteAfterCaret", 0, u"C中ド D中レ ", 0, "Del", u"D中レ ", 0, {}, 0, {}},
    {"DeleteAtEnd", 0, u"C中ド ", kEnd, "Del", u"C中ド ", kEnd, {}, 0, {}},
    {"LeftThenInsert", 0, u"C中ド D中レ ", kEnd, "Left 1", u"C中ド D中ド D中レ ", 8, {}, 0, {72}},
    {"LeftStopsAtStart", 0, u"C中ド ", kEnd, "Left Left Left H", u"H C中ド ", 2, {}, 0, {}},
    {"RightStopsAtEnd", 0, u"C中ド D中レ ", 0, "Right Right Right H", u"C中ド D中レ H ", kEnd, {}, 0, {}},
    {"HomeAndEnd", 0, u"C中ド ", kEnd, "Home H End I", u"H C中ド I ", kEnd, {}, 0, {}},
    {"UpDownAndKeysOfNothing", 0, u"C中ド D中レ ", 4, "Up Down K Z 9", u"C中ド D中レ ", 4, {}, 0, {}},
    // A token entered before a tie or removed from before one hands the tie to another note.
    {"NoteBeforeTieTakesIt", 0, u"C中ド ^ ", 4, "S-2", u"C中ド D高レ ^ ", 8, {}, 0, {86}},
    {"RestBeforeTieTakesIt", 0, u"C中ド ^ ", 4, "J", u"C中ド J ^ ", 6, {}, 0, {}},
    {"BackspaceHandsTieBack", 0, u"D中レ C中ド ^ ", 8, "BS", u"D中レ ^ ", 4, {}, 0, {}},
    {"DeleteHandsTieBack", 0, u"D中レ C中ド ^ ", 4, "Del", u"D中レ ^ ", 4, {}, 0, {}},
    {"SlurAfterHandedTie", 0, u"D中レ C中ド ^ ", 8, "BS End 0", u"D中レ ^ ^ ", kEnd, {}, 0, {}},
    {"ShiftEscClears", 0, u"C中ド D中レ ", 4, "S-Esc", u"", 0, {}, 0, {}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Keys, KeyEditing, ::testing::ValuesIn(kEditCases),
                         [](const auto& test) { return std::string(test.param.name); });

// Refusals write their message only while an input view is shown; they always beep.
TEST(KeyboardInput, RefusalMessageOnlyInInputViews) {
    struct Case {
        int view;
        bool shown;
    };
    for (const Case c : {Case{0, true}, Case{1, true}, Case{2, false}, Case{40, false}}) {
        Harness h(0, u"H ");
        h.host.view = c.view;
        h.press("0");
        EXPECT_EQ(h.host.beeps, 1);
        EXPECT_EQ(h.host.statusMessages.size(), c.shown ? 1u : 0u) << c.view;
    }
}

TEST(KeyboardInput, TupletButtonsToggleAndRefuse) {
    struct Case {
        std::u16string text;
        char16_t kind;
        std::u16string expected;
        int beeps;
    };
    // The toggle's rules are the caret editing's; here the staff must follow and a refusal beep.
    const std::vector<Case> cases = {{u"D中ド ", u'6', u"6中ド ", 0}, {u"H ", u'3', u"H ", 1}};
    for (const Case& c : cases) {
        Harness h(0, c.text);
        h.input.pressTupletButton(c.kind, h.melody);
        EXPECT_EQ(toUtf8(h.melody.text), toUtf8(c.expected));
        EXPECT_EQ(h.host.beeps, c.beeps);
        h.expectStaffFollowsText();
    }
}

// The length toolbar sends the entry's key with the toolbar mark: the button is not pressed
// again, while the same key from the keyboard shows its button.
TEST(KeyboardInput, LengthButtonsAndKeys) {
    for (int keyMap = 0; keyMap < 3; ++keyMap) {
        Harness h(keyMap);
        h.input.pressLengthButton(0, h.melody);
        EXPECT_EQ(h.input.currentLength(), u'A');
        EXPECT_TRUE(h.host.lengthButtons.empty());
        h.press(keyMap == 0 ? "E" : "4");
        EXPECT_EQ(h.input.currentLength(), u'E');
        EXPECT_EQ(h.host.lengthButtons, std::vector<int>{4});
        h.input.pressLengthButton(8, h.melody); // quarter rest
        h.input.pressDotButton(h.melody);
        EXPECT_EQ(toUtf8(h.melody.text), "H. ");
    }
}

// Function keys go to the window as their number; the refresh panel is F5.
TEST(KeyboardInput, FunctionKeysGoToTheWindow) {
    Harness h(0, u"C中ド ");
    h.press("F1 F2 F3 F4 F5 F6 F7 F8 F9 F10 F11 F12 S-F4 C-F8");
    h.input.pressRefreshPanel(h.melody);
    EXPECT_EQ(h.host.functionKeys,
              (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 4, 8, 5}));
    EXPECT_EQ(toUtf8(h.melody.text), "C中ド ");
}

TEST(KeyboardInput, AltKeysChooseViews) {
    struct Case {
        const char* keys;
        int startView;
        bool timeoutBetween;
        std::vector<int> views;
    };
    const std::vector<Case> cases = {
        {"A-B", 0, false, {3}},
        {"A-B A-B", 0, false, {3, 29}},
        {"A-B A-B", 0, true, {3, 3}},
        {"A-A A-A", 0, false, {2, 28}},
        {"A-M A-M", 0, false, {14, 40}},
        {"A-N A-N", 0, false, {15}}, // no Type-AN: the second press is out of the list
        {"A-B A-C", 0, false, {3, 4}},
        {"A-1", 5, false, {0}},
        {"A-2", 5, false, {1}},
        {"A-Up", 5, false, {4}},
        {"A-Up", 0, false, {}},
        {"A-Down", 39, false, {40}},
        {"A-Down", 40, false, {}},
    };
    for (const Case& c : cases) {
        Harness h;
        h.host.view = c.startView;
        for (const KeyEvent& event : keysOf(c.keys)) {
            h.input.keyDown(event, h.melody);
            if (c.timeoutBetween)
                h.input.typeKeyTimeout();
        }
        EXPECT_EQ(h.host.selectedViews, c.views) << c.keys;
        EXPECT_TRUE(h.melody.text.empty());
    }
}

TEST(KeyboardInput, WhilePlayingOnlyF4) {
    Harness h(0, u"C中ド ");
    h.state.isPlaying = true;
    h.press("1 H BS S-Esc F2 A-B F4 F5");
    h.input.pressKeyPanel(0, 1, h.melody);
    h.input.pressTupletButton(u'3', h.melody);
    h.input.pressRefreshPanel(h.melody);
    EXPECT_EQ(toUtf8(h.melody.text), "C中ド ");
    EXPECT_EQ(h.host.functionKeys, std::vector<int>{4});
    EXPECT_TRUE(h.host.notesOn.empty());
    EXPECT_TRUE(h.host.selectedViews.empty());
}

TEST(KeyboardInput, ClipboardKeys) {
    struct Case {
        const char* name;
        int keyMap;
        std::u16string text;
        int caret;
        int selection;
        std::u16string clipboard;
        const char* keys;
        std::vector<Answer> answers;
        std::u16string expected;
        std::u16string expectedClipboard;
        size_t questions;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"Copy", 0, u"C中ド D中レ ", 0, 4, u"", "C-C", {}, u"C中ド D中レ ", u"C中ド ", 0},
        {"CopyNothingSelected", 0, u"C中ド ", 0, 0, u"old", "C-C", {}, u"C中ド ", u"old", 0},
        {"CutRemovesSelection", 0, u"C中ド D中レ E中ミ ", 4, 4, u"", "C-X", {}, u"C中ド E中ミ ", u"D中レ ", 0},
        {"PasteKeepsWholeTokens", 0, u"", 0, 0, u"C中ド\nxyz  D中レ#\u3000ミ# E高ミ#", "C-V", {}, u"C中ド D中レ# ", u"C中ド\nxyz  D中レ#\u3000ミ# E高ミ#", 0},
        {"PasteReplacesSelection", 0, u"C中ド D中レ ", 4, 4, u"I ", "C-V", {}, u"C中ド I ", u"I ", 0},
        {"Map2CopyThenNoteOnYes", 2, u"C中ド ", 0, 4, u"", "C-C", {Answer::Yes}, u"D低ド C中ド ", u"C中ド ", 1},
        {"Map2CopyOnlyOnNo", 2, u"C中ド ", 0, 4, u"", "C-C", {Answer::No}, u"C中ド ", u"C中ド ", 1},
        {"Map1NoQuestion", 1, u"C中ド ", 0, 4, u"", "C-C", {}, u"C中ド ", u"C中ド ", 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h(c.keyMap, c.text, c.caret);
        h.melody.selection = c.selection;
        h.host.clipboard = c.clipboard;
        for (Answer answer : c.answers)
            h.ui.queueAnswer(answer);
        h.press(c.keys);
        EXPECT_EQ(toUtf8(h.melody.text), toUtf8(c.expected));
        EXPECT_EQ(toUtf8(h.host.clipboard), toUtf8(c.expectedClipboard));
        ASSERT_EQ(h.ui.questions().size(), c.questions);
        if (c.questions > 0) {
            EXPECT_EQ(toUtf8(h.ui.questions().front()), toUtf8(kCopyKeyQuestion));
        }
        h.expectStaffFollowsText();
    }
}

TEST(KeyboardInput, EscapeCancelsSelection) {
    Harness h(0, u"C中ド D中レ ", 0);
    h.melody.selection = 8;
    h.press("Esc");
    EXPECT_EQ(h.melody.selection, 0);
    EXPECT_EQ(toUtf8(h.melody.text), "C中ド D中レ ");
}

// Key panels light up while their key is down and the preview ends with the last pitch key.
TEST(KeyboardInput, PanelsAndPreviewFollowTheKeys) {
    Harness h;
    const std::vector<KeyEvent> keys = keysOf("S-1 2");
    h.input.keyDown(keys[0], h.melody);
    h.input.keyDown(keys[1], h.melody);
    // The first key comes up after the second went down: only the last key ends a note.
    h.input.keyUp(keys[0]);
    h.input.keyUp(keys[1]);
    EXPECT_EQ(h.host.panels,
              (std::vector<Panel>{{0, 2, true}, {0, 2, false}, {1, 1, true}, {1, 1, false}}));
    EXPECT_EQ(h.host.previews, (std::vector<Preview>{{u'1', 84, u'D', false, false},
                                                     {u'2', 74, u'D', false, false},
                                                     {u'2', 74, 0, false, false}}));
}

TEST(KeyboardInput, OnScreenKeysEnterTheirNoteUnderEveryMap) {
    struct Case {
        int keyMap;
        int row;
        int column;
        std::u16string expected;
        int note;
    };
    const std::vector<Case> cases = {
        {0, 0, 0, u"D低ド ", 60},
        {0, 11, 2, u"D高ラ# ", 94},
        {1, 7, 1, u"D中ド# ", 73},
        // Under map 2 the sharp rows share their key with the naturals, and the low ド is Ctrl+C.
        {2, 8, 1, u"D中レ# ", 75},
        {2, 0, 0, u"D低ド ", 60},
    };
    for (const Case& c : cases) {
        Harness h(c.keyMap);
        h.input.pressKeyPanel(c.row, c.column, h.melody);
        h.input.releaseKeyPanel(c.row, c.column);
        EXPECT_EQ(toUtf8(h.melody.text), toUtf8(c.expected));
        EXPECT_TRUE(h.ui.questions().empty());
        const uint16_t key = h.input.pitchKeys().row(c.row).keyCode;
        EXPECT_EQ(h.host.previews, (std::vector<Preview>{{key, c.note, u'D', false, false},
                                                         {key, c.note, 0, false, true}}));
        EXPECT_EQ(h.host.panels,
                  (std::vector<Panel>{{c.row, c.column, true}, {c.row, c.column, false}}));
        h.expectStaffFollowsText();
    }
    Harness h;
    h.input.pressSlurPanel(h.melody);
    EXPECT_EQ(h.host.statusMessages,
              std::vector<std::u16string>{std::u16string(kSlurAfterRestRefusal)});
    h.press("1");
    h.input.pressSlurPanel(h.melody);
    h.input.pressClearPanel(h.melody);
    EXPECT_TRUE(h.melody.text.empty());
    h.expectStaffFollowsText();
}

TEST(KeyboardInput, ClickPutsCaretAtTokenStart) {
    struct Case {
        int position;
        int caret;
    };
    // Tokens start at 0, 4, 10 and 12; the text has 14 characters.
    const std::u16string text = u"C中ド D.高ソ# ^ H ";
    for (const Case c :
         {Case{0, 0}, Case{2, 0}, Case{3, 0}, Case{4, 4}, Case{8, 4}, Case{9, 4}, Case{10, 10},
          Case{11, 10}, Case{12, 12}, Case{13, 12}, Case{14, 14}, Case{99, 14}, Case{-1, 14}}) {
        Harness h(0, text);
        h.input.clickText(h.melody, c.position);
        EXPECT_EQ(h.melody.caret, c.caret) << c.position;
        EXPECT_EQ(h.staff.currentIndex(), tokenIndexAtCaret(h.melody));
    }
}

TEST(KeyboardInput, SelectionWidensToWholeTokens) {
    struct Case {
        int caret;
        int selection;
        int widenedCaret;
        int widenedSelection;
    };
    const std::u16string text = u"C中ド D.高ソ# ^ H ";
    for (const Case c :
         {Case{4, 1, 4, 6}, Case{5, 3, 4, 6}, Case{3, 2, 0, 10}, Case{0, 14, 0, 14},
          Case{13, 0, 13, 0}, Case{12, 4, 12, 2}, Case{11, 1, 10, 2}, Case{14, 3, 14, 0}}) {
        MelodyText melody{text, c.caret, c.selection};
        KeyboardInput::widenSelectionToTokens(melody);
        EXPECT_EQ(melody.caret, c.widenedCaret) << c.caret << "+" << c.selection;
        EXPECT_EQ(melody.selection, c.widenedSelection) << c.caret << "+" << c.selection;
    }
}

// Whatever keys come, the text stays a melody text, the caret stays between tokens and the
// staff stays in step with the text.
TEST(KeyboardInput, RandomKeysKeepTextCaretAndStaffInStep) {
    static constexpr const char* kPool[] = {"1",   "S-2", "C-3", "Q",       "S-Y",   "S-3",  "A",
                                            "C",   "D",   "E",   "H",       "J",     "0",    "-",
                                            ".",   "BS",  "Del", "Left",    "Right", "Home", "End",
                                            "Esc", "5",   "9",   "S-Right", "C-X",   "C-V",  "C-C"};
    for (int keyMap = 0; keyMap < 3; ++keyMap) {
        std::mt19937 random(static_cast<unsigned>(1234 + keyMap));
        Harness h(keyMap);
        h.host.clipboard = u"C中ド ^ 3中ミ ";
        for (int step = 0; step < 800; ++step) {
            const auto pick = random() % (std::size(kPool) + 2);
            if (pick == std::size(kPool))
                h.input.pressTupletButton(random() % 2 ? u'3' : u'6', h.melody);
            else if (pick == std::size(kPool) + 1)
                h.melody.selection = static_cast<int>(random() % 9),
                KeyboardInput::widenSelectionToTokens(h.melody);
            else
                h.press(kPool[pick]);
            h.ui.queueAnswer(random() % 2 ? Answer::Yes : Answer::No);
            ASSERT_TRUE(isValidMelodyText(h.melody.text)) << toUtf8(h.melody.text);
            const size_t caret = static_cast<size_t>(h.melody.caret);
            ASSERT_LE(caret, h.melody.text.size());
            ASSERT_TRUE(caret == 0 || h.melody.text[caret - 1] == u' ') << step;
            h.expectStaffFollowsText();
            if (::testing::Test::HasFailure())
                return;
        }
    }
}

} // namespace
} // namespace sarvo::melody

namespace sarvo::melody {
namespace {

TEST(LengthKeyTable, KeysOfEveryMap) {
    struct Case {
        int keyMap;
        uint16_t key;
        std::optional<int> entry;
        char16_t code;
    };
    const std::vector<Case> cases = {
        {0, u'E', 4, u'E'}, {0, u'J', 10, u'J'}, {0, u'0', {}, 0}, {1, u'0', 0, u'A'},
        {1, u'5', 6, u'F'}, {1, u'A', {}, 0},    {2, u'7', 8, u'H'}, {2, u'C', {}, 0},
    };
    for (const Case& c : cases) {
        const std::optional<int> entry = findLengthEntry(c.keyMap, c.key);
        EXPECT_EQ(entry, c.entry) << c.keyMap << " " << static_cast<char>(c.key);
        if (entry) {
            EXPECT_EQ(lengthCodeOfEntry(*entry), c.code);
            EXPECT_EQ(lengthKeyOfEntry(c.keyMap, *entry), c.key);
            EXPECT_EQ(lengthEntryOfCode(c.code), entry);
        }
    }
    EXPECT_EQ(lengthCodeOfEntry(kLengthGapEntry), 0);
    EXPECT_EQ(lengthKeyOfEntry(0, kLengthGapEntry), 0);
}

TEST(KeyboardLabels, CaptionsAndTips) {
    struct Case {
        int keyMap;
        int row;
        int column;
        std::u16string caption;
        std::u16string tip;
    };
    const std::vector<Case> cases = {
        {0, 3, 0, u"ファ c4", u"[低音ファ] キー入力：Ctrl+４"},
        {1, 6, 1, u"シ J", u"[中音シ] キー入力：Ｊ"},
        {2, 10, 0, u"ソ# c#G", u"[低音ソ＃] キー入力：Ctrl+＃Ｇ"},
        {3, 0, 1, u"", u""},
        {0, 12, 1, u"", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toUtf8(keyPanelCaption(c.keyMap, c.row, c.column)), toUtf8(c.caption));
        EXPECT_EQ(toUtf8(keyPanelToolTip(c.keyMap, c.row, c.column)), toUtf8(c.tip));
    }
    EXPECT_EQ(toUtf8(lengthButtonToolTip(0, 10)), "[16分休符] キー入力：J");
    EXPECT_EQ(toUtf8(lengthButtonToolTip(2, 8)), "[4分休符] キー入力：7");
    EXPECT_TRUE(lengthButtonToolTip(0, kLengthGapEntry).empty());
    EXPECT_EQ(toUtf8(slurPanelCaption(0)), "⌒ ｽﾗｰ 0");
    EXPECT_EQ(toUtf8(slurPanelCaption(2)), "⌒ ｽﾗｰ -");
}

TEST(TokenValidation, WholeTokensOnly) {
    struct Case {
        std::u16string token;
        bool valid;
    };
    const std::vector<Case> cases = {
        {u"C中ド", true},   {u"D.高ソ#", true},  {u"H", true},        {u"G.", true},
        {u"^", true},       {u"3中ミ", true},    {u"`", true},        {u"E低ラ#", true},
        {u"", false},       {u"C", false},       {u"C中", false},     {u"C中ミ#", false},
        {u"3.中ド", false}, {u"H中ド", false},   {u"^.", false},      {u"K中ド", false},
        {u"C中ド ", false}, {u"C中ドド", false}, {u"C高ファ", false}, {u"].", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isValidToken(c.token), c.valid) << toUtf8(c.token);

    EXPECT_EQ(toUtf8(keepValidTokens(u"  C中ド\r\nX  ^\u3000H.\tD中レ#")), "C中ド ^ H. D中レ# ");
    EXPECT_EQ(keepValidTokens(u"ミ# xyz"), u"");
    EXPECT_TRUE(isValidMelodyText(u"C中ド ^ H "));
    EXPECT_TRUE(isValidMelodyText(u""));
    EXPECT_FALSE(isValidMelodyText(u"C中ド ^ H"));
    EXPECT_FALSE(isValidMelodyText(u"C中ド  H "));
}

} // namespace
} // namespace sarvo::melody
