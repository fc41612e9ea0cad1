#include "app/messageboxinteractive.h"

#include <QMessageBox>
#include <QString>

namespace sarvo::app {

MessageBoxInteractive::MessageBoxInteractive(QWidget* parentWindow)
    : m_parentWindow(parentWindow) {}

void MessageBoxInteractive::setParentWindow(QWidget* parentWindow) {
    m_parentWindow = parentWindow;
}

void MessageBoxInteractive::showMessage(std::u16string_view text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Sarvo"),
                    QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())),
                    QMessageBox::Ok, m_parentWindow.data());
    box.exec();
}

} // namespace sarvo::app
