#include "app/transposebar.h"

#include <QAction>
#include <QLabel>

namespace sarvo::app {

TransposeBar::TransposeBar(QWidget* parent)
    : QToolBar(parent) {
    setObjectName(QStringLiteral("tbIchou"));
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* caption = new QLabel(tr("移調"), this);
    caption->setObjectName(QStringLiteral("lblIchou"));
    caption->setToolTip(tr("音階をずらす"));
    addWidget(caption);

    struct Button {
        const char* key;
        QString caption;
        QString tip;
        int direction;
    };
    const Button buttons[] = {
        {"Down", tr("下げる <"), tr("曲全体の音階を１つ下げます。"), -1},
        {"Up", tr("上げる >"), tr("曲全体の音階を１つ上げます。"), 1},
    };
    for (const Button& button : buttons) {
        QAction* action = addAction(button.caption);
        action->setObjectName(QString::fromLatin1(button.key));
        action->setToolTip(button.tip);
        const int direction = button.direction;
        connect(action, &QAction::triggered, this,
                [this, direction] { emit transposeRequested(direction); });
    }
}

} // namespace sarvo::app
