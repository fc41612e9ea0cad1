// The cable dialog frmComm driving real transfers over a pseudo-terminal to the phone emulator:
// settings restored and saved, the probe's type chosen in the list, the busy pointer, the log,
// and the melody read handed on.

#include "../app/qtestenvironment.h"
#include "cable/commdialog.h"
#include "phoneline.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace sarvo::cable {
namespace {

template <typename T> T* child(QWidget& dialog, const char* name) {
    return dialog.findChild<T*>(QString::fromLatin1(name));
}

TEST(CommDialog, WritesAndReadsBackThroughTheEmulator) {
    testing::PhoneLine line({"--type", "Type-AA"});
    const auto iniFile = line.dir() / "Sarvo.ini";
    const settings::SettingsFile settings(iniFile);
    // An old file: the port as a list index, slot 着信音３, Type-S, PIN 2468.
    settings.saveCableSettings({0, 2, u"Type-S [N501i]", u"2468"});
    RecordingInteractive ui;
    CommDialog dialog(settings, ui);
    dialog.show();
    EXPECT_EQ(child<QComboBox>(dialog, "cmbMNo")->currentText(), QStringLiteral("着信音３"));
    EXPECT_EQ(child<QComboBox>(dialog, "cmb")->currentText(), QStringLiteral("Type-S [N501i]"));
    EXPECT_EQ(child<QLineEdit>(dialog, "txtPass")->text(), QStringLiteral("2468"));

    child<QComboBox>(dialog, "cmbPort")->setEditText(QString::fromStdString(line.port()));
    dialog.setWriteSource([] { return CableWriteSource{u"C中ド D.高ソ# H E低シ ", u"春", {}, 7}; });
    QSignalSpy finished(&dialog, &CommDialog::transferFinished);
    QTest::mouseClick(child<QPushButton>(dialog, "cmdRead1"), Qt::LeftButton);
    ASSERT_TRUE(QApplication::overrideCursor());
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_FALSE(child<QPushButton>(dialog, "cmdEnd")->isEnabled());
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_TRUE(finished.takeFirst().at(0).toBool());
    EXPECT_FALSE(QApplication::overrideCursor());
    const QString log = child<QPlainTextEdit>(dialog, "txtLog")->toPlainText();
    EXPECT_TRUE(log.contains(QStringLiteral("♪♪♪ 送信完了 ♪♪♪"))) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("パリティなし"))) << log.toStdString();
    // The probe chose the phone's type.
    EXPECT_EQ(child<QComboBox>(dialog, "cmb")->currentIndex(), static_cast<int>(CableType::AA));
    EXPECT_EQ(line.slotLine(3).substr(0, 14), "3 00 00 00 04 ");
    app::testing::saveScreenshot(dialog, QStringLiteral("commdialog-written"));

    QSignalSpy read(&dialog, &CommDialog::melodyRead);
    QTest::mouseClick(child<QPushButton>(dialog, "cmdRead0"), Qt::LeftButton);
    ASSERT_TRUE(finished.wait(20000));
    ASSERT_EQ(read.count(), 1);
    EXPECT_EQ(read.takeFirst().at(0).toString(), QStringLiteral("C中ド D.高ソ# H E低シ "));
    EXPECT_TRUE(ui.messages().empty());

    // The four settings were saved: the port now as its path.
    const settings::CableSettings saved = settings.cableSettings();
    EXPECT_EQ(saved.melodySlot, 2);
    EXPECT_EQ(saved.type, u"Type-AA [N208,N208S]");
    EXPECT_EQ(saved.pin, u"2468");
    EXPECT_EQ(settings.profile().value(u"ケーブル接続", u"PORT"),
              QString::fromStdString(line.port()).toStdU16String());
    CommDialog again(settings, ui);
    EXPECT_EQ(again.portPath(), QString::fromStdString(line.port()));

    QTest::mouseClick(child<QPushButton>(dialog, "cmdLog"), Qt::LeftButton);
    EXPECT_EQ(child<QPlainTextEdit>(dialog, "txtLog")->toPlainText(),
              QStringLiteral("\n＊＊＊ シリアルデータ転送のプロトコルログです ＊＊＊"));
    QTest::mouseClick(child<QPushButton>(dialog, "cmdEnd"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(line.openDescriptors(), 0);
}

TEST(CommDialog, RefusesAnEmptyMelodyWithoutOpeningThePort) {
    const settings::SettingsFile settings(std::filesystem::temp_directory_path() /
                                          "sarvo-comm-empty.ini");
    RecordingInteractive ui;
    CommDialog dialog(settings, ui);
    dialog.setWriteSource([] { return CableWriteSource{}; });
    child<QComboBox>(dialog, "cmbPort")->setEditText(QStringLiteral("/nonexistent/tty"));
    QTest::mouseClick(child<QPushButton>(dialog, "cmdRead1"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isTransferring());
    EXPECT_EQ(ui.messages(), std::vector<std::u16string>{std::u16string(kEmptyMelodyMessage)});
    EXPECT_FALSE(QApplication::overrideCursor());
    std::filesystem::remove(std::filesystem::temp_directory_path() / "sarvo-comm-empty.ini");
}

} // namespace
} // namespace sarvo::cable
