#pragma once
// A toolbar of window commands (tbTop or tbM): one text button per entry of a command table,
// with its caption and tip; the action's object name is the button key ("Set", "Del", ...).

#include "app/windowcommands.h"

#include <QToolBar>

#include <span>

namespace sarvo::app {

class CommandToolBar : public QToolBar {
    Q_OBJECT

public:
    CommandToolBar(const QString& objectName, std::span<const CommandButton> buttons,
                   QWidget* parent = nullptr);

    // The button of this key, for tests and for the function keys that press it.
    QAction* action(const QString& key) const;

signals:
    void commandTriggered(sarvo::app::WindowCommand command);
};

} // namespace sarvo::app
