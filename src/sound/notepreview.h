#pragma once
// The preview of a note while it is typed or clicked on the on-screen keyboard, by the input
// sound setting:
//   Silent      ("入力音なし")  no sound;
//   WhileHeld   ("自動")        the note sounds from key-down to key-up; auto-repeated key
//                               events neither restart nor stop it;
//   NoteLength  ("音符に従う")  the note sounds for the current input length, timed like
//                               playback (tie count 0).
//
// The keyboard input calls noteKeyDown/noteKeyUp as keys move; an on-screen key panel calls
// noteKeyDown when pressed and panelReleased when released. In the NoteLength mode the note-offs
// are due at times on the clock: the GUI calls tick at nextDue() (a single-shot timer), and
// tick sends every note-off that is due.

#include "sound/midioutput.h"
#include "sound/playbacktiming.h"
#include "sound/timedtask.h"

#include <optional>
#include <vector>

namespace sarvo::sound {

enum class InputSoundMode { Silent = 0, WhileHeld = 1, NoteLength = 2 };

class NotePreview final : public ITimedTask {
public:
    explicit NotePreview(IMidiOutput& output);

    InputSoundMode mode() const { return m_mode; }
    // Changing the mode silences the notes of the old one.
    void setMode(InputSoundMode mode);
    const PlaybackTiming& timing() const { return m_timing; }
    void setTiming(const PlaybackTiming& timing) { m_timing = timing; }

    // A pitch key went down. keyCode is the key as the keyboard input knows it (it only has to
    // match the key-up), midiNote the note to sound (60 + the row's MIDI offset for the column),
    // lengthCode the current input length (A to E), autoRepeat whether the system repeats a
    // held key.
    void noteKeyDown(int keyCode, int midiNote, char16_t lengthCode, bool autoRepeat,
                     TimePoint now);
    // A key went up. In the WhileHeld mode the release of the last pitch key ends its note.
    void noteKeyUp(int keyCode, bool autoRepeat);
    // An on-screen key panel was released: its note ends whatever the mode.
    void panelReleased();
    // Ends every preview note at once (playback starts, the output is released).
    void silence();

    // True from a note-on until its note-off.
    bool noteSounding() const;
    std::optional<TimePoint> nextDue() const;
    std::optional<TimePoint> tick(TimePoint now) override;

private:
    struct PendingOff {
        int note;
        TimePoint due;
    };

    void noteOff(int note);

    IMidiOutput& m_output;
    InputSoundMode m_mode = InputSoundMode::WhileHeld;
    PlaybackTiming m_timing;

    // WhileHeld: the key and note held down; nullopt when released.
    std::optional<int> m_heldKey;
    int m_heldNote = 0;
    // The note of the last key down, for the panel release.
    std::optional<int> m_lastNote;
    // NoteLength: notes sounding until their own due time.
    std::vector<PendingOff> m_pending;
};

} // namespace sarvo::sound
