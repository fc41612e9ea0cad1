// The song-properties and name-clash dialogs on their own, offscreen: how a music-box row fills
// the controls, the part-kind chooser, the name field on leaving, OK with a blank name, and the
// three decisions of a name clash with their refusals.

#include "app/messageboxinteractive.h"
#include "app/nameclashdialog.h"
#include "app/songpropertiesasker.h"
#include "app/songpropertiesdialog.h"
#include "common/interaction.h"
#include "dialogtesting.h"
#include "qtestenvironment.h"
#include "sound/voicelist.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using sarvo::Answer;
using sarvo::RecordingInteractive;
using sarvo::app::NameClashDialog;
using sarvo::app::SongPropertiesDialog;
using sarvo::app::testing::chooseEntry;
using sarvo::app::testing::clickButton;
using sarvo::app::testing::dialogChild;
using sarvo::app::testing::saveScreenshot;
using sarvo::app::testing::typeInto;
using sarvo::library::NameClashResult;
using sarvo::library::SongInfo;
using sarvo::library::SongProperties;

QString qs(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The GM program of a voice row, as a song stores it.
std::u16string programText(size_t row) {
    const std::string number = std::to_string(sarvo::sound::voiceList()[row].program);
    return std::u16string(number.begin(), number.end());
}

class SongPropertiesDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_dialog));
    }

    void fill(const SongProperties& properties) {
        SongInfo row;
        row.properties = properties;
        m_dialog.setForm(sarvo::library::formForRow(row));
    }

    RecordingInteractive m_ui;
    SongPropertiesDialog m_dialog{m_ui};
};

struct RowCase {
    const char* name;
    SongProperties before; // the row shown first
    SongProperties row;    // the row shown next
    SongProperties shown;  // what the controls give afterwards
    const char16_t* tempoNote;
};

void PrintTo(const RowCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class RowTest : public SongPropertiesDialogTest, public ::testing::WithParamInterface<RowCase> {};

TEST_P(RowTest, FillsTheControlsAndKeepsWhatTheRowLeavesOpen) {
    const RowCase& testCase = GetParam();
    fill(testCase.before);
    dialogChild<QComboBox>(m_dialog, "cmbOnpu")->setCurrentText(QStringLiteral("E."));
    fill(testCase.row);
    EXPECT_EQ(m_dialog.properties(), testCase.shown);
    EXPECT_EQ(dialogChild<QComboBox>(m_dialog, "cmbOnpu")->currentText(), qs(testCase.tempoNote));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RowTest,
    ::testing::Values(RowCase{"EveryField",
                              {u"前", u"", u"", u"", u"100", programText(2)},
                              {u"歌", u"歌手", u"演歌", u"サビ", u"180", programText(4)},
                              {u"歌", u"歌手", u"演歌", u"サビ", u"180", programText(4)},
                              u"C"},
                      RowCase{"GenreOutsideTheList",
                              {u"前", u"", u"", u"", u"100", programText(2)},
                              {u"歌", u"", u"自作", u"", u"90", programText(2)},
                              {u"歌", u"", u"自作", u"", u"90", programText(2)},
                              u"C"},
                      RowCase{"BlankTempoKeepsTheTempoControls",
                              {u"前", u"", u"", u"", u"100", programText(2)},
                              {u"歌", u"", u"", u"", u"", programText(3)},
                              {u"歌", u"", u"", u"", u"100", programText(3)},
                              u"E."},
                      RowCase{"UnknownVoiceKeepsTheVoice",
                              {u"前", u"", u"", u"", u"100", programText(2)},
                              {u"歌", u"", u"", u"", u"150", u"999"},
                              {u"歌", u"", u"", u"", u"150", programText(2)},
                              u"C"},
                      RowCase{"BlankVoiceKeepsTheVoice",
                              {u"前", u"", u"", u"", u"100", programText(5)},
                              {u"歌", u"", u"", u"", u"60", u""},
                              {u"歌", u"", u"", u"", u"60", programText(5)},
                              u"C"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

struct PartKindCase {
    const char* name;
    const char16_t* comment;
    std::vector<const char16_t*> kinds;
    const char16_t* expected;
};

void PrintTo(const PartKindCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class PartKindTest : public SongPropertiesDialogTest,
                     public ::testing::WithParamInterface<PartKindCase> {};

TEST_P(PartKindTest, PrefixesTheComment) {
    const PartKindCase& testCase = GetParam();
    fill({u"歌", u"", u"", testCase.comment, u"120", programText(0)});
    for (const char16_t* kind : testCase.kinds)
        chooseEntry(m_dialog, "cmbCM", qs(kind));
    EXPECT_EQ(m_dialog.properties().body, testCase.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PartKindTest,
    ::testing::Values(PartKindCase{"OverAComment", u"X", {u"サビ"}, u"サビ X"},
                      PartKindCase{"OverNothing", u"", {u"イントロ"}, u"イントロ"},
                      PartKindCase{"TwoInTurn", u"X", {u"和音", u"サビ"}, u"サビ 和音 X"},
                      PartKindCase{"TheSameTwice", u"X", {u"間奏", u"間奏"}, u"間奏 間奏 X"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(SongPropertiesDialogTest, LeavingTheNameMakesItSafeForAFileName) {
    fill({u"歌", u"", u"", u"", u"120", programText(0)});
    typeInto(m_dialog, "txt0", QStringLiteral("a:b/c?"));
    EXPECT_EQ(dialogChild<QLineEdit>(m_dialog, "txt0")->text(), QStringLiteral("a：b／c？"));
    EXPECT_EQ(m_dialog.properties().name, u"a：b／c？");
}

struct ConfirmCase {
    const char* name;
    const char16_t* typedName;
    const char* button;
    bool confirmed;
    bool stillOpen;
    size_t messages;
};

void PrintTo(const ConfirmCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class ConfirmTest : public SongPropertiesDialogTest,
                    public ::testing::WithParamInterface<ConfirmCase> {};

TEST_P(ConfirmTest, OkNeedsAName) {
    const ConfirmCase& testCase = GetParam();
    fill({u"歌", u"", u"", u"", u"120", programText(0)});
    typeInto(m_dialog, "txt0", qs(testCase.typedName));
    clickButton(m_dialog, testCase.button);
    EXPECT_EQ(m_dialog.isConfirmed(), testCase.confirmed);
    EXPECT_EQ(m_dialog.isVisible(), testCase.stillOpen);
    ASSERT_EQ(m_ui.messages().size(), testCase.messages);
    if (testCase.messages > 0) {
        EXPECT_EQ(m_ui.messages().front(), u"曲名は必ず入力して下さい。");
        EXPECT_TRUE(dialogChild<QLineEdit>(m_dialog, "txt0")->hasFocus());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, ConfirmTest,
    ::testing::Values(ConfirmCase{"OkWithAName", u"新曲", "cmd0", true, false, 0},
                      ConfirmCase{"OkWithoutAName", u"", "cmd0", false, true, 1},
                      ConfirmCase{"OkWithBlanksOnly", u"   ", "cmd0", false, true, 1},
                      ConfirmCase{"CancelWithAName", u"新曲", "cmd1", false, false, 0}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(SongPropertiesDialogTest, Screenshot) {
    m_dialog.setWindowTitle(QStringLiteral("「春の歌」の保存"));
    fill({u"春の歌", u"作曲者", u"J-POP", u"サビ 明るい", u"132", programText(1)});
    EXPECT_TRUE(saveScreenshot(m_dialog, QStringLiteral("songproperties-dialog")));
}

struct ClashCase {
    const char* name;
    const char16_t* typedName; // nullptr: the field stays as preset
    std::vector<const char*> buttons;
    std::vector<Answer> answers; // for closing the window
    bool closeWindow;
    NameClashResult result;
    const char16_t* newName;
    bool stillOpen;
    std::vector<const char16_t*> said; // messages and questions, in order of kind
};

void PrintTo(const ClashCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class NameClashTest : public ::testing::TestWithParam<ClashCase> {};

TEST_P(NameClashTest, DecidesOrStaysOpen) {
    const ClashCase& testCase = GetParam();
    RecordingInteractive ui;
    NameClashDialog dialog(u"届いた歌", ui);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("曲名の変更"));
    EXPECT_EQ(dialogChild<QLineEdit>(dialog, "txtName")->text(), QStringLiteral("届いた歌"));
    if (testCase.typedName)
        typeInto(dialog, "txtName", qs(testCase.typedName));
    for (const char* button : testCase.buttons)
        clickButton(dialog, button);
    for (const Answer answer : testCase.answers)
        ui.queueAnswer(answer);
    if (testCase.closeWindow)
        dialog.close();
    EXPECT_EQ(dialog.decision().result(), testCase.result);
    EXPECT_EQ(dialog.decision().newName(), testCase.newName);
    EXPECT_EQ(dialog.isVisible(), testCase.stillOpen);
    std::vector<std::u16string> said = ui.messages();
    said.insert(said.end(), ui.questions().begin(), ui.questions().end());
    EXPECT_EQ(said, std::vector<std::u16string>(testCase.said.begin(), testCase.said.end()));
}

INSTANTIATE_TEST_SUITE_P(
    Decisions, NameClashTest,
    ::testing::Values(
        ClashCase{
            "Discard", nullptr, {"cmd0"}, {}, false, NameClashResult::Discard, u"", false, {}},
        ClashCase{
            "Overwrite", nullptr, {"cmd1"}, {}, false, NameClashResult::Overwrite, u"", false, {}},
        ClashCase{"Rename",
                  u"別の歌",
                  {"cmd2"},
                  {},
                  false,
                  NameClashResult::Rename,
                  u"別の歌",
                  false,
                  {}},
        ClashCase{"RenameKeepsBlanksAsTyped",
                  u" 別の歌 ",
                  {"cmd2"},
                  {},
                  false,
                  NameClashResult::Rename,
                  u" 別の歌 ",
                  false,
                  {}},
        ClashCase{"RenameToTheSameName",
                  nullptr,
                  {"cmd2"},
                  {},
                  false,
                  NameClashResult::Undecided,
                  u"",
                  true,
                  {u"曲名が、変更されていません。"}},
        ClashCase{"CloseAnsweredYes",
                  nullptr,
                  {},
                  {Answer::Yes},
                  true,
                  NameClashResult::Discard,
                  u"",
                  false,
                  {u"受信を曲を捨てます。よろしいですか？"}},
        ClashCase{"CloseAnsweredNo",
                  nullptr,
                  {},
                  {Answer::No},
                  true,
                  NameClashResult::Undecided,
                  u"",
                  true,
                  {u"受信を曲を捨てます。よろしいですか？"}},
        ClashCase{"CloseAfterDeciding",
                  nullptr,
                  {"cmd1"},
                  {},
                  true,
                  NameClashResult::Overwrite,
                  u"",
                  false,
                  {}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

struct AskerClashCase {
    const char* name;
    std::function<void(QDialog&)> user;
    std::vector<Answer> answers;
    NameClashResult result;
    const char16_t* newName;
};

void PrintTo(const AskerClashCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class AskerClashTest : public ::testing::TestWithParam<AskerClashCase> {};

// The asker runs the real dialog; the user here stands in for its modal loop.
TEST_P(AskerClashTest, GivesTheDialogsDecision) {
    const AskerClashCase& testCase = GetParam();
    RecordingInteractive ui;
    for (const Answer answer : testCase.answers)
        ui.queueAnswer(answer);
    sarvo::app::DialogSongPropertiesAsker asker(ui, [&](QDialog& dialog) {
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        testCase.user(dialog);
    });
    const sarvo::app::NameClashDecision decision = asker.askNameClash(u"届いた歌");
    EXPECT_EQ(decision.result, testCase.result);
    EXPECT_EQ(decision.newName, testCase.newName);
}

INSTANTIATE_TEST_SUITE_P(
    Users, AskerClashTest,
    ::testing::Values(AskerClashCase{"Renames",
                                     [](QDialog& dialog) {
                                         typeInto(dialog, "txtName", QStringLiteral("届いた歌2"));
                                         clickButton(dialog, "cmd2");
                                     },
                                     {},
                                     NameClashResult::Rename,
                                     u"届いた歌2"},
                      AskerClashCase{"Overwrites",
                                     [](QDialog& dialog) { clickButton(dialog, "cmd1"); },
                                     {},
                                     NameClashResult::Overwrite,
                                     u""},
                      AskerClashCase{"ClosesAndDiscards",
                                     [](QDialog& dialog) { dialog.close(); },
                                     {Answer::Yes},
                                     NameClashResult::Discard,
                                     u""}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(NameClashDialogTest, Screenshot) {
    RecordingInteractive ui;
    NameClashDialog dialog(u"届いた歌", ui);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_TRUE(saveScreenshot(dialog, QStringLiteral("nameclash-dialog")));
}

} // namespace

namespace {

struct QuestionCase {
    const char* name;
    sarvo::QuestionButtons buttons;
    QStringList offered; // the buttons' captions, left to right
    QString clicked;
    Answer answer;
};

void PrintTo(const QuestionCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class QuestionBoxTest : public ::testing::TestWithParam<QuestionCase> {};

// The question boxes speak the interface's language and answer with the button clicked.
TEST_P(QuestionBoxTest, OffersJapaneseButtons) {
    sarvo::app::MessageBoxInteractive ui(nullptr);
    QStringList captions;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        QAbstractButton* chosen = nullptr;
        for (QAbstractButton* button : box->buttons()) {
            captions << button->text();
            if (button->text() == GetParam().clicked)
                chosen = button;
        }
        ASSERT_NE(chosen, nullptr);
        chosen->click();
    });
    EXPECT_EQ(ui.askQuestion(u"「あの歌」を保存しますか？", GetParam().buttons), GetParam().answer);
    captions.sort();
    QStringList offered = GetParam().offered;
    offered.sort();
    EXPECT_EQ(captions, offered);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, QuestionBoxTest,
    ::testing::Values(QuestionCase{"No",
                                   sarvo::QuestionButtons::YesNoCancel,
                                   {QStringLiteral("はい(&Y)"), QStringLiteral("いいえ(&N)"),
                                    QStringLiteral("キャンセル")},
                                   QStringLiteral("いいえ(&N)"),
                                   Answer::No},
                      QuestionCase{"Cancel",
                                   sarvo::QuestionButtons::YesNoCancel,
                                   {QStringLiteral("はい(&Y)"), QStringLiteral("いいえ(&N)"),
                                    QStringLiteral("キャンセル")},
                                   QStringLiteral("キャンセル"),
                                   Answer::Cancel},
                      QuestionCase{"Yes",
                                   sarvo::QuestionButtons::YesNo,
                                   {QStringLiteral("はい(&Y)"), QStringLiteral("いいえ(&N)")},
                                   QStringLiteral("はい(&Y)"),
                                   Answer::Yes}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

} // namespace
