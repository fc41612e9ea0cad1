#pragma once
// The view selector row: the label "携帯タイプ:", the combo box cmb with the two input views and
// the 39 phone types, and the hint "※Alt+↑↓". Every choice of an entry, by mouse, keyboard or
// code, is reported once, also when the entry chosen is the one shown already.

#include <QWidget>

class QComboBox;

namespace sarvo::app {

class ViewSelector : public QWidget {
    Q_OBJECT

public:
    explicit ViewSelector(QWidget* parent = nullptr);

    // Chooses an entry (0 to 40); an index outside the selector is ignored.
    void select(int index);
    // Chooses the entry delta steps away, when there is one.
    void step(int delta);
    int current() const;
    int count() const;
    QComboBox* comboBox() const { return m_combo; }

signals:
    void viewChosen(int index);

private:
    void onIndexChanged(int index);
    void onActivated(int index);

    QComboBox* m_combo = nullptr;
    // Set while the combo box's own change of index is followed by its activation signal, so
    // that one choice in the combo box is reported once.
    bool m_activationPending = false;
};

} // namespace sarvo::app
