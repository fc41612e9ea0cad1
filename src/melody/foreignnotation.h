#pragma once
// Readers of two note notations of other editors' files, used by import. Each reads one note at
// state.readPos into state.currentNote and advances readPos; false once past the end.

#include "melody/parserstate.h"

#include <string_view>

namespace sarvo::melody {

// Letter notation: [+][#|b]letter[length][.] with no separator, for example "+C4", "#F8.",
// "bB16", "R2". "+" is the high octave; C D E F G A B are ド to シ, R a rest; the length digits
// 1 2 4 8 16 give A to E. C flat and F flat are read as the シ an octave lower and the natural
// ミ, the pitches they sound.
bool readLetterNote(ParserState& state, std::u16string_view text);

// Two-character codes: the first character one of the 36 pitches from "9" (低ラ) to "S" (高シ)
// or a space for a rest, the second the length ("p" A, "l" B., "h" B, "f" C., "d" C, "c" D.,
// "b" D, "a" E).
bool readCodePairNote(ParserState& state, std::u16string_view text);

} // namespace sarvo::melody
