#pragma once
// The MIDI file player dlgMidiPlay: plays a MIDI file (the chord of the play command) in a loop
// through the output chosen in the settings, with Play, Stop and Rew, a position bar and a
// status bar showing the mode and the position. The program's note output is released while
// the dialog is open and opened again when it closes.

#include "common/interaction.h"
#include "sound/clock.h"
#include "sound/midifileplayer.h"
#include "sound/ui/timedtaskdriver.h"

#include <QDialog>

#include <filesystem>

class QLabel;
class QScrollBar;
class QTimer;

namespace sarvo::sound {

class MidiPlayDialog : public QDialog {
    Q_OBJECT

public:
    // notes is the program's output, released while the file plays; it and ui must outlive the
    // dialog.
    MidiPlayDialog(MidiOutputPort& notes, IInteractive& ui, QWidget* parent = nullptr);
    ~MidiPlayDialog() override;

    // Opens the file and plays it from the start; on failure the user is told and the dialog
    // stays open with nothing playing.
    bool load(const std::filesystem::path& file);
    const MidiFilePlayer& player() const { return m_player; }

    void done(int result) override;

private:
    void play();
    void stop();
    void rewind();
    // The user moved the position bar: the position follows, and playback goes on if it was on.
    void seekToBar(int value);
    // Timer1: the bar and the status panels follow the player.
    void showPosition();
    // Closes the file and opens the note output again, once.
    void giveBackOutput();

    IInteractive& m_ui;
    SystemClock m_clock;
    MidiFilePlayer m_player;
    TimedTaskDriver m_playerTimer;
    QTimer* m_positionTimer = nullptr;
    QScrollBar* m_position = nullptr;
    QLabel* m_modePanel = nullptr;
    QLabel* m_positionPanel = nullptr;
    bool m_holdsOutput = false;
};

} // namespace sarvo::sound
