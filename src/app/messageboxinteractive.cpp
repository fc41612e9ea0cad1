#include "app/messageboxinteractive.h"

#include "common/ui/coretext.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMessageBox>
#include <QString>

namespace sarvo::app {
namespace {

// The buttons speak the interface's language, with the usual access keys.
void nameButtons(QMessageBox& box) {
    static const struct {
        QMessageBox::StandardButton button;
        const char* text;
    } kNames[] = {{QMessageBox::Yes, QT_TRANSLATE_NOOP("sarvo::app::MessageBox", "はい(&Y)")},
                  {QMessageBox::No, QT_TRANSLATE_NOOP("sarvo::app::MessageBox", "いいえ(&N)")},
                  {QMessageBox::Cancel, QT_TRANSLATE_NOOP("sarvo::app::MessageBox", "キャンセル")},
                  {QMessageBox::Ok, "OK"}};
    for (const auto& name : kNames)
        if (QAbstractButton* button = box.button(name.button))
            button->setText(QCoreApplication::translate("sarvo::app::MessageBox", name.text));
}

} // namespace

MessageBoxInteractive::MessageBoxInteractive(QWidget* parentWindow)
    : m_parentWindow(parentWindow) {}

void MessageBoxInteractive::setParentWindow(QWidget* parentWindow) {
    m_parentWindow = parentWindow;
}

void MessageBoxInteractive::showMessage(std::u16string_view text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Sarvo"), ui::coreText(text),
                    QMessageBox::Ok, m_parentWindow.data());
    nameButtons(box);
    box.exec();
}

Answer MessageBoxInteractive::askQuestion(std::u16string_view text, QuestionButtons buttons) {
    QMessageBox::StandardButtons offered = QMessageBox::Yes | QMessageBox::No;
    if (buttons == QuestionButtons::YesNoCancel)
        offered |= QMessageBox::Cancel;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Sarvo"), ui::coreText(text), offered,
                    m_parentWindow.data());
    nameButtons(box);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return declined(buttons);
    }
}

} // namespace sarvo::app
