#include "app/viewselector.h"

#include "app/qtext.h"
#include "common/ui/coretext.h"
#include "keyguide/phonetypes.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>

namespace sarvo::app {

ViewSelector::ViewSelector(QWidget* parent)
    : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(tr("携帯タイプ:"), this);
    m_combo = new QComboBox(this);
    m_combo->setObjectName(QStringLiteral("cmb"));
    for (const std::u16string& entry : keyguide::viewSelectorEntries())
        m_combo->addItem(ui::coreText(entry));
    // The type labels list many models; the closed box shows their start, the list shows all.
    m_combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_combo->setMinimumContentsLength(36);
    m_combo->view()->setMinimumWidth(m_combo->view()->sizeHintForColumn(0) + 24);
    m_combo->setCurrentIndex(keyguide::kNoteInputView);
    label->setBuddy(m_combo);
    auto* hint = new QLabel(QStringLiteral("※Alt+↑↓"), this);
    row->addWidget(label);
    row->addWidget(m_combo, 1);
    row->addWidget(hint);

    connect(m_combo, &QComboBox::currentIndexChanged, this, &ViewSelector::onIndexChanged);
    connect(m_combo, &QComboBox::activated, this, &ViewSelector::onActivated);
}

void ViewSelector::select(int index) {
    if (index < 0 || index >= m_combo->count())
        return;
    if (index == m_combo->currentIndex())
        emit viewChosen(index);
    else
        m_combo->setCurrentIndex(index); // reported through onIndexChanged
}

void ViewSelector::step(int delta) {
    select(m_combo->currentIndex() + delta);
}

int ViewSelector::current() const {
    return m_combo->currentIndex();
}

int ViewSelector::count() const {
    return m_combo->count();
}

void ViewSelector::onIndexChanged(int index) {
    emit viewChosen(index);
    // A choice made in the combo box emits the change and then the activation, both at once;
    // the flag lets the activation of that same choice pass unreported, and is dropped once
    // control returns to the event loop.
    if (!m_activationPending) {
        m_activationPending = true;
        QTimer::singleShot(0, this, [this] { m_activationPending = false; });
    }
}

void ViewSelector::onActivated(int index) {
    // Choosing the entry that is already selected changes nothing, but shows its view afresh.
    if (m_activationPending) {
        m_activationPending = false;
        return;
    }
    emit viewChosen(index);
}

} // namespace sarvo::app
