// The key handler of note input, driven by key sequences as a user types them, with the real
// staff model following the edits and a recording host for everything the window would do.

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

#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace sarvo::melody {
namespace {

using Preview = RecordingKeyInputHost::Preview;
using Panel = RecordingKeyInputHost::Panel;

// Key sequences written as short scripts: keys separated by spaces, each with optional "S-"
// (Shift), "C-" (Ctrl), "A-" (Alt) and "R-" (an auto-repeat) prefixes, then a character ("1",
// "Q", ".", "-") or a key name ("Esc", "BS", "Del", "Home", "End", "Left", "Right", "Up",
// "Down", "F1" to "F12").
uint16_t keyCodeOf(std::string_view name) {
    static const std::map<std::string_view, uint16_t> kNamed = {
        {"Esc", keys::Escape},  {"BS", keys::Backspace}, {"Del", keys::Delete},
        {"Home", keys::Home},   {"End", keys::End},      {"Left", keys::Left},
        {"Right", keys::Right}, {"Up", keys::Up},        {"Down", keys::Down},
        {".", keys::Period},    {"-", keys::Minus}};
    if (const auto it = kNamed.find(name); it != kNamed.end())
        return it->second;
    if (name.size() > 1 && name[0] == 'F')
        return static_cast<uint16_t>(keys::F1 + std::stoi(std::string(name.substr(1))) - 1);
    EXPECT_EQ(name.size(), 1u) << "unknown key " << name;
    return name.empty() ? 0 : static_cast<uint16_t>(name[0]);
}

std::vector<KeyEvent> keysOf(std::string_view script) {
    std::vector<KeyEvent> events;
    std::istringstream words{std::string(script)};
    for (std::string word; words >> word;) {
        KeyEvent event;
        for (; word.size() > 2 && word[1] == '-'; word.erase(0, 2)) {
            switch (word[0]) {
            case 'S': event.modifiers |= modifiers::Shift; break;
            case 'C': event.modifiers |= modifiers::Ctrl; break;
            case 'A': event.modifiers |= modifiers::Alt; break;
            case 'R': event.autoRepeat = true; break;
            default: ADD_FAILURE() << "unknown prefix in " << word;
            }
        }
        event.keyCode = keyCodeOf(word);
        events.push_back(event);
    }
    return events;
}

constexpr int kEnd = -1;

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
        EXPECT_TRUE(staff.notes() == fresh.notes()) << toUtf8(melody.text);
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
    {"Map0EighthsThenOctaves", 0, u"", 0, "3 C 1 C-1 S-Y", u"D中ミ C中ド C低ド C高ラ# ", kEnd, {}, 0, {76, 72, 60, 94}},
    {"Map0SharpKeysAutoRepeatInsertsAgain", 0, u"", 0, "E Q W R T Y R-Y", u"E中ド# E中レ# E中フ# E中ソ# E中ラ# E中ラ# ", kEnd, {}, 0, {73, 75, 78, 80, 82, 82}},
    {"Map1PianoKeys", 1, u"", 0, "4 A W C-J S-U", u"E中ド E中ド# E低シ E高ラ# ", kEnd, {}, 0, {72, 73, 71, 94}},
    // The sharp prefix of map 2 lasts one note and leaves ミ natural; its digits are lengths.
    {"Map2SharpPrefix", 2, u"", 0, "S-3 D S-3 E S-3 S-F F", u"D中レ# D中ミ D高フ# D中フ ", kEnd, {}, 0, {75, 76, 90, 77}},
    {"Map2LengthDigits", 2, u"", 0, "1 C 7", u"B中ド H ", kEnd, {}, 0, {72}},
    {"Map2Shift3IsNoHighMi", 2, u"", 0, "S-3", u"", kEnd, {}, 0, {}},
    // Length keys: notes only choose the length, rests are entered at once.
    {"Map0NoteLengthOnlyRestsAtOnce", 0, u"", 0, "C F G H I J", u"F G H I J ", kEnd, {}, 0, {}},
    {"ZeroUnderMap1IsWholeNote", 1, u"", 0, "0 A", u"A中ド ", kEnd, {}, 0, {72}},
    // Ties.
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

// Refusals write their message only while an input view is shown; they always beep. The tuplet
// buttons follow the caret editing's rules, with the staff following and a refusal beeping.
TEST(KeyboardInput, RefusalsAndTupletButtons) {
    for (auto [view, shown] : {std::pair{0, true}, {1, true}, {2, false}, {40, false}}) {
        Harness h(0, u"H ");
        h.host.view = view;
        h.press("0");
        EXPECT_EQ(h.host.beeps, 1);
        EXPECT_EQ(h.host.statusMessages.size(), shown ? 1u : 0u) << view;
    }
    for (auto [text, expected, beeps] : {std::tuple{u"D中ド ", u"6中ド ", 0}, {u"H ", u"H ", 1}}) {
        Harness h(0, text);
        h.input.pressTupletButton(u'6', h.melody);
        EXPECT_EQ(toUtf8(h.melody.text), toUtf8(expected));
        EXPECT_EQ(h.host.beeps, beeps);
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
        EXPECT_EQ(lengthEntryOfCode(h.input.currentLength()), 4);
        h.input.pressLengthButton(8, h.melody); // quarter rest
        h.input.pressDotButton(h.melody);
        EXPECT_EQ(toUtf8(h.melody.text), "H. ");
    }
}

// Alt and a letter choose a phone type's view, again its second view unless the typing timed
// out; Alt+1 and Alt+2 the input views; Alt+Up and Alt+Down step through the list's ends.
TEST(KeyboardInput, AltKeysChooseViews) {
    // keys, the view shown before, whether the typing times out between them, the views chosen;
    // there is no Type-AN, so Alt+N twice leaves the list.
    for (const auto& [keys, startView, timeoutBetween, views] :
         {std::tuple{"A-B A-B", 0, false, std::vector<int>{3, 29}}, {"A-B A-B", 0, true, {3, 3}},
          {"A-M A-M", 0, false, {14, 40}}, {"A-N A-N", 0, false, {15}},
          {"A-B A-C", 0, false, {3, 4}}, {"A-2", 5, false, {1}}, {"A-Up", 5, false, {4}},
          {"A-Up", 0, false, {}}, {"A-Down", 39, false, {40}}, {"A-Down", 40, false, {}}}) {
        Harness h;
        h.host.view = startView;
        for (const KeyEvent& event : keysOf(keys)) {
            h.input.keyDown(event, h.melody);
            if (timeoutBetween)
                h.input.typeKeyTimeout();
        }
        EXPECT_EQ(h.host.selectedViews, views) << keys;
        EXPECT_TRUE(h.melody.text.empty());
    }
}

// Function keys go to the window as their number, the refresh panel as F5; while playing only
// F4 does anything.
TEST(KeyboardInput, FunctionKeysAndWhilePlaying) {
    Harness h(0, u"C中ド ");
    h.press("F1 F5 F12 S-F4 C-F8");
    h.input.pressRefreshPanel(h.melody);
    EXPECT_EQ(h.host.functionKeys, (std::vector<int>{1, 5, 12, 4, 8, 5}));
    h.host.functionKeys.clear();
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
        int caret, selection;
        std::u16string clipboard;
        const char* keys;
        std::vector<Answer> answers;
        std::u16string expected, expectedClipboard;
        size_t questions;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"CopyWithoutQuestion", 1, u"C中ド D中レ ", 0, 4, u"", "C-C", {}, u"C中ド D中レ ", u"C中ド ", 0},
        {"CopyNothingSelected", 0, u"C中ド ", 0, 0, u"old", "C-C", {}, u"C中ド ", u"old", 0},
        {"EscCancelsSelection", 0, u"C中ド D中レ ", 0, 8, u"old", "Esc C-C", {}, u"C中ド D中レ ", u"old", 0},
        {"CutRemovesSelection", 0, u"C中ド D中レ E中ミ ", 4, 4, u"", "C-X", {}, u"C中ド E中ミ ", u"D中レ ", 0},
        {"PasteKeepsWholeTokens", 0, u"", 0, 0, u"C中ド\nxyz  D中レ#\u3000ミ# E高ミ#", "C-V", {}, u"C中ド D中レ# ", u"C中ド\nxyz  D中レ#\u3000ミ# E高ミ#", 0},
        {"PasteReplacesSelection", 0, u"C中ド D中レ ", 4, 4, u"I ", "C-V", {}, u"C中ド I ", u"I ", 0},
        {"Map2CopyThenNoteOnYes", 2, u"C中ド ", 0, 4, u"", "C-C", {Answer::Yes}, u"D低ド C中ド ", u"C中ド ", 1},
        {"Map2CopyOnlyOnNo", 2, u"C中ド ", 0, 4, u"", "C-C", {Answer::No}, u"C中ド ", u"C中ド ", 1},
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

// Key panels light up while their key is down and the preview ends with the last pitch key; an
// on-screen key's release ends its note as a panel's (the slur and clear panels are the widget
// test's).
TEST(KeyboardInput, PanelsAndPreviewFollowTheKeysAndTheOnScreenKeys) {
    Harness h;
    const std::vector<KeyEvent> keys = keysOf("S-1 2");
    h.input.keyDown(keys[0], h.melody);
    h.input.keyDown(keys[1], h.melody);
    // The first key comes up after the second went down: only the last key ends a note.
    h.input.keyUp(keys[0]);
    h.input.keyUp(keys[1]);
    h.input.pressKeyPanel(11, 2, h.melody);
    h.input.releaseKeyPanel(11, 2);
    EXPECT_EQ(toUtf8(h.melody.text), "D高ド D中レ D高ラ# ");
    EXPECT_EQ(h.host.panels, (std::vector<Panel>{{0, 2, true}, {0, 2, false}, {1, 1, true},
                                                 {1, 1, false}, {11, 2, true}, {11, 2, false}}));
    const uint16_t key = h.input.pitchKeys().row(11).keyCode;
    EXPECT_EQ(h.host.previews,
              (std::vector<Preview>{{u'1', 84, u'D', false, false}, {u'2', 74, u'D', false, false},
                                    {u'2', 74, 0, false, false}, {key, 94, u'D', false, false},
                                    {key, 94, 0, false, true}}));
}

// Tokens of "C中ド D.高ソ# ^ H " start at 0, 4, 10 and 12 of its 14 characters: a click puts the
// caret at the start of its token, and a selection widens to whole tokens, dropped past the end.
TEST(KeyboardInput, ClicksAndSelectionsTakeWholeTokens) {
    const std::u16string text = u"C中ド D.高ソ# ^ H ";
    for (auto [position, caret] : {std::pair{0, 0}, {3, 0}, {4, 4}, {9, 4}, {10, 10}, {13, 12},
                                   {14, 14}, {99, 14}, {-1, 14}}) {
        Harness h(0, text);
        h.input.clickText(h.melody, position);
        EXPECT_EQ(h.melody.caret, caret) << position;
        EXPECT_EQ(h.staff.currentIndex(), tokenIndexAtCaret(h.melody));
    }
    for (auto [caret, selection, widenedCaret, widenedSelection] :
         {std::tuple{4, 1, 4, 6}, {5, 3, 4, 6}, {3, 2, 0, 10}, {0, 14, 0, 14}, {13, 0, 13, 0},
          {12, 4, 12, 2}, {11, 1, 10, 2}, {14, 3, 14, 0}}) {
        MelodyText melody{text, caret, selection};
        KeyboardInput::widenSelectionToTokens(melody);
        EXPECT_EQ(melody.caret, widenedCaret) << caret << "+" << selection;
        EXPECT_EQ(melody.selection, widenedSelection) << caret << "+" << selection;
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

TEST(KeyboardLabels, CaptionsAndTips) {
    // clang-format off
    for (auto [keyMap, row, column, caption, tip] :
         {std::tuple{0, 3, 0, u"ファ c4", u"[低音ファ] キー入力：Ctrl+４"}, {1, 6, 1, u"シ J", u"[中音シ] キー入力：Ｊ"},
          {3, 0, 1, u"", u""}, {0, 12, 1, u"", u""}}) {
        // clang-format on
        EXPECT_EQ(toUtf8(keyPanelCaption(keyMap, row, column)), toUtf8(caption));
        EXPECT_EQ(toUtf8(keyPanelToolTip(keyMap, row, column)), toUtf8(tip));
    }
    EXPECT_EQ(toUtf8(lengthButtonToolTip(0, 10)), "[16分休符] キー入力：J");
    EXPECT_EQ(toUtf8(lengthButtonToolTip(2, 8)), "[4分休符] キー入力：7");
    EXPECT_TRUE(lengthButtonToolTip(0, kLengthGapEntry).empty());
}

// Whole tokens only: a pasted text keeps them and drops the rest.
TEST(TokenValidation, WholeTokensOnly) {
    for (std::u16string_view token : {u"C中ド", u"D.高ソ#", u"H", u"G.", u"^", u"3中ミ", u"`", u"E低ラ#"})
        EXPECT_TRUE(isValidToken(token)) << toUtf8(token);
    for (std::u16string_view token : {u"", u"C", u"C中", u"C中ミ#", u"3.中ド", u"H中ド", u"^.", u"K中ド",
                                      u"C中ド ", u"C中ドド", u"C高ファ", u"]."})
        EXPECT_FALSE(isValidToken(token)) << toUtf8(token);
    EXPECT_EQ(toUtf8(keepValidTokens(u"  C中ド\r\nX  ^\u3000H.\tD中レ#")), "C中ド ^ H. D中レ# ");
    EXPECT_EQ(keepValidTokens(u"ミ# xyz"), u"");
    EXPECT_TRUE(isValidMelodyText(u"C中ド ^ H "));
    EXPECT_TRUE(isValidMelodyText(u""));
    EXPECT_FALSE(isValidMelodyText(u"C中ド ^ H"));
    EXPECT_FALSE(isValidMelodyText(u"C中ド  H "));
}

} // namespace
} // namespace sarvo::melody
