#pragma once
// The main window: the view selector chooses between the melody input and the key guide of one
// of the 39 phone types; choosing a type converts the melody into that type's key text.

#include "common/interaction.h"
#include "melody/parserstate.h"

#include <QMainWindow>

class QComboBox;
class QLabel;
class QPlainTextEdit;

namespace sarvo::app {

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // ui receives the messages of conversions; it must outlive the window.
    explicit MainWindow(IInteractive& ui, QWidget* parent = nullptr);

    // Selects a view selector entry (0 to 40) and shows its view, even when it is selected
    // already. An index outside the selector is ignored.
    void selectView(int index);
    int currentView() const;

    // The program's one walk state over the melody.
    melody::ParserState& parserState() { return m_state; }

private:
    void buildWidgets();
    void buildShortcuts();
    void onIndexChanged(int index);
    void onActivated(int index);
    void showView(int index);
    void showMelodyInput();
    void showKeyGuide(int typeIndex);
    void stepView(int delta);

    IInteractive& m_ui;
    melody::ParserState m_state;

    QComboBox* m_viewSelector = nullptr;
    QPlainTextEdit* m_melodyEdit = nullptr;
    QPlainTextEdit* m_keyGuideEdit = nullptr;
    QLabel* m_capacityPanel = nullptr;

    // Set while the combo box's own change of index is followed by its activation signal, so
    // that one choice in the combo box converts once.
    bool m_activationPending = false;
};

} // namespace sarvo::app
