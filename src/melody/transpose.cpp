#include "melody/transpose.h"

#include "melody/notecodes.h"
#include "melody/noteparser.h"

namespace sarvo::melody {

std::u16string transposeMelody(ParserState& state, std::u16string_view text, int direction) {
    std::u16string out;
    out.reserve(text.size());
    state.readPos = 1;
    for (;;) {
        const int start = state.readPos;
        state.currentNote.clearText();
        if (!readNextNote(state, text))
            break;
        const Note& note = state.currentNote;
        auto octave = octaveIndex(note.octave);
        auto semitone = semitoneOf(note.pitch, note.sharp);
        const bool pitched = !note.length.empty() && isNoteCode(note.length[0]);
        if (!pitched || !octave || !semitone) {
            // Copy the token, its ties and spaces as they stand.
            out += text.substr(start - 1, static_cast<size_t>(state.readPos - start));
            continue;
        }
        int s = *semitone + direction;
        int o = *octave;
        if (s == 12 && o < 2) {
            s = 0;
            ++o;
        } else if (s == -1 && o > 0) {
            s = 11;
            --o;
        } else if (s < 0 || s > 11) {
            s = *semitone; // the melody's range ends here: the note stays
        }
        out += note.length;
        out += note.dot;
        out += octaveMark(o);
        out += pitchNameOf(s);
        out += sharpMarkOf(s);
        out += u' ';
        for (int t = 0; t < note.tieCount; ++t)
            out += u"^ ";
    }
    return out;
}

} // namespace sarvo::melody
