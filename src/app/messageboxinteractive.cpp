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

Answer MessageBoxInteractive::askQuestion(std::u16string_view text, QuestionButtons buttons) {
    QMessageBox::StandardButtons offered = QMessageBox::Yes | QMessageBox::No;
    if (buttons == QuestionButtons::YesNoCancel)
        offered |= QMessageBox::Cancel;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Sarvo"),
                    QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())), offered,
                    m_parentWindow.data());
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return declined(buttons);
    }
}

} // namespace sarvo::app
