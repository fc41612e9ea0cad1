#include "melody/foreignnotation.h"

#include "melody/notecodes.h"

namespace sarvo::melody {
namespace {

char16_t charAt(std::u16string_view text, size_t pos) {
    return pos < text.size() ? text[pos] : 0;
}

// A note letter without a pitch becomes the rest of the same length. A length the notation
// left unchanged may already be a rest and stays one.
void restIfNoPitch(Note& note) {
    if (note.pitch.empty() && !note.length.empty() && isPlainNoteCode(note.length[0]))
        note.length[0] = restCodeOf(note.length[0]);
}

} // namespace

bool readLetterNote(ParserState& state, std::u16string_view text) {
    if (state.readPos < 1 || static_cast<size_t>(state.readPos) > text.size())
        return false;
    Note& note = state.currentNote;
    // The notation is read inside a five-character window at readPos.
    const std::u16string_view window = text.substr(state.readPos - 1, 5);
    size_t at = 0;
    note.octave = u"中";
    note.pitch.clear();
    note.sharp.clear();
    note.dot.clear();

    if (charAt(window, at) == u'+') {
        note.octave = u"高";
        ++at;
    }
    bool flat = false;
    if (charAt(window, at) == u'#') {
        note.sharp = u"#";
        ++at;
    } else if (charAt(window, at) == u'b') {
        note.sharp = u"#";
        flat = true;
        ++at;
    }

    const char16_t letter = charAt(window, at++);
    static constexpr std::u16string_view kLetters = u"CDEFGAB";
    static constexpr std::u16string_view kNames = u"ドレミフソラシ";
    const size_t degree = kLetters.find(letter);
    if (degree != std::u16string_view::npos) {
        if (!flat) {
            note.pitch = kNames.substr(degree, 1);
        } else if (letter == u'C') { // C flat sounds as the B below
            note.pitch = u"シ";
            note.sharp.clear();
            note.octave = note.octave == u"高" ? u"中" : u"低";
        } else if (letter == u'F') { // F flat sounds as E
            note.pitch = u"ミ";
            note.sharp.clear();
        } else { // a flat is the sharp of the letter below
            note.pitch = kNames.substr(degree - 1, 1);
        }
    } else {
        note.sharp.clear(); // R, or a letter this notation does not know: a rest
    }

    const char16_t lengthChar = charAt(window, at++);
    if (lengthChar == u'1' && charAt(window, at) == u'6') {
        note.length = u"E";
        ++at;
    } else if (lengthChar == u'1') {
        note.length = u"A";
    } else if (lengthChar == u'2') {
        note.length = u"B";
    } else if (lengthChar == u'4') {
        note.length = u"C";
    } else if (lengthChar == u'8') {
        note.length = u"D";
    }

    if (note.pitch.empty()) {
        restIfNoPitch(note);
        note.octave.clear();
    }
    if (charAt(window, at) == u'.') {
        note.dot = u".";
        ++at;
    }
    state.readPos += static_cast<int>(std::min(at, window.size()));
    return true;
}

bool readCodePairNote(ParserState& state, std::u16string_view text) {
    if (state.readPos < 1 || static_cast<size_t>(state.readPos) > text.size())
        return false;
    Note& note = state.currentNote;
    const char16_t pitchChar = text[state.readPos - 1];
    const char16_t lengthChar = charAt(text, static_cast<size_t>(state.readPos));

    // "9" is 低ラ, MIDI 69; each following character is one semitone higher up to "S", 高シ.
    note.dot.clear();
    if (pitchChar >= u'9' && pitchChar <= u'S') {
        const int midi = 69 + (pitchChar - u'9');
        const int semitone = (midi - 60) % 12;
        note.octave = octaveMark((midi - 60) / 12);
        note.pitch = pitchNameOf(semitone);
        note.sharp = sharpMarkOf(semitone);
    } else {
        note.octave.clear();
        note.pitch.clear();
        note.sharp.clear();
    }

    switch (lengthChar) {
    case u'p': note.length = u"A"; break;
    case u'l': note.length = u"B", note.dot = u"."; break;
    case u'h': note.length = u"B"; break;
    case u'f': note.length = u"C", note.dot = u"."; break;
    case u'd': note.length = u"C"; break;
    case u'c': note.length = u"D", note.dot = u"."; break;
    case u'b': note.length = u"D"; break;
    case u'a': note.length = u"E"; break;
    default: break;
    }
    restIfNoPitch(note);
    state.readPos += 2;
    return true;
}

} // namespace sarvo::melody
