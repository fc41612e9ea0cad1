// Note input through the main window: keys typed in the melody text, the length and tuplet
// toolbars and the on-screen keyboard edit the melody, the staff follows, previews sound through
// the MIDI output, and Alt with a letter chooses a phone type.

#include "mainwindowfixture.h"
#include "melody/onscreenkeyboard.h"
#include "sound/midioutput.h"

#include <QAction>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

using sarvo::app::testing::MainWindowFixture;
using sarvo::app::testing::saveScreenshot;

// A key typed, or with toolbar set a click on that toolbar's button named action.
struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    const char* toolbar = nullptr;
    const char* action = nullptr;
};

// The "上げる >" button of the transposition toolbar.
constexpr Key kTransposeUp{Qt::Key_unknown, Qt::NoModifier, "tbIchou", "Up"};

struct KeysCase {
    const char* name;
    std::vector<Key> keys;
    const char16_t* melody;
    std::vector<int> previewed; // notes switched on, in order
    int view = 0;               // typed in the melody text (0) or on the staff (1)
};

void PrintTo(const KeysCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

std::vector<int> notesWithStatus(const sarvo::sound::RecordingMidiOutput& midi, int status) {
    std::vector<int> notes;
    for (const uint32_t message : midi.messages())
        if (sarvo::sound::statusOf(message) == status)
            notes.push_back(sarvo::sound::data1Of(message));
    return notes;
}

class NoteInputTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        // The start sends the voice; the tests look at what note input sends.
        m_midi.clear();
    }

    void clickAction(QToolBar* bar, QAction* action) {
        ASSERT_NE(action, nullptr);
        QTest::mouseClick(bar->widgetForAction(action), Qt::LeftButton);
    }
};

class NoteKeysTest : public NoteInputTest, public ::testing::WithParamInterface<KeysCase> {};

TEST_P(NoteKeysTest, EditTheMelodyAndSoundTheNotes) {
    m_window->selectView(GetParam().view);
    for (const Key& key : GetParam().keys) {
        if (key.toolbar)
            clickToolButton(key.toolbar, key.action);
        else
            press(key.key, key.modifiers);
    }
    EXPECT_EQ(melody(), QString::fromUtf16(GetParam().melody));
    EXPECT_EQ(notesWithStatus(m_midi, 0x90), GetParam().previewed);
    // Every preview ends with its key.
    EXPECT_EQ(notesWithStatus(m_midi, 0x80), GetParam().previewed);
    // The staff holds one note per token.
    EXPECT_EQ(m_staff->count(), melody().count(QLatin1Char(' ')));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, NoteKeysTest,
    ::testing::Values(
        KeysCase{"MiddleDo", {{Qt::Key_1}}, u"D中ド ", {72}},
        KeysCase{"LowDoWithCtrl", {{Qt::Key_1, Qt::ControlModifier}}, u"D低ド ", {60}},
        KeysCase{"HighLaSharpWithShift", {{Qt::Key_Y, Qt::ShiftModifier}}, u"D高ラ# ", {94}},
        KeysCase{"QuarterLength", {{Qt::Key_C}, {Qt::Key_1}}, u"C中ド ", {72}},
        KeysCase{"RestAtOnce", {{Qt::Key_H}}, u"H ", {}},
        KeysCase{"Slur", {{Qt::Key_3}, {Qt::Key_0}, {Qt::Key_0}}, u"D中ミ ^ ^ ", {76}},
        KeysCase{"Dot", {{Qt::Key_1}, {Qt::Key_Period}}, u"D.中ド ", {72}},
        KeysCase{"Backspace", {{Qt::Key_1}, {Qt::Key_2}, {Qt::Key_Backspace}}, u"D中ド ", {72, 74}},
        KeysCase{"InsertAtTheCaret",
                 {{Qt::Key_1}, {Qt::Key_2}, {Qt::Key_Left}, {Qt::Key_3}},
                 u"D中ド D中ミ D中レ ",
                 {72, 74, 76}},
        KeysCase{
            "ClearWithShiftEscape", {{Qt::Key_1}, {Qt::Key_Escape, Qt::ShiftModifier}}, u"", {72}},
        // The staff forgets the cleared notes: the next one is the only one.
        KeysCase{"ClearOnTheStaff",
                 {{Qt::Key_1}, {Qt::Key_3}, {Qt::Key_Escape, Qt::ShiftModifier}, {Qt::Key_2}},
                 u"D中レ ",
                 {72, 76, 74},
                 1},
        // Sharps lengthen the text; the caret stays after the last note, not inside it.
        KeysCase{"TransposeKeepsTheCaretBetweenNotes",
                 {{Qt::Key_1}, {Qt::Key_1}, {Qt::Key_1}, {Qt::Key_1}, kTransposeUp, {Qt::Key_2}},
                 u"D中ド# D中ド# D中ド# D中ド# D中レ ",
                 {72, 72, 72, 72, 74}},
        KeysCase{"TransposeOnTheStaff",
                 {{Qt::Key_1}, {Qt::Key_2}, {Qt::Key_Left}, kTransposeUp, {Qt::Key_5}},
                 u"D中ド# D中ソ D中レ# ",
                 {72, 74, 79},
                 1}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(NoteInputTest, RefusalsGoToTheStatusBar) {
    QTest::keyClick(m_txt, Qt::Key_H);
    QTest::keyClick(m_txt, Qt::Key_0);
    EXPECT_EQ(
        m_panel->text(),
        QStringLiteral("スラーは音の後か、連続して入力してください。休符の後は駄目です。m(_ _)m"));
    EXPECT_EQ(melody(), QStringLiteral("H "));
}

TEST_F(NoteInputTest, TheLengthToolbarChoosesTheLengthAndEntersRests) {
    auto* bar = child<QToolBar>("tbFu");
    ASSERT_NE(bar, nullptr);
    auto action = [bar](int button) {
        return bar->findChild<QAction*>(QStringLiteral("tbFu%1").arg(button));
    };
    // The eighth note is pressed at start.
    EXPECT_TRUE(action(4)->isChecked());
    EXPECT_EQ(action(1)->toolTip(), QStringLiteral("[全音符] キー入力：A"));
    EXPECT_EQ(action(11)->toolTip(), QStringLiteral("[16分休符] キー入力：J"));
    EXPECT_EQ(action(13)->toolTip(), QStringLiteral("[符点] キー入力：．"));

    clickAction(bar, action(2)); // half note
    EXPECT_TRUE(action(2)->isChecked());
    EXPECT_FALSE(action(4)->isChecked());
    EXPECT_TRUE(m_txt->hasFocus());
    QTest::keyClick(m_txt, Qt::Key_5);
    clickAction(bar, action(13)); // dot
    clickAction(bar, action(10)); // eighth rest
    EXPECT_EQ(melody(), QStringLiteral("B.中ソ I "));
    // A length key shows its button pressed.
    QTest::keyClick(m_txt, Qt::Key_E);
    EXPECT_TRUE(action(5)->isChecked());
    EXPECT_TRUE(saveScreenshot(*m_window, QStringLiteral("mainwindow-note-input")));
}

TEST_F(NoteInputTest, TheTupletToolbarTogglesATriplet) {
    auto* bar = child<QToolBar>("rbRen");
    ASSERT_NE(bar, nullptr);
    QTest::keyClick(m_txt, Qt::Key_1);
    clickAction(bar, bar->findChild<QAction*>(QStringLiteral("三")));
    EXPECT_EQ(melody(), QStringLiteral("3中ド "));
    clickAction(bar, bar->findChild<QAction*>(QStringLiteral("三")));
    EXPECT_EQ(melody(), QStringLiteral("D中ド "));
    clickAction(bar, bar->findChild<QAction*>(QStringLiteral("六")));
    EXPECT_EQ(melody(), QStringLiteral("6中ド "));
}

TEST_F(NoteInputTest, TheOnScreenKeyboardEntersAndSoundsItsNote) {
    auto* keyboard = m_window->findChild<sarvo::melody::OnScreenKeyboard*>();
    ASSERT_NE(keyboard, nullptr);
    QWidget* highSo = keyboard->keyPanel(4, 2);
    ASSERT_NE(highSo, nullptr);
    QTest::mousePress(highSo, Qt::LeftButton);
    EXPECT_EQ(melody(), QStringLiteral("D高ソ "));
    EXPECT_EQ(notesWithStatus(m_midi, 0x90), std::vector<int>{91});
    EXPECT_TRUE(notesWithStatus(m_midi, 0x80).empty());
    QTest::mouseRelease(highSo, Qt::LeftButton);
    EXPECT_EQ(notesWithStatus(m_midi, 0x80), std::vector<int>{91});
    EXPECT_TRUE(m_txt->hasFocus());
}

TEST_F(NoteInputTest, TheStaffFollowsEveryEdit) {
    m_window->selectView(1);
    ASSERT_TRUE(m_staff->hasFocus());
    for (const Qt::Key key : {Qt::Key_1, Qt::Key_3, Qt::Key_5})
        QTest::keyClick(m_staff, key);
    QTest::keyClick(m_staff, Qt::Key_Q, Qt::ShiftModifier);
    EXPECT_EQ(melody(), QStringLiteral("D中ド D中ミ D中ソ D高ド# "));
    ASSERT_EQ(m_staff->count(), 4);
    EXPECT_EQ(m_staff->item(4)->pitch, u"高ド#");
    EXPECT_EQ(m_staff->currentIndex(), 4);
    QTest::keyClick(m_staff, Qt::Key_Backspace);
    EXPECT_EQ(m_staff->count(), 3);
    EXPECT_TRUE(saveScreenshot(*m_window, QStringLiteral("mainwindow-staff")));
}

struct LetterCase {
    std::vector<Qt::Key> letters;
    int view;
};

void PrintTo(const LetterCase& testCase, std::ostream* out) {
    *out << testCase.letters.size() << " letters to view " << testCase.view;
}

class TypeLetterTest : public NoteInputTest, public ::testing::WithParamInterface<LetterCase> {};

// Alt with a letter chooses that phone type; the same letter again within a second the type of
// two letters.
TEST_P(TypeLetterTest, ChoosesThePhoneType) {
    for (const Qt::Key letter : GetParam().letters)
        press(letter, Qt::AltModifier);
    EXPECT_EQ(m_combo->currentIndex(), GetParam().view);
}

INSTANTIATE_TEST_SUITE_P(Letters, TypeLetterTest,
                         ::testing::Values(LetterCase{{Qt::Key_B}, 3},
                                           LetterCase{{Qt::Key_B, Qt::Key_B}, 29},
                                           LetterCase{{Qt::Key_A, Qt::Key_B}, 3},
                                           LetterCase{{Qt::Key_M, Qt::Key_M}, 40},
                                           LetterCase{{Qt::Key_Z}, 27}));

} // namespace
