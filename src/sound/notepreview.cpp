#include "sound/notepreview.h"

#include "melody/notecodes.h"

#include <algorithm>

namespace sarvo::sound {

NotePreview::NotePreview(IMidiOutput& output)
    : m_output(output) {}

void NotePreview::setMode(InputSoundMode mode) {
    if (mode != m_mode)
        silence();
    m_mode = mode;
}

void NotePreview::noteOff(int note) {
    m_output.sendShortMessage(noteOffMessage(note));
}

void NotePreview::noteKeyDown(int keyCode, int midiNote, char16_t lengthCode, bool autoRepeat,
                              TimePoint now) {
    switch (m_mode) {
    case InputSoundMode::Silent: return;
    case InputSoundMode::WhileHeld:
        // A note already held (this key repeating, or a second key while the first is down)
        // keeps sounding; the repeat flag covers systems that repeat without a key-up.
        if (m_heldKey || autoRepeat)
            return;
        m_output.sendShortMessage(noteOnMessage(midiNote));
        m_heldKey = keyCode;
        m_heldNote = midiNote;
        break;
    case InputSoundMode::NoteLength: {
        // Every typed note sounds for its own length; a note typed again before its time is up
        // starts over.
        auto same = std::find_if(m_pending.begin(), m_pending.end(),
                                 [&](const PendingOff& p) { return p.note == midiNote; });
        if (same != m_pending.end()) {
            noteOff(midiNote);
            m_pending.erase(same);
        }
        m_output.sendShortMessage(noteOnMessage(midiNote));
        const int ms = m_timing.intervalMs(melody::lengthTicks(lengthCode, false));
        m_pending.push_back({midiNote, now + Milliseconds(ms)});
        break;
    }
    }
    m_lastNote = midiNote;
}

void NotePreview::noteKeyUp(int keyCode, bool autoRepeat) {
    if (m_mode != InputSoundMode::WhileHeld || autoRepeat || m_heldKey != keyCode)
        return;
    noteOff(m_heldNote);
    m_heldKey.reset();
}

void NotePreview::panelReleased() {
    if (m_mode == InputSoundMode::Silent || !m_lastNote)
        return;
    const int note = *m_lastNote;
    noteOff(note);
    if (m_heldKey && m_heldNote == note)
        m_heldKey.reset();
    std::erase_if(m_pending, [&](const PendingOff& p) { return p.note == note; });
}

void NotePreview::silence() {
    if (m_heldKey)
        noteOff(m_heldNote);
    m_heldKey.reset();
    for (const PendingOff& p : m_pending)
        noteOff(p.note);
    m_pending.clear();
}

bool NotePreview::noteSounding() const {
    return m_heldKey.has_value() || !m_pending.empty();
}

std::optional<TimePoint> NotePreview::nextDue() const {
    if (m_pending.empty())
        return std::nullopt;
    return std::min_element(m_pending.begin(), m_pending.end(),
                            [](const PendingOff& a, const PendingOff& b) { return a.due < b.due; })
        ->due;
}

std::optional<TimePoint> NotePreview::tick(TimePoint now) {
    std::erase_if(m_pending, [&](const PendingOff& p) {
        if (p.due > now)
            return false;
        noteOff(p.note);
        return true;
    });
    return nextDue();
}

} // namespace sarvo::sound
