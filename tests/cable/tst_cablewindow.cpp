// The cable dialog frmComm that the main window's Comm command (F11) opens, driving real
// transfers over a pseudo-terminal to the phone emulator: the settings of an old file restored
// and saved, an empty melody refused, the edited melody written (the probe's type chosen in the
// list, the busy pointer, the log) and read back into the editor.

#include "../app/mainwindowfixture.h"
#include "cable/commdialog.h"
#include "phoneline.h"

#include <QSignalSpy>

namespace sarvo::cable {
namespace {

class CableWindowTest : public app::testing::MainWindowFixture {
protected:
    // An old file: the port as a list index, slot 着信音３, Type-S, PIN 2468.
    void beforeWindow() override {
        settingsFile().saveCableSettings({0, 2, u"Type-S [N501i]", u"2468"});
    }
    template <typename T> T* in(const char* name) {
        return m_dialog->findChild<T*>(QString::fromLatin1(name));
    }
    void click(const char* button) { QTest::mouseClick(in<QPushButton>(button), Qt::LeftButton); }

    CommDialog* m_dialog = nullptr;
};

TEST_F(CableWindowTest, F11WritesTheEditedMelodyAndReadsItIntoTheEditor) {
    testing::PhoneLine line({"--type", "Type-AA"});
    m_txt->setFocus();
    press(Qt::Key_F11);
    m_dialog = m_window->findChild<CommDialog*>(QStringLiteral("frmComm"));
    ASSERT_TRUE(m_dialog);
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_EQ(in<QComboBox>("cmbMNo")->currentText(), QStringLiteral("着信音３"));
    EXPECT_EQ(in<QComboBox>("cmb")->currentText(), QStringLiteral("Type-S [N501i]"));
    EXPECT_EQ(in<QLineEdit>("txtPass")->text(), QStringLiteral("2468"));
    in<QComboBox>("cmbPort")->setEditText(QString::fromStdString(line.port()));

    // An empty editor: refused before the port opens.
    click("cmdRead1");
    EXPECT_FALSE(m_dialog->isTransferring());
    EXPECT_EQ(m_ui.messages(), std::vector<std::u16string>{std::u16string(kEmptyMelodyMessage)});
    EXPECT_FALSE(QApplication::overrideCursor());

    setMelody(QStringLiteral("C中ド D.高ソ# H E低シ "));
    QSignalSpy finished(m_dialog, &CommDialog::transferFinished);
    click("cmdRead1");
    ASSERT_TRUE(QApplication::overrideCursor());
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_FALSE(in<QPushButton>("cmdEnd")->isEnabled());
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_TRUE(finished.takeFirst().at(0).toBool());
    EXPECT_FALSE(QApplication::overrideCursor());
    const QString log = in<QPlainTextEdit>("txtLog")->toPlainText();
    EXPECT_TRUE(log.contains(QStringLiteral("♪♪♪ 送信完了 ♪♪♪"))) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("パリティなし"))) << log.toStdString();
    // The probe chose the phone's type.
    EXPECT_EQ(in<QComboBox>("cmb")->currentIndex(), static_cast<int>(CableType::AA));
    EXPECT_EQ(line.slotLine(3), "3 00 00 00 04 01 01 00 04 02 09 00 05 00 00 00 04 00 0C 00 09 ");
    app::testing::saveScreenshot(*m_dialog, QStringLiteral("commdialog-written"));

    setMelody(QStringLiteral("E高ド "));
    click("cmdRead0");
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(m_window->melodyText(), u"C中ド D.高ソ# H E低シ ");
    EXPECT_EQ(m_ui.messages().size(), 1u);

    // The four settings were saved: the port now as its path.
    const settings::SettingsFile settings = settingsFile();
    const settings::CableSettings saved = settings.cableSettings();
    EXPECT_EQ(saved.melodySlot, 2);
    EXPECT_EQ(saved.type, u"Type-AA [N208,N208S]");
    EXPECT_EQ(saved.pin, u"2468");
    EXPECT_EQ(settings.profile().value(u"ケーブル接続", u"PORT"),
              QString::fromStdString(line.port()).toStdU16String());
    EXPECT_EQ(CommDialog(settings, m_ui).portPath(), QString::fromStdString(line.port()));

    click("cmdLog");
    EXPECT_EQ(in<QPlainTextEdit>("txtLog")->toPlainText(),
              QStringLiteral("\n＊＊＊ シリアルデータ転送のプロトコルログです ＊＊＊"));
    click("cmdEnd");
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(line.openDescriptors(), 0);
}

} // namespace
} // namespace sarvo::cable
