#pragma once
// The seven kinds of file the import dialog reads, as rows of one table: the caption of each
// option, the filter its browse button offers, and what reads the file. A read gives the melody
// of the file's first part and the melodies of its further parts (the other voices of a chord
// file), which become songs of their own.
//
// The key-procedure text of one phone type (option 0) is read here as text only; turning it
// into a melody is the key guides' work. A MIDI file (option 5) is first turned into an i-melody
// file by the MIDI import, which the caller runs, and then read as option 4.

#include "formats/hexbytes.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sarvo::formats {

enum class ImportKind { KeyText, Letters, CodePairs, Mld, Midi, Smd };

struct ImportOption {
    std::u16string_view caption;
    // Each filter as the open-file dialog shows it and its pattern, "全てのﾌｧｲﾙ(*.*)" / "*.*".
    std::vector<std::pair<std::u16string_view, std::u16string_view>> filters;
    ImportKind kind;
};

// Options 0 to 6 in the order the dialog lists them.
std::span<const ImportOption> importOptions();

struct ImportedFile {
    std::u16string title;     // when the file names its melody
    std::optional<int> tempo; // quarter notes per minute
    std::optional<int> voice; // General MIDI program
    // The melody text (for a key-procedure text, the key text as it is) and the melodies of
    // further parts, in part order.
    std::u16string melody;
    std::vector<std::u16string> furtherParts;
    std::u16string error; // why nothing was read; empty on success
};

// Reads a file of any kind but Midi, which is read as the i-melody bytes the MIDI import made.
ImportedFile importFile(ImportKind kind, const std::filesystem::path& path);
// The melody of i-melody bytes: the first part with notes, then the further ones.
ImportedFile importMldBytes(const Bytes& bytes);

// The name of the song made from further part n (from 1): name + "-Sub" + n.
std::u16string subPartName(std::u16string_view name, int part);

} // namespace sarvo::formats
