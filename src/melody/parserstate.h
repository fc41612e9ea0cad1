#pragma once
// The working state that every walk over the melody shares: the current and previous note, the
// read position and the flags the player sets. One object of this type stands for the program's
// single walk; it is passed explicitly to whoever reads or writes the melody.

#include "melody/note.h"

#include <functional>

namespace sarvo::melody {

// Called while playing for every note read: the token starts at selectionStart (0-based) and,
// with its ties and merged repeats, spans selectionLength characters.
using NoteShownHook = std::function<void(int selectionStart, int selectionLength)>;

struct ParserState {
    Note currentNote;
    PreviousNote previousNote;
    int readPos = 1; // 1-based position of the next token

    bool isPlaying = false;    // the player is walking: every read note is shown
    bool mergeRepeats = false; // while playing, identical following tokens are read as one
    bool staffResync = false;  // the first note shown re-synchronises the staff cursor
    bool editGuard = false;    // the program itself is rewriting the melody text

    NoteShownHook noteShown;
};

} // namespace sarvo::melody
