#include "sound/melodyplayer.h"

#include "melody/notecodes.h"
#include "melody/noteparser.h"

#include <algorithm>

namespace sarvo::sound {
namespace {

// Start of the token that holds the 0-based position (the position itself when it starts one).
size_t tokenStart(std::u16string_view text, size_t pos) {
    while (pos > 0 && text[pos - 1] != u' ')
        --pos;
    return pos;
}

// The token at the caret, moved back over tie tokens so that playback begins at a note.
int startPosition(std::u16string_view text, int caret) {
    size_t pos = tokenStart(text, std::min(static_cast<size_t>(std::max(caret, 0)), text.size()));
    while (pos > 0 && pos < text.size() && text[pos] == melody::kTie)
        pos = tokenStart(text, pos - 1);
    return static_cast<int>(pos) + 1;
}

std::optional<int> pitchOf(const melody::Note& note) {
    return melody::midiNoteNumber(note.octave, note.pitch, note.sharp);
}

bool isNote(const melody::Note& note) {
    return !note.length.empty() && melody::isNoteCode(note.length[0]);
}

// The note's length with its ties; ties do not lengthen rests.
int playedTicks(const melody::Note& note) {
    const char16_t code = note.length.empty() ? u'\0' : note.length[0];
    const int ticks = melody::lengthTicks(code, note.dot == u".");
    return isNote(note) ? ticks * (note.tieCount + 1) : ticks;
}

} // namespace

Milliseconds melodyPlayingTime(std::u16string_view melody, const PlaybackTiming& timing) {
    melody::ParserState state;
    Milliseconds total{0};
    while (melody::readNextNote(state, melody))
        total += Milliseconds(timing.intervalMs(playedTicks(state.currentNote))) + kNoteGap;
    return total;
}

MelodyPlayer::MelodyPlayer(melody::ParserState& state, IMidiOutput& output)
    : m_state(state)
    , m_output(output) {}

void MelodyPlayer::start(std::u16string_view melody, int caret, TimePoint now) {
    stop();
    m_melody = melody;
    m_state.mergeRepeats = false;
    m_state.readPos = startPosition(m_melody, caret);
    m_state.isPlaying = true;
    m_due = now;
}

void MelodyPlayer::stop() {
    if (m_sounding && m_soundingNote)
        m_output.sendShortMessage(noteOffMessage(*m_soundingNote));
    m_sounding = false;
    m_soundingNote.reset();
    m_state.isPlaying = false;
}

std::optional<TimePoint> MelodyPlayer::tick(TimePoint now) {
    if (!isPlaying())
        return std::nullopt;
    if (now - m_due > kMaxLateness)
        m_due = now;
    while (isPlaying() && m_due <= now)
        m_due += step();
    return isPlaying() ? std::optional(m_due) : std::nullopt;
}

bool MelodyPlayer::readNext() {
    if (melody::readNextNote(m_state, m_melody))
        return true;
    m_state.readPos = 1;
    return melody::readNextNote(m_state, m_melody);
}

Milliseconds MelodyPlayer::step() {
    if (m_sounding) {
        if (m_soundingNote)
            m_output.sendShortMessage(noteOffMessage(*m_soundingNote));
        m_sounding = false;
        return kNoteGap;
    }
    if (!readNext()) {
        stop(); // nothing to play
        return Milliseconds(0);
    }
    const melody::Note& note = m_state.currentNote;
    // A rest sends the note-off of the pitch the note fields still hold: it is silence.
    m_soundingNote = pitchOf(note);
    if (m_soundingNote)
        m_output.sendShortMessage(isNote(note) ? noteOnMessage(*m_soundingNote)
                                               : noteOffMessage(*m_soundingNote));
    m_sounding = true;
    return Milliseconds(m_timing.intervalMs(playedTicks(note)));
}

} // namespace sarvo::sound
