#include "app/notelengthbar.h"

#include "common/ui/coretext.h"

#include "app/qtext.h"
#include "melody/keyboardlabels.h"
#include "melody/lengthkeytable.h"
#include "melody/notefont.h"

#include <QAction>
#include <QActionGroup>
#include <QToolButton>

namespace sarvo::app {

NoteLengthBar::NoteLengthBar(QWidget* parent)
    : QToolBar(parent) {
    setObjectName(QStringLiteral("tbFu"));
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    const QFont glyphs = melody::noteFont(28);
    auto* noteGroup = new QActionGroup(this);
    noteGroup->setExclusive(true);
    for (int entry = 0; entry < melody::kLengthEntries; ++entry) {
        if (entry == melody::kLengthGapEntry) {
            addSeparator();
            continue;
        }
        QAction* action = addAction(QString(QChar(melody::lengthCodeOfEntry(entry))));
        action->setObjectName(QStringLiteral("tbFu%1").arg(entry + 1));
        action->setFont(glyphs);
        if (!melody::isRestEntry(entry)) {
            action->setCheckable(true);
            noteGroup->addAction(action);
        }
        connect(action, &QAction::triggered, this, [this, entry] { emit entryPressed(entry); });
        m_entries[static_cast<size_t>(entry)] = action;
    }
    addSeparator();
    m_dot = addAction(QStringLiteral("."));
    m_dot->setObjectName(QStringLiteral("tbFu%1").arg(melody::kDotButton));
    m_dot->setFont(glyphs);
    connect(m_dot, &QAction::triggered, this, &NoteLengthBar::dotPressed);
    setKeyMap(0);
}

void NoteLengthBar::setKeyMap(int keyMap) {
    for (int entry = 0; entry < melody::kLengthEntries; ++entry) {
        if (QAction* action = entryAction(entry))
            action->setToolTip(ui::coreText(melody::lengthButtonToolTip(keyMap, entry)));
    }
    m_dot->setToolTip(ui::coreText(melody::kDotButtonToolTip));
}

void NoteLengthBar::setCurrentEntry(int entry) {
    if (QAction* action = entryAction(entry); action && action->isCheckable())
        action->setChecked(true);
}

int NoteLengthBar::currentEntry() const {
    for (int entry = 0; entry < melody::kLengthEntries; ++entry) {
        const QAction* action = entryAction(entry);
        if (action && action->isChecked())
            return entry;
    }
    return -1;
}

QAction* NoteLengthBar::entryAction(int entry) const {
    if (entry < 0 || entry >= melody::kLengthEntries)
        return nullptr;
    return m_entries[static_cast<size_t>(entry)];
}

TupletBar::TupletBar(QWidget* parent)
    : QToolBar(parent) {
    setObjectName(QStringLiteral("rbRen"));
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    struct Button {
        const char* key;
        QString caption;
        char16_t kind;
    };
    const Button buttons[] = {{"三", tr("3連"), u'3'},
                              {"六", tr("6連"), u'6'}};
    for (const Button& button : buttons) {
        QAction* action = addAction(button.caption);
        action->setObjectName(QString::fromUtf8(button.key));
        const char16_t kind = button.kind;
        connect(action, &QAction::triggered, this, [this, kind] { emit tupletPressed(kind); });
    }
}

} // namespace sarvo::app
