#pragma once
// Note-by-note playback of the melody text through the MIDI output. It starts at the note at the
// caret, plays every note for its timed length (ties lengthen notes, not rests), keeps rests
// silent, leaves a 1 ms gap between notes and starts over at the end until stopped. Each note
// read is shown through the walk state's note-shown hook, which highlights it in the editor.
//
// The schedule runs on the clock the driver passes in: every step is due a whole interval after
// the step before, not after the moment the driver happened to call, so timing does not drift.

#include "melody/parserstate.h"
#include "sound/midioutput.h"
#include "sound/playbacktiming.h"
#include "sound/timedtask.h"

#include <optional>
#include <string>
#include <string_view>

namespace sarvo::sound {

// The gap between the note-off of one note and the start of the next.
inline constexpr Milliseconds kNoteGap{1};
// A driver that falls further behind than this (the machine was suspended, say) starts the
// schedule again from the moment it calls instead of rushing through the missed notes.
inline constexpr Milliseconds kMaxLateness{250};

// How long one pass over the whole melody plays: every note and rest with the gap after it.
Milliseconds melodyPlayingTime(std::u16string_view melody, const PlaybackTiming& timing);

class MelodyPlayer final : public ITimedTask {
public:
    // The walk state is shared with every other reader of the melody; the player sets its
    // playing flag and clears merge-repeats while it plays.
    MelodyPlayer(melody::ParserState& state, IMidiOutput& output);

    const PlaybackTiming& timing() const { return m_timing; }
    void setTiming(const PlaybackTiming& timing) { m_timing = timing; }

    // Starts playing the melody from the note at the caret (0-based character position; tie
    // tokens at the caret are skipped back over, so the first note is a note, not a tie). The
    // first note is due at now.
    void start(std::u16string_view melody, int caret, TimePoint now);
    // Ends the sounding note and clears the playing flag. Harmless when not playing.
    void stop();
    bool isPlaying() const { return m_state.isPlaying; }

    std::optional<TimePoint> tick(TimePoint now) override;

private:
    // One tick of the playback timer: end the sounding note, or read and start the next one.
    // Returns the interval until the next step.
    Milliseconds step();
    // Reads the next note, starting over at the end; false when the melody has no note at all.
    bool readNext();

    melody::ParserState& m_state;
    IMidiOutput& m_output;
    PlaybackTiming m_timing;
    std::u16string m_melody;
    TimePoint m_due;
    bool m_sounding = false;
    std::optional<int> m_soundingNote;
};

} // namespace sarvo::sound
