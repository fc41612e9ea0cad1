// Note input and playback through the main window: keys typed in the melody text or on the
// staff and the length, tuplet and transposition toolbars edit the melody and sound its notes;
// the melody plays in real time from the caret, shown in the view on show. The editing rules
// and the on-screen keyboard are the note input's tests; transposing under a key guide is the
// main window test's.

#include "mainwindowfixture.h"

#include <QAction>

#include <vector>

namespace sarvo::app::testing {
namespace {

// A key typed, or with toolbar set a click on that toolbar's button named action.
struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    const char* toolbar = nullptr;
    const char* action = nullptr;
};

constexpr Key kTransposeUp{Qt::Key_unknown, Qt::NoModifier, "tbIchou", "Up"};
constexpr Key kTransposeDown{Qt::Key_unknown, Qt::NoModifier, "tbIchou", "Down"};

class NoteInputTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        // The start sends the voice; the tests look at what note input sends.
        m_midi.clear();
    }

    std::vector<int> notesOn() const { return notesWithStatus(m_midi, 0x90); }
    bool waitForNotes(size_t count) {
        return QTest::qWaitFor([&] { return notesOn().size() >= count; }, 5000);
    }
};

// Keys typed in the melody text or on the staff, and the transposition buttons: the staff
// forgets cleared notes, and the caret keeps its place between notes when sharps come and go.
TEST_F(NoteInputTest, KeysEditTheMelodyAndSoundTheNotes) {
    const struct {
        std::vector<Key> keys;
        const char16_t* melody;
        std::vector<int> previewed; // notes switched on, in order
        int view = 0;               // typed in the melody text (0) or on the staff (1)
    } cases[] = {
        {{{Qt::Key_1, Qt::ControlModifier}}, u"D低ド ", {60}},
        {{{Qt::Key_1}, {Qt::Key_3}, {Qt::Key_Escape, Qt::ShiftModifier}, {Qt::Key_2}},
         u"D中レ ",
         {72, 76, 74},
         1},
        {{{Qt::Key_1}, {Qt::Key_1}, {Qt::Key_1}, {Qt::Key_1}, kTransposeUp, {Qt::Key_2}},
         u"D中ド# D中ド# D中ド# D中ド# D中レ ",
         {72, 72, 72, 72, 74}},
        {{{Qt::Key_1}, {Qt::Key_2}, {Qt::Key_Left}, kTransposeUp, {Qt::Key_5}},
         u"D中ド# D中ソ D中レ# ",
         {72, 74, 79},
         1},
        {{{Qt::Key_1}, kTransposeDown}, u"D低シ ", {72}},
    };
    for (const auto& c : cases) {
        openWindow();
        m_midi.clear();
        m_window->selectView(c.view);
        for (const Key& key : c.keys) {
            if (key.toolbar)
                clickToolButton(key.toolbar, key.action);
            else
                press(key.key, key.modifiers);
        }
        EXPECT_EQ(melody(), QString::fromUtf16(c.melody));
        EXPECT_EQ(notesOn(), c.previewed);
        // Every preview ends with its key.
        EXPECT_EQ(notesWithStatus(m_midi, 0x80), c.previewed);
        EXPECT_EQ(m_staff->count(), melody().count(QLatin1Char(' ')));
    }
}

// The buttons of the length and tuplet bars, and the refusals of note input in the status bar.
TEST_F(NoteInputTest, TheToolbarsChooseLengthRestDotAndTupletAndRefusalsGoToTheStatusBar) {
    auto* lengths = child<QToolBar>("tbFu");
    EXPECT_TRUE(lengths->findChild<QAction*>(QStringLiteral("tbFu4"))->isChecked()); // eighth
    clickToolButton("tbFu", "tbFu2");                                                // half note
    QTest::keyClick(m_txt, Qt::Key_5);
    clickToolButton("tbFu", "tbFu13"); // dot
    clickToolButton("tbFu", "tbFu10"); // eighth rest
    EXPECT_TRUE(m_txt->hasFocus());
    EXPECT_EQ(melody(), QStringLiteral("B.中ソ I "));
    // A length key shows its button pressed.
    QTest::keyClick(m_txt, Qt::Key_E);
    EXPECT_TRUE(lengths->findChild<QAction*>(QStringLiteral("tbFu5"))->isChecked());
    QTest::keyClick(m_txt, Qt::Key_0);
    EXPECT_EQ(
        m_panel->text(),
        QStringLiteral("スラーは音の後か、連続して入力してください。休符の後は駄目です。m(_ _)m"));

    setMelody(QStringLiteral("D中ド "));
    const std::pair<const char*, const char*> tuplets[] = {
        {"三", "3中ド "}, {"三", "D中ド "}, {"六", "6中ド "}};
    for (const auto& [tuplet, shown] : tuplets) {
        clickToolButton("rbRen", tuplet);
        EXPECT_EQ(melody(), QString::fromUtf8(shown));
    }
}

// From the caret, in the melody text with the playing note selected, then on the staff.
TEST_F(NoteInputTest, PlaysFromTheCaretNoteAndLoopsHighlightingTheNotePlaying) {
    // Sixteenths: middle ド, レ, ミ; the caret stands on レ.
    setMelody(QStringLiteral("E中ド E.高ソ# E中ミ "));
    m_txt->select(4, 0);
    m_play->click();
    ASSERT_TRUE(m_window->isPlaying());
    const melody::MelodyText shown = m_txt->melody();
    EXPECT_EQ(
        shown.text.substr(static_cast<size_t>(shown.caret), static_cast<size_t>(shown.selection)),
        u"E.高ソ#");
    EXPECT_TRUE(m_txt->hasFocus());
    ASSERT_TRUE(waitForNotes(4));
    const std::vector<int> notes = notesOn();
    EXPECT_EQ(std::vector<int>(notes.begin(), notes.begin() + 4),
              (std::vector<int>{92, 76, 72, 92}));
    m_play->click();
    EXPECT_FALSE(m_window->isPlaying());
    // Every note switched on is switched off again, and the melody is as it was.
    EXPECT_EQ(sound::statusOf(m_midi.messages().back()), 0x80);
    EXPECT_EQ(melody(), QStringLiteral("E中ド E.高ソ# E中ミ "));

    // On the staff, the note at the caret plays first and is selected.
    setMelody(QStringLiteral("C中ド D中レ E高ミ "));
    m_txt->select(5, 0);
    m_midi.clear();
    m_window->selectView(1);
    m_window->runCommand(WindowCommand::Play);
    ASSERT_TRUE(waitForNotes(1));
    EXPECT_EQ(notesOn().front(), 74);
    EXPECT_TRUE(m_staff->item(2)->selected);
    EXPECT_FALSE(m_staff->item(1)->selected);
    ASSERT_TRUE(waitForNotes(2));
    EXPECT_TRUE(m_staff->item(3)->selected);
    m_window->runCommand(WindowCommand::Play);
    EXPECT_TRUE(m_staff->isVisible());
}

TEST_F(NoteInputTest, AKeyGuidePlaysWhatThePhoneTypeKeepsAndComesBack) {
    // Type-A has no low octave: the low note is not in its key text and so does not play.
    setMelody(QStringLiteral("E低ド E中ミ "));
    m_window->selectView(2);
    const QString guide = m_pnl->toPlainText();
    m_window->runCommand(WindowCommand::Play);
    EXPECT_TRUE(m_txt->isVisible());
    EXPECT_FALSE(m_pnl->isVisible());
    ASSERT_TRUE(waitForNotes(2));
    for (const int note : notesOn())
        EXPECT_EQ(note, 76);
    m_window->runCommand(WindowCommand::Play);
    EXPECT_EQ(melody(), QStringLiteral("E低ド E中ミ "));
    EXPECT_TRUE(m_pnl->isVisible());
    EXPECT_EQ(m_pnl->toPlainText(), guide);
    EXPECT_EQ(m_combo->currentIndex(), 2);
}

TEST_F(NoteInputTest, AnEmptyMelodyPlaysNothing) {
    m_window->runCommand(WindowCommand::Play);
    QTest::qWait(50);
    EXPECT_TRUE(notesOn().empty());
    m_window->runCommand(WindowCommand::Play);
    EXPECT_FALSE(m_window->isPlaying());
}

} // namespace
} // namespace sarvo::app::testing
