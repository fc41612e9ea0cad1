#include "app/commandtoolbar.h"

#include "app/qtext.h"

#include <QAction>

namespace sarvo::app {

CommandToolBar::CommandToolBar(const QString& objectName, std::span<const CommandButton> buttons,
                               QWidget* parent)
    : QToolBar(parent) {
    setObjectName(objectName);
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const CommandButton& button : buttons) {
        QAction* action = addAction(tr(button.caption));
        // The song commands that open a dialog say so with "..."; the toolbar would drop it
        // from a caption it derives, so it is given in full.
        action->setIconText(tr(button.caption));
        action->setObjectName(toQString(button.key));
        action->setToolTip(tr(button.tip));
        const WindowCommand command = button.command;
        connect(action, &QAction::triggered, this,
                [this, command] { emit commandTriggered(command); });
    }
}

QAction* CommandToolBar::action(const QString& key) const {
    for (QAction* candidate : actions()) {
        if (candidate->objectName() == key)
            return candidate;
    }
    return nullptr;
}

} // namespace sarvo::app
