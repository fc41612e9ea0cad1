#include "melody/noteparser.h"

#include "melody/notecodes.h"

#include <algorithm>
#include <array>

namespace sarvo::melody {
namespace {

// The character at a 1-based position as a one-character view; "" outside the text.
std::u16string_view charAt(std::u16string_view text, long pos) {
    if (pos < 1 || pos > static_cast<long>(text.size()))
        return {};
    return text.substr(static_cast<size_t>(pos - 1), 1);
}

// Up to count characters from a 1-based position, shorter at the end of the text.
std::u16string_view slice(std::u16string_view text, long pos, long count) {
    if (pos < 1 || pos > static_cast<long>(text.size()))
        return {};
    return text.substr(static_cast<size_t>(pos - 1), static_cast<size_t>(count));
}

bool isRestOrTieCode(char16_t c) {
    return (c >= u'F' && c <= u'J') || (c >= u'\\' && c <= u'`');
}

} // namespace

bool readNextNote(ParserState& state, std::u16string_view text) {
    Note& note = state.currentNote;
    const long pos = state.readPos;
    note.tieCount = 0;
    std::array<std::u16string_view, 5> window;
    for (long i = 0; i < 5; ++i)
        window[i] = charAt(text, pos + i);
    auto windowAt = [&](size_t i) {
        return i < window.size() ? window[i] : std::u16string_view();
    };

    if (pos > static_cast<long>(text.size()))
        return false;

    size_t index = 0;
    note.length = window[index++];
    if (window[1] == u".") {
        note.dot = u".";
        index = 2;
    } else {
        note.dot.clear();
    }
    if (!isRestOrTieCode(note.length[0])) {
        note.octave = windowAt(index);
        note.pitch = windowAt(index + 1);
        index += 2;
        if (windowAt(index) == u"#") {
            note.sharp = u"#";
            ++index;
        } else {
            note.sharp.clear();
        }
    }

    // Ties: a "^" right after the separating space lengthens this note.
    while (charAt(text, pos + static_cast<long>(index) + 1) == u"^") {
        ++note.tieCount;
        index += 2;
    }

    if (state.isPlaying && state.mergeRepeats) {
        note.repeatCount = 0;
        const long span = static_cast<long>(index) + 1; // the note, its ties and their spaces
        while (slice(text, pos + static_cast<long>(index) + 1, span) == slice(text, pos, span)) {
            ++note.repeatCount;
            index += static_cast<size_t>(span);
        }
    }

    if (state.isPlaying && state.noteShown) {
        // A token cut off at the end of the text is highlighted up to the end, not past it.
        const long selection =
            std::min(static_cast<long>(index), static_cast<long>(text.size()) - pos + 1);
        state.noteShown(static_cast<int>(pos - 1), static_cast<int>(selection));
    }

    state.readPos = static_cast<int>(pos + static_cast<long>(index) + 1);
    return true;
}

void appendNote(ParserState& state, std::u16string& text) {
    Note& note = state.currentNote;
    // Decoders hand over a note letter without a pitch for a rest. A rest code handed over
    // stays as it is instead of moving on to a letter that means nothing.
    if (note.pitch.empty() && !note.length.empty())
        note.length[0] = restCodeOf(note.length[0]);
    text += note.token();
    text += u' ';
}

bool isTokenStart(char16_t c) {
    return c == u'^' || (c >= u'A' && c < u'P') || (c >= u'2' && c < u'7') ||
           (c >= u'\\' && c <= u'`');
}

bool isOctaveMark(char16_t c) {
    return c == u'低' || c == u'中' || c == u'高';
}

void resetPreviousNote(ParserState& state) {
    state.previousNote = PreviousNote{};
}

void savePreviousNote(ParserState& state) {
    // Field by field: every walk calls this once per note or unit, and the fields keep their
    // storage.
    const Note& n = state.currentNote;
    PreviousNote& p = state.previousNote;
    p.length = n.length;
    p.octave = n.octave;
    p.pitch = n.pitch;
    p.sharp = n.sharp;
    p.dot = n.dot;
}

} // namespace sarvo::melody
