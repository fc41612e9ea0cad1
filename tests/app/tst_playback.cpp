// Playing the melody from the window through a recording MIDI output in real time, and the
// transposition toolbar.

#include "mainwindowfixture.h"
#include "sound/midioutput.h"

#include <QTextCursor>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

using sarvo::app::WindowCommand;
using sarvo::app::testing::MainWindowFixture;
using sarvo::app::testing::saveScreenshot;
using sarvo::sound::noteOnMessage;

class PlaybackTest : public MainWindowFixture {
protected:
    // The notes switched on so far, in order.
    std::vector<int> notesOn() const {
        std::vector<int> notes;
        for (const uint32_t message : m_midi.messages())
            if (sarvo::sound::statusOf(message) == 0x90)
                notes.push_back(sarvo::sound::data1Of(message));
        return notes;
    }

    bool waitForNotes(size_t count) {
        return QTest::qWaitFor([&] { return notesOn().size() >= count; }, 5000);
    }

    void putCaret(int position) { m_txt->select(position, 0); }
};

TEST_F(PlaybackTest, PlaysFromTheCaretNoteAndLoops) {
    // Sixteenths: middle ド, レ, ミ; the caret stands on レ.
    setMelody(QStringLiteral("E中ド E中レ E中ミ "));
    putCaret(4);
    m_window->runCommand(WindowCommand::Play);
    ASSERT_TRUE(waitForNotes(4));
    const std::vector<int> notes = notesOn();
    EXPECT_EQ(std::vector<int>(notes.begin(), notes.begin() + 4),
              (std::vector<int>{74, 76, 72, 74}));
    m_window->runCommand(WindowCommand::Play);
    EXPECT_FALSE(m_window->isPlaying());
    // Every note switched on is switched off again.
    const auto messages = m_midi.messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(sarvo::sound::statusOf(messages.back()), 0x80);
}

TEST_F(PlaybackTest, HighlightsTheNotePlaying) {
    setMelody(QStringLiteral("C中ド D.高ソ# "));
    putCaret(5);
    m_play->click();
    ASSERT_TRUE(m_window->isPlaying());
    const sarvo::melody::MelodyText shown = m_txt->melody();
    EXPECT_EQ(
        shown.text.substr(static_cast<size_t>(shown.caret), static_cast<size_t>(shown.selection)),
        u"D.高ソ#");
    EXPECT_TRUE(m_txt->hasFocus());
    EXPECT_TRUE(saveScreenshot(*m_window, QStringLiteral("mainwindow-playing-highlight")));
    m_play->click();
    EXPECT_FALSE(m_window->isPlaying());
    EXPECT_EQ(melody(), QStringLiteral("C中ド D.高ソ# "));
}

TEST_F(PlaybackTest, AKeyGuidePlaysWhatThePhoneTypeKeepsAndComesBack) {
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

TEST_F(PlaybackTest, OnTheStaffThePlayedNoteIsSelected) {
    setMelody(QStringLiteral("C中ド D中レ E高ミ "));
    putCaret(5);
    m_window->selectView(1);
    ASSERT_TRUE(m_staff->isVisible());
    m_window->runCommand(WindowCommand::Play);
    // The note at the caret plays first and is selected on the staff.
    ASSERT_TRUE(waitForNotes(1));
    EXPECT_EQ(notesOn().front(), 74);
    EXPECT_TRUE(m_staff->item(2)->selected);
    EXPECT_FALSE(m_staff->item(1)->selected);
    EXPECT_TRUE(m_staff->isVisible());
    EXPECT_TRUE(saveScreenshot(*m_window, QStringLiteral("mainwindow-staff-playing")));
    ASSERT_TRUE(waitForNotes(2));
    EXPECT_TRUE(m_staff->item(3)->selected);
    m_window->runCommand(WindowCommand::Play);
    EXPECT_TRUE(m_staff->isVisible());
    EXPECT_EQ(melody(), QStringLiteral("C中ド D中レ E高ミ "));
}

TEST_F(PlaybackTest, AnEmptyMelodyPlaysNothing) {
    m_window->runCommand(WindowCommand::Play);
    QTest::qWait(50);
    EXPECT_TRUE(notesOn().empty());
    m_window->runCommand(WindowCommand::Play);
    EXPECT_FALSE(m_window->isPlaying());
}

struct TransposeCase {
    const char16_t* melody;
    const char* button;
    const char16_t* expected;
};

void PrintTo(const TransposeCase& testCase, std::ostream* out) {
    *out << testCase.button << " " << QString::fromUtf16(testCase.melody).toStdString();
}

class TransposeTest : public MainWindowFixture,
                      public ::testing::WithParamInterface<TransposeCase> {};

TEST_P(TransposeTest, MovesEveryNoteOneSemitone) {
    setMelody(QString::fromUtf16(GetParam().melody));
    clickToolButton("tbIchou", GetParam().button);
    EXPECT_EQ(melody(), QString::fromUtf16(GetParam().expected));
    EXPECT_TRUE(m_txt->hasFocus());
}

INSTANTIATE_TEST_SUITE_P(Notes, TransposeTest,
                         ::testing::Values(TransposeCase{u"C低ド ", "Down", u"C低ド "},
                                           TransposeCase{u"C中シ ", "Up", u"C高ド "},
                                           TransposeCase{u"C中ミ ", "Up", u"C中フ "},
                                           TransposeCase{u"C中レ# ", "Down", u"C中レ "},
                                           TransposeCase{u"C高シ ", "Up", u"C高シ "},
                                           TransposeCase{u"C中ド ", "Down", u"C低シ "},
                                           TransposeCase{u"D.中ラ# ^ H 3高ド ", "Up",
                                                         u"D.中シ ^ H 3高ド# "}));

TEST_F(PlaybackTest, TransposingWhileAKeyGuideShowsConvertsAgain) {
    setMelody(QStringLiteral("D中ミ "));
    m_window->selectView(2);
    clickToolButton("tbIchou", "Up");
    EXPECT_EQ(melody(), QStringLiteral("D中フ "));
    EXPECT_TRUE(m_pnl->isVisible());
    EXPECT_EQ(m_pnl->toPlainText(), QString(QChar(u'４')) + QString(4, QChar(0x3000)));
}

} // namespace
