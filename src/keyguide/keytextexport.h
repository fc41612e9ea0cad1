#pragma once
// Writing the key texts of a song for the phone types the user owns, into the song's folder
// below the key-text folder: per type "<type>.txt" with its key text, and for the types that
// have macro texts "<type>Mac.txt" and "<type>Mac2.txt" when they are not empty. Each file is
// one line in code page 932, replaced only once it is written completely.

#include "common/interaction.h"
#include "melody/parserstate.h"

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace sarvo::keyguide {

// "Type-A" → "Type-A.txt", "Type-AMac.txt", "Type-AMac2.txt".
std::u16string keyTextFileName(std::u16string_view typeShortName);
std::u16string macroFileName(std::u16string_view typeShortName);
std::u16string secondMacroFileName(std::u16string_view typeShortName);

struct ExportResult {
    int filesWritten = 0;
    std::string error; // empty on success; names the file that could not be written
};

// Converts the melody for each type index in order and writes its files into songFolder,
// creating the folder. Stops at the first file that cannot be written.
ExportResult exportKeyTexts(const std::filesystem::path& songFolder,
                            std::span<const int> typeIndexes, std::u16string_view melody,
                            melody::ParserState& state, IInteractive& ui);

} // namespace sarvo::keyguide
