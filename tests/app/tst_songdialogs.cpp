// The song-properties and name-clash dialogs and the question boxes on their own, offscreen,
// driven through their controls; the rules behind them (the form of a row, part kinds, names,
// the clash decisions) are the library's tests.

#include "app/messageboxinteractive.h"
#include "app/songpropertiesdialog.h"
#include "mainwindowfixture.h"
#include "sound/voicelist.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QSet>
#include <QTimer>

#include <string>
#include <vector>

namespace sarvo::app::testing {
namespace {

using library::NameClashResult;
using library::SongProperties;

// The GM program of a voice row, as a song stores it.
std::u16string programText(size_t row) {
    const std::string number = std::to_string(sound::voiceList()[row].program);
    return std::u16string(number.begin(), number.end());
}

class SongPropertiesDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_dialog));
    }
    void fill(const SongProperties& properties) {
        library::SongInfo row;
        row.properties = properties;
        m_dialog.setForm(library::formForRow(row));
    }

    RecordingInteractive m_ui;
    SongPropertiesDialog m_dialog{m_ui};
};

// A row fills the controls; what it leaves open (no tempo, a voice that is not in the list or
// none) keeps the controls as the row before left them.
TEST_F(SongPropertiesDialogTest, ARowFillsTheControlsAndKeepsWhatItLeavesOpen) {
    const SongProperties full{u"歌", u"歌手", u"演歌", u"サビ", u"180", programText(4)};
    const struct {
        SongProperties row, shown;
        const char16_t* tempoNote;
    } cases[] = {{full, full, u"C"},
                 {{u"歌", u"", u"自作", u"", u"", u"999"},
                  {u"歌", u"", u"自作", u"", u"100", programText(5)},
                  u"E."}};
    for (const auto& c : cases) {
        fill({u"前", u"", u"", u"", u"100", programText(5)});
        dialogChild<QComboBox>(m_dialog, "cmbOnpu")->setCurrentText(QStringLiteral("E."));
        fill(c.row);
        EXPECT_EQ(m_dialog.properties(), c.shown);
        EXPECT_EQ(dialogChild<QComboBox>(m_dialog, "cmbOnpu")->currentText(),
                  QString::fromUtf16(c.tempoNote));
    }
}

TEST_F(SongPropertiesDialogTest, PartKindsPrefixTheCommentAndTheNameIsMadeSafeOnLeaving) {
    fill({u"歌", u"", u"", u"X", u"120", programText(0)});
    chooseEntry(m_dialog, "cmbCM", QStringLiteral("和音"));
    chooseEntry(m_dialog, "cmbCM", QStringLiteral("サビ"));
    EXPECT_EQ(m_dialog.properties().body, u"サビ 和音 X");
    typeInto(m_dialog, "txt0", QStringLiteral("a:b/c?"));
    EXPECT_EQ(dialogChild<QLineEdit>(m_dialog, "txt0")->text(), QStringLiteral("a：b／c？"));
    EXPECT_EQ(m_dialog.properties().name, u"a：b／c？");
}

TEST_F(SongPropertiesDialogTest, OkNeedsANameAndCancelConfirmsNothing) {
    const struct {
        const char16_t* typed;
        const char* button;
        bool confirmed, stillOpen;
    } cases[] = {{u"", "cmd0", false, true},
                 {u"新曲", "cmd1", false, false},
                 {u"新曲", "cmd0", true, false}};
    for (const auto& c : cases) {
        m_dialog.show();
        const size_t before = m_ui.messages().size();
        typeInto(m_dialog, "txt0", QString::fromUtf16(c.typed));
        clickButton(m_dialog, c.button);
        EXPECT_EQ(m_dialog.isConfirmed(), c.confirmed);
        EXPECT_EQ(m_dialog.isVisible(), c.stillOpen);
        EXPECT_EQ(m_ui.messages().size(), before + (c.stillOpen ? 1 : 0));
        if (c.stillOpen) {
            EXPECT_EQ(m_ui.messages().back(), u"曲名は必ず入力して下さい。");
            EXPECT_TRUE(dialogChild<QLineEdit>(m_dialog, "txt0")->hasFocus());
        }
    }
}

// The asker runs the real dialog and gives its decision: each button decides; renaming to the
// same name is refused and closing asks first, and a dialog left undecided loses the song.
TEST(NameClashDialogTest, DecidesOrStaysOpen) {
    const std::u16string discard = u"受信を曲を捨てます。よろしいですか？",
                         unchanged = u"曲名が、変更されていません。";
    const struct {
        const char16_t* typedName; // nullptr: the field stays as preset
        const char* button;        // nullptr: the window is closed
        Answer answer;             // to the question on closing
        NameClashResult result;
        const char16_t* newName;
        std::vector<std::u16string> said; // messages, then questions; said means still open
    } cases[] = {
        {nullptr, "cmd0", Answer::No, NameClashResult::Discard, u"", {}},
        {nullptr, "cmd1", Answer::No, NameClashResult::Overwrite, u"", {}},
        {u"別の歌", "cmd2", Answer::No, NameClashResult::Rename, u"別の歌", {}},
        {nullptr, "cmd2", Answer::No, NameClashResult::Discard, u"", {unchanged}},
        {nullptr, nullptr, Answer::No, NameClashResult::Discard, u"", {discard}},
    };
    for (const auto& c : cases) {
        RecordingInteractive ui;
        bool stillOpen = false;
        DialogSongPropertiesAsker asker(ui, [&](QDialog& dialog) {
            dialog.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
            EXPECT_EQ(dialogChild<QLineEdit>(dialog, "txtName")->text(),
                      QStringLiteral("届いた歌"));
            if (c.typedName)
                typeInto(dialog, "txtName", QString::fromUtf16(c.typedName));
            ui.queueAnswer(c.answer);
            if (c.button)
                clickButton(dialog, c.button);
            else
                dialog.close();
            stillOpen = dialog.isVisible();
        });
        const NameClashDecision decision = asker.askNameClash(u"届いた歌");
        EXPECT_EQ(decision.result, c.result) << &c - cases;
        EXPECT_EQ(decision.newName, c.newName);
        EXPECT_EQ(stillOpen, !c.said.empty());
        std::vector<std::u16string> said = ui.messages();
        said.insert(said.end(), ui.questions().begin(), ui.questions().end());
        EXPECT_EQ(said, c.said);
    }
}

// The question boxes speak the interface's language and answer with the button clicked.
TEST(QuestionBoxTest, OffersJapaneseButtons) {
    const QString yes = QStringLiteral("はい(&Y)"), no = QStringLiteral("いいえ(&N)"),
                  cancel = QStringLiteral("キャンセル");
    const struct {
        QuestionButtons buttons;
        QStringList offered;
        QString clicked;
        Answer answer;
    } cases[] = {{QuestionButtons::YesNoCancel, {no, cancel, yes}, no, Answer::No},
                 {QuestionButtons::YesNoCancel, {no, cancel, yes}, cancel, Answer::Cancel},
                 {QuestionButtons::YesNo, {no, yes}, yes, Answer::Yes}};
    for (const auto& c : cases) {
        MessageBoxInteractive ui(nullptr);
        QStringList captions;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            for (QAbstractButton* button : box->buttons()) {
                captions << button->text();
                if (button->text() == c.clicked)
                    button->click();
            }
        });
        EXPECT_EQ(ui.askQuestion(u"「あの歌」を保存しますか？", c.buttons), c.answer);
        EXPECT_EQ(QSet<QString>(captions.begin(), captions.end()),
                  QSet<QString>(c.offered.begin(), c.offered.end()));
    }
}

} // namespace
} // namespace sarvo::app::testing
