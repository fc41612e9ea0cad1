#pragma once
// The on-screen keyboard: 21 key panels (seven pitches in three octaves, low to high), 15 sharp
// panels above them, and the slur, clear and refresh panels. A key panel reports its press and
// release with its PitchKeyTable row and octave column; note input lowers and raises the panels
// of the keys it plays. The panels take no focus, so typing stays with the melody editor.

#include <QWidget>

#include <array>

namespace sarvo::melody {

class KeyPanel;

class OnScreenKeyboard : public QWidget {
    Q_OBJECT

public:
    explicit OnScreenKeyboard(QWidget* parent = nullptr);

    // Captions and tool tips name the keys of this key map (0, 1 or 2).
    void setKeyMap(int keyMap);
    int keyMap() const { return m_keyMap; }

    void setPanelPressed(int row, int column, bool pressed);
    bool isPanelPressed(int row, int column) const;
    // The panel of a PitchKeyTable row (0 to 11) and octave column (0 to 2); nullptr outside.
    // A panel's accessible name is its caption ("ド c1"), shown on two lines.
    QWidget* keyPanel(int row, int column) const;

signals:
    void keyPressed(int row, int column);
    void keyReleased(int row, int column);
    void slurPressed();
    void clearPressed();
    void refreshPressed();

private:
    KeyPanel* panelAt(int row, int column) const;

    int m_keyMap = 0;
    // [row][column]; rows 0 to 6 the naturals, 7 to 11 the sharps.
    std::array<std::array<KeyPanel*, 3>, 12> m_panels{};
    KeyPanel* m_slur = nullptr;
};

} // namespace sarvo::melody
