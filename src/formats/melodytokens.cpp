#include "formats/melodytokens.h"

#include "formats/tokenlengths.h"
#include "melody/notecodes.h"
#include "melody/noteparser.h"

namespace sarvo::formats {

std::vector<melody::Note> readTokens(std::u16string_view melodyText) {
    melody::ParserState state;
    std::vector<melody::Note> notes;
    state.readPos = 1;
    while (true) {
        state.currentNote.clearText();
        if (!melody::readNextNote(state, melodyText))
            break;
        notes.push_back(state.currentNote);
    }
    return notes;
}

std::optional<int> pitchNumber(const melody::Note& note) {
    if (note.length.empty() || !melody::isNoteCode(note.length[0]))
        return std::nullopt;
    const auto octave = melody::octaveIndex(note.octave);
    const auto semitone = melody::semitoneOf(note.pitch, note.sharp);
    if (!octave || !semitone)
        return std::nullopt;
    return 12 * *octave + *semitone;
}

int foldIntoRange(int pitch) {
    while (pitch < 0)
        pitch += 12;
    while (pitch >= kPitchCount)
        pitch -= 12;
    return pitch;
}

void TokenWriter::append(char16_t noteCode, bool dotted, std::optional<int> pitch, int ties) {
    melody::Note& note = m_state.currentNote;
    note.clearText();
    note.length = std::u16string(1, noteCode);
    if (dotted)
        note.dot = u".";
    if (pitch) {
        note.octave = melody::octaveMark(*pitch / 12);
        note.pitch = melody::pitchNameOf(*pitch % 12);
        note.sharp = melody::sharpMarkOf(*pitch % 12);
    }
    melody::appendNote(m_state, m_text);
    for (int i = 0; i < ties; ++i)
        m_text += u"^ ";
}

int TokenWriter::appendSplit(int ticks, std::optional<int> pitch) {
    const int total = ticks;
    const TokenLength* pending = nullptr;
    int pendingTies = 0;
    auto flush = [&] {
        if (pending)
            append(pending->code, pending->dotted, pitch, pendingTies);
        pending = nullptr;
        pendingTies = 0;
    };
    for (const TokenLength& length : kTokenLengths) {
        while (ticks >= length.ticks) {
            ticks -= length.ticks;
            const bool tiable = pitch && melody::isPlainNoteCode(length.code);
            if (pending == &length && tiable) {
                ++pendingTies;
                continue;
            }
            flush();
            pending = &length;
        }
    }
    flush();
    return total - ticks;
}

} // namespace sarvo::formats
