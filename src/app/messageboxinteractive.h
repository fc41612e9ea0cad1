#pragma once
// The program's message interface shown as a Qt message box titled "Sarvo" with an OK button.

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

private:
    QPointer<QWidget> m_parentWindow;
};

} // namespace sarvo::app
