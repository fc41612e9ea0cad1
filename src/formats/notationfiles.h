#pragma once
// Melody files of other editors that hold a text notation: .omd and .ked files in the letter
// notation ("+C4", "#F8.", "R2"), .cml files in two-character codes ("<d", " h"). The files are
// code page 932 text; line breaks only wrap the notation.

#include "common/converted.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace sarvo::formats {

enum class TextNotation { Letter, CodePair };

// The notation of a format name: "omd" and "ked" the letter notation, "cml" the codes.
std::optional<TextNotation> notationOfFormat(std::string_view format);

// The melody text of a notation text, read note by note with the notation's reader. Line breaks
// are dropped first, and in the letter notation also blanks and tabs, which separate nothing
// there; in the two-character codes a blank is the pitch of a rest and stays.
std::u16string notationToMelody(std::u16string_view text, TextNotation notation);

// Reads a notation file. Fails with the reason when the file cannot be read or holds no note.
Converted<std::u16string> readNotationFile(const std::filesystem::path& path,
                                           TextNotation notation);

} // namespace sarvo::formats
