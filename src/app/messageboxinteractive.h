#pragma once
// The program's message interface shown as Qt message boxes titled "Sarvo": messages with an OK
// button, questions with Yes and No (and Cancel when offered).

#include "common/interaction.h"

#include <QPointer>
#include <QWidget>

namespace sarvo::app {

class MessageBoxInteractive final : public IInteractive {
public:
    explicit MessageBoxInteractive(QWidget* parentWindow = nullptr);

    // The window the message boxes are centred on; the main window is made after this object.
    void setParentWindow(QWidget* parentWindow);

    void showMessage(std::u16string_view text) override;
    Answer askQuestion(std::u16string_view text, QuestionButtons buttons) override;

private:
    QPointer<QWidget> m_parentWindow;
};

} // namespace sarvo::app
