#include "app/messageboxinteractive.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QString>

namespace sarvo::app {
namespace {

// The buttons speak the interface's language, with the usual access keys.
void nameButtons(QMessageBox& box) {
    static const struct {
        QMessageBox::StandardButton button;
        const char16_t* text;
    } kNames[] = {{QMessageBox::Yes, u"はい(&Y)"},
                  {QMessageBox::No, u"いいえ(&N)"},
                  {QMessageBox::Cancel, u"キャンセル"},
                  {QMessageBox::Ok, u"OK"}};
    for (const auto& name : kNames)
        if (QAbstractButton* button = box.button(name.button))
            button->setText(QString::fromUtf16(name.text));
}

} // namespace

MessageBoxInteractive::MessageBoxInteractive(QWidget* parentWindow)
    : m_parentWindow(parentWindow) {}

void MessageBoxInteractive::setParentWindow(QWidget* parentWindow) {
    m_parentWindow = parentWindow;
}

void MessageBoxInteractive::showMessage(std::u16string_view text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Sarvo"),
                    QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())),
                    QMessageBox::Ok, m_parentWindow.data());
    nameButtons(box);
    box.exec();
}

Answer MessageBoxInteractive::askQuestion(std::u16string_view text, QuestionButtons buttons) {
    QMessageBox::StandardButtons offered = QMessageBox::Yes | QMessageBox::No;
    if (buttons == QuestionButtons::YesNoCancel)
        offered |= QMessageBox::Cancel;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Sarvo"),
                    QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())), offered,
                    m_parentWindow.data());
    nameButtons(box);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return declined(buttons);
    }
}

} // namespace sarvo::app
