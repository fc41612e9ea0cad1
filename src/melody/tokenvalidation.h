#pragma once
// Checks of the note token grammar, for text that comes from outside the program's own editing
// (the clipboard, fuzzed input): a whole token is a length code, an optional dot on the plain
// codes A to J, and on note codes an octave mark, a pitch name and a sharp where one exists.

#include <string>
#include <string_view>

namespace sarvo::melody {

// True when the text is exactly one well-formed token, without its space.
bool isValidToken(std::u16string_view token);

// The well-formed tokens of a text, each followed by one space, in their order. Tokens are
// separated by any run of blanks (spaces, ideographic spaces, tabs, line breaks); pieces that are
// not well-formed tokens are left out.
std::u16string keepValidTokens(std::u16string_view text);

// True when the text is a melody text: well-formed tokens, each followed by exactly one space.
bool isValidMelodyText(std::u16string_view text);

} // namespace sarvo::melody
