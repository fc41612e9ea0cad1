#pragma once
// The sound and tempo tab of the settings dialog: the MIDI output port, the voice, the input
// sound, the tempo with its tempo note, the test scale, the tempo base value and the staff
// cursor during playback.
//
// Choosing a port reopens the output at once, and choosing a voice sends its program change at
// once, so the user hears the choice; the test scale plays with the tempo on the controls.

#include "settings/preferences.h"
#include "sound/clock.h"
#include "sound/midiports.h"
#include "sound/testscale.h"
#include "sound/ui/timedtaskdriver.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace sarvo::settings {

class SoundTab : public QWidget {
    Q_OBJECT

public:
    // midi sounds the program changes and the test scale; port, when given, lists the ports and
    // is reopened on the chosen one. Both must outlive the tab.
    SoundTab(sound::IMidiOutput& midi, sound::MidiOutputPort* port, QWidget* parent = nullptr);
    ~SoundTab() override;

    void setPreferences(const Preferences& preferences);
    // Writes the tab's values into preferences.
    void readInto(Preferences& preferences) const;
    // The program of the chosen voice.
    int voiceProgram() const;

    void stopTestScale();

signals:
    // A voice was chosen from the list (its General MIDI program).
    void voiceChosen(int program);
    // The reset button of the tab.
    void resetRequested();

private:
    QComboBox* buildNoteCombo(const char* name);
    void choosePort(int row);
    void chooseVoice(int row);
    void toggleTestScale();
    // The test scale follows the tempo, tempo note, test note and tempo base value on show.
    void updateTiming();

    sound::IMidiOutput& m_midi;
    sound::MidiOutputPort* m_port;
    sound::SystemClock m_clock;
    sound::TestScale m_scale;
    sound::TimedTaskDriver m_scaleTimer;

    QComboBox* m_ports = nullptr;
    QComboBox* m_voice = nullptr;
    QComboBox* m_inputSound = nullptr;
    QComboBox* m_tempo = nullptr;
    QComboBox* m_tempoNote = nullptr;
    QComboBox* m_testNote = nullptr;
    QPushButton* m_test = nullptr;
    QScrollBar* m_tempoBase = nullptr;
    QLineEdit* m_tempoBaseText = nullptr;
    QCheckBox* m_staffCursor = nullptr;
};

} // namespace sarvo::settings
