// The settings dialog dlgSet, opened from the main window and driven as a user does: the round
// trip through Sarvo.ini, what the window takes from it at once, the refusals (no phone type,
// font sizes), and on its own the port list, the voice and the test scale. What the file holds
// for each choice is the settings file's test.

#include "mainwindowfixture.h"
#include "settings/privateprofile.h"
#include "settings/ui/settingsdialog.h"
#include "sound/midiports.h"
#include "sound/recordingmidioutput.h"

#include <QCheckBox>
#include <QListWidget>
#include <QRadioButton>

#include <fstream>

namespace sarvo::app::testing {
namespace {

using settings::PrivateProfile;

class SettingsDialogTest : public MainWindowFixture {
protected:
    std::filesystem::path settingsPath() const { return m_library->folders().settingsFile(); }
    PrivateProfile storedSettings() const { return PrivateProfile::load(settingsPath()).profile; }

    void openSettings(DialogScript script) {
        queueDialog(std::move(script));
        const size_t opened = m_dialogTitles.size();
        m_window->runCommand(WindowCommand::Settings);
        ASSERT_EQ(m_dialogTitles.size(), opened + 1);
    }
};

// OK writes the choices into the file, keeping its other sections, and the window takes them at
// once; opened again, the dialog shows what the file holds, and Cancel writes nothing.
TEST_F(SettingsDialogTest, ChoicesComeBackFromTheFileAndTakeEffectInTheWindowAtOnce) {
    // [メイン] in CP932.
    std::ofstream(settingsPath(), std::ios::binary)
        << "[\x83\x81\x83\x43\x83\x93]\r\nHeight=5000\r\n";
    openSettings([](QDialog& dialog) {
        chooseEntry(dialog, "cmbNeiro", QStringLiteral("ピアノ"));
        chooseEntry(dialog, "cmbInpuOn", QStringLiteral("音符に従う"));
        dialogChild<QComboBox>(dialog, "cmbTenpo")->setCurrentText(QStringLiteral("150"));
        dialogChild<QRadioButton>(dialog, "optKey2")->click();
        dialogChild<QCheckBox>(dialog, "chkCur5")->click();
        auto* size = dialogChild<QComboBox>(dialog, "cmbSizeInpu");
        size->lineEdit()->selectAll();
        QTest::keyClicks(size->lineEdit(), QStringLiteral("20"));
        clickButton(dialog, "cmdClear");
        auto* types = dialogChild<QListWidget>(dialog, "lstT");
        types->item(1)->setSelected(true);
        types->item(38)->setSelected(true);
        typeInto(dialog, "txtName", QStringLiteral("山田"));
        clickButton(dialog, "cmdOK");
    });
    EXPECT_EQ(storedSettings().value(u"メイン", u"Height"), u"5000");
    const settings::Preferences stored = settings::readPreferences(storedSettings());
    EXPECT_EQ(stored.voice, u"ピアノ");
    EXPECT_EQ(stored.inputSound, settings::InputSound::FollowNote);
    EXPECT_EQ(stored.tempo, 150);
    EXPECT_EQ(stored.keyMap, 2);
    EXPECT_TRUE(stored.staffCursorStays);
    EXPECT_EQ(stored.inputFont.size, 20);
    EXPECT_EQ(stored.phoneTypes, (std::vector<int>{3, 40}));
    EXPECT_EQ(stored.userName, u"山田");
    // The window took the voice and the melody font at once.
    EXPECT_EQ(m_midi.messages().back(), sound::programChangeMessage(0));
    EXPECT_EQ(m_txt->font().pointSize(), 20);

    settings::Preferences shown;
    openSettings([&shown](QDialog& dialog) {
        shown = static_cast<settings::SettingsDialog&>(dialog).preferences();
        clickButton(dialog, "cmdCancel");
    });
    EXPECT_EQ(shown, stored);
}

TEST_F(SettingsDialogTest, OkWithoutPhoneTypeIsRefusedAndWritesNothing) {
    openSettings([this](QDialog& dialog) {
        clickButton(dialog, "cmdClear");
        clickButton(dialog, "cmdOK");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(m_ui.messages(), std::vector<std::u16string>{
                                       u"携帯電話タイプは必ず１つは指定して下さい。m(_ _;)m"});
        clickButton(dialog, "cmdReset3");
        EXPECT_EQ(dialogChild<QListWidget>(dialog, "lstT")->selectedItems().size(), 39);
        clickButton(dialog, "cmdCancel");
    });
    EXPECT_FALSE(storedSettings().hasSection(u"設定"));
}

TEST_F(SettingsDialogTest, FontSizesAreCheckedAsTypedAndLeft) {
    const struct {
        const char* typed;
        bool leave; // Tab out of the field after typing
        std::u16string_view message;
        int size; // the size kept afterwards
    } cases[] = {
        {"0", false, u"0は、入力できません。", 12},
        {"x", false, u"数値しか入力できません。:Change:text=", 12},
        {"", true, u"数値しか入力できません。:LostFocus", 12},
        {"24", true, {}, 24},
    };
    openSettings([&](QDialog& dialog) {
        auto& settingsDialog = static_cast<settings::SettingsDialog&>(dialog);
        auto* size = dialogChild<QComboBox>(dialog, "cmbSizeInpu");
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        for (const auto& c : cases) {
            SCOPED_TRACE(c.typed);
            const size_t before = m_ui.messages().size();
            size->lineEdit()->setFocus();
            size->lineEdit()->selectAll();
            QTest::keyClick(size->lineEdit(), Qt::Key_Backspace);
            QTest::keyClicks(size->lineEdit(), QString::fromLatin1(c.typed));
            if (c.leave)
                dialogChild<QLineEdit>(dialog, "txtPreviewInpu")->setFocus();
            if (c.message.empty())
                EXPECT_EQ(m_ui.messages().size(), before);
            else
                EXPECT_EQ(m_ui.messages().back(), c.message);
            EXPECT_EQ(settingsDialog.preferences().inputFont.size, c.size);
            EXPECT_EQ(dialogChild<QLineEdit>(dialog, "txtPreviewInpu")->font().pointSize(), c.size);
        }
        clickButton(dialog, "cmdCancel");
    });
}

// The dialog on its own, over a port list of a working and a failing output.
TEST(SettingsDialogSound, PortsVoicesAndTheTestScaleSoundAtOnce) {
    RecordingInteractive ui;
    sound::RecordingMidiOutput heard;
    sound::MidiOutputPort port(ui, {{u"(標準)", "test", 0,
                                     [&heard] {
                                         return sound::OpenedOutput{
                                             std::make_unique<sound::ForwardingMidiOutput>(heard)};
                                     }},
                                    {u"壊れた音源", "test", 1, [] {
                                         return sound::OpenedOutput{nullptr, "no such"};
                                     }}});
    ASSERT_TRUE(port.open(0));
    settings::SettingsDialog dialog(ui, port, &port);
    dialog.setPreferences({});
    dialog.show();

    chooseEntry(dialog, "cmbPort", QStringLiteral("壊れた音源"));
    EXPECT_EQ(ui.messages().back(), sound::kOpenFailedMessage);
    EXPECT_FALSE(port.isOpen());
    chooseEntry(dialog, "cmbPort", QStringLiteral("(標準)"));
    ASSERT_TRUE(port.isOpen());
    EXPECT_TRUE(saveScreenshot(dialog, QStringLiteral("dlgSet-ports")));

    heard.clear();
    chooseEntry(dialog, "cmbNeiro", QStringLiteral("ミュージックボックス"));
    EXPECT_EQ(heard.messages(), std::vector<uint32_t>{sound::programChangeMessage(10)});

    auto* test = dialogChild<QPushButton>(dialog, "cmdTest");
    heard.clear();
    clickButton(dialog, "cmdTest");
    EXPECT_EQ(test->text(), QStringLiteral("停止(&P)"));
    // A quarter at tempo 100 lasts about half a second; the second note follows it.
    EXPECT_TRUE(QTest::qWaitFor([&heard] { return heard.messages().size() >= 3; }, 3000));
    clickButton(dialog, "cmdTest");
    EXPECT_EQ(test->text(), QStringLiteral("でドレミ…を試聴(&P)"));
    EXPECT_EQ(heard.messages(),
              (std::vector<uint32_t>{sound::noteOnMessage(60), sound::noteOffMessage(60),
                                     sound::noteOnMessage(62), sound::noteOffMessage(62)}));

    heard.clear();
    clickButton(dialog, "cmdReset0");
    EXPECT_EQ(dialog.preferences().voice, settings::kFirstVoice);
    EXPECT_EQ(heard.messages(), std::vector<uint32_t>{sound::programChangeMessage(7)});
}

} // namespace
} // namespace sarvo::app::testing
