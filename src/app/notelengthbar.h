#pragma once
// The note-length toolbar tbFu and the tuplet toolbar rbRen. tbFu holds the five note lengths,
// a gap, the five rests and the dot; each button shows its length code in the note font, so it
// looks like the note it enters. The note buttons show the current length pressed; rest and dot
// buttons act at once. rbRen holds "3連" and "6連".

#include <QToolBar>

#include <array>

class QAction;

namespace sarvo::app {

class NoteLengthBar : public QToolBar {
    Q_OBJECT

public:
    explicit NoteLengthBar(QWidget* parent = nullptr);

    // The tips name the key of each length under the key map (0, 1 or 2).
    void setKeyMap(int keyMap);
    // Shows the button of a note entry (0 to 4) pressed and the other note buttons released.
    void setCurrentEntry(int entry);
    int currentEntry() const;

    // The button of a length entry (0 to 4, 6 to 10); nullptr for the gap and other numbers.
    QAction* entryAction(int entry) const;
    QAction* dotAction() const { return m_dot; }

signals:
    void entryPressed(int entry);
    void dotPressed();

private:
    // Indexed by entry; the gap entry 5 stays empty.
    std::array<QAction*, 11> m_entries{};
    QAction* m_dot = nullptr;
};

class TupletBar : public QToolBar {
    Q_OBJECT

public:
    explicit TupletBar(QWidget* parent = nullptr);

signals:
    // '3' for the triplet, '6' for the sextuplet.
    void tupletPressed(char16_t kind);
};

} // namespace sarvo::app
