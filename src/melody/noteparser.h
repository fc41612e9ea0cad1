#pragma once
// The note-code parser: the one routine every subsystem walks the melody text with, and the
// small routines of the token grammar.
//
// A full walk: state.readPos = 1; then readNextNote until it returns false. The parser fills
// Octave, Pitch and Sharp only for pitched tokens; after a rest they keep what they held, so a
// caller that inspects them clears the text fields of currentNote before each call.

#include "melody/parserstate.h"

#include <string>
#include <string_view>

namespace sarvo::melody {

// Reads the token at state.readPos into state.currentNote, with its ties (and, while playing
// with mergeRepeats, the identical tokens that follow), and moves readPos past them. Returns
// false, changing nothing else, once readPos is past the end of the text. Tokens are not
// validated: a malformed token yields whatever characters stand in its place.
bool readNextNote(ParserState& state, std::u16string_view text);

// Appends state.currentNote as one token and a space. A note code without a pitch becomes the
// rest of the same length (A to E the letter five places on, a tuplet its tuplet rest), as
// decoders rely on.
void appendNote(ParserState& state, std::u16string& text);

bool isTokenStart(char16_t c);
bool isOctaveMark(char16_t c);

void resetPreviousNote(ParserState& state);
void savePreviousNote(ParserState& state);

} // namespace sarvo::melody
