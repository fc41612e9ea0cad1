#pragma once
// Mail header text: non-ASCII runs as ISO-2022-JP "B" encoded words, long header lines folded at
// blanks, and encoded words of received mail decoded.

#include "common/converted.h"

#include <string>
#include <string_view>

namespace sarvo {

inline constexpr std::u16string_view kEncodedWordPrefix = u"=?ISO-2022-JP?B?";
inline constexpr std::u16string_view kEncodedWordSuffix = u"?=";

// The longest encoded word a header line carries, and the longest line folding leaves (a
// continuation line adds one leading blank).
inline constexpr int kMaxEncodedWordLength = 74;
inline constexpr int kFoldWidth = 75;

// One encoded word of a run of non-ASCII characters: "=?ISO-2022-JP?B?" + base64 of its
// ISO-2022-JP bytes + "?=". Fails like sjisToJisText.
Converted<std::u16string> encodeHeaderWord(std::u16string_view run);

// Replaces every run of non-ASCII characters by encoded words of at most 18 characters each
// (74 characters long at most). Every encoded word is followed by one blank, also at the end of
// the text and before a blank of the text. An ASCII-only text comes back unchanged.
Converted<std::u16string> encodeHeader(std::u16string_view text);

// Breaks every CRLF-terminated line longer than 75 characters at its blanks: a line is filled
// word by word and continued after CRLF and one blank. A word is never split, however long.
std::u16string foldHeaderLines(std::u16string_view text);

// The text of an encoded word, given the base64 between "=?ISO-2022-JP?B?" and "?=". Decoding
// stops at the first "=" or character outside the base64 alphabet; the bytes before it are read
// as ISO-2022-JP. Fails like jisBytesToText, with the text decoded before the failure.
Converted<std::u16string> decodeHeaderWord(std::u16string_view base64);

} // namespace sarvo
