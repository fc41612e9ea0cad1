// The main window's cable command (F11): the melody in the editor goes into the emulated phone
// and comes back into the editor.

#include "../app/mainwindowfixture.h"
#include "cable/commdialog.h"
#include "phoneline.h"

#include <QSignalSpy>

namespace sarvo::cable {
namespace {

class CableWindowTest : public app::testing::MainWindowFixture {};

TEST_F(CableWindowTest, F11WritesTheEditedMelodyAndReadsItIntoTheEditor) {
    testing::PhoneLine line({"--type", "Type-E"});
    setMelody(QStringLiteral("C中ミ D中ソ "));
    m_txt->setFocus();
    press(Qt::Key_F11);
    auto* dialog = m_window->findChild<CommDialog*>(QStringLiteral("frmComm"));
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->isVisible());
    dialog->findChild<QComboBox*>(QStringLiteral("cmbPort"))
        ->setEditText(QString::fromStdString(line.port()));
    QSignalSpy finished(dialog, &CommDialog::transferFinished);
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdRead1")), Qt::LeftButton);
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_TRUE(finished.takeFirst().at(0).toBool());
    EXPECT_EQ(line.slotLine(1), "1 00 01 00 00 00 02 01 07 00 08 01 0A 01 00 ");
    app::testing::saveScreenshot(*m_window, QStringLiteral("cable-window"));

    setMelody(QStringLiteral("E高ド "));
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdRead0")), Qt::LeftButton);
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(m_window->melodyText(), u"C中ミ D中ソ ");
}

} // namespace
} // namespace sarvo::cable
