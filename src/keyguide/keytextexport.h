#pragma once
// Writing the key texts of a song for the phone types the user owns: one file per type, named
// after the type ("Type-A.txt"), in the song's folder below the key-text folder, each holding
// the key text as one line in code page 932.

#include "common/interaction.h"
#include "melody/parserstate.h"

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace sarvo::keyguide {

// "Type-A" → "Type-A.txt".
std::u16string keyTextFileName(std::u16string_view typeShortName);

struct ExportResult {
    int filesWritten = 0;
    std::string error; // empty on success; names the file that could not be written
};

// Converts the melody for each type index in order and writes textFolder/songName/<type>.txt,
// creating the song's folder. Each file is replaced only once it is written completely.
ExportResult exportKeyTexts(const std::filesystem::path& textFolder, std::u16string_view songName,
                            std::span<const int> typeIndexes, std::u16string_view melody,
                            melody::ParserState& state, IInteractive& ui);

} // namespace sarvo::keyguide
