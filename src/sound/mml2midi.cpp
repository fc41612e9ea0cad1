#include "sound/mml2midi.h"

#include "common/textcodec.h"
#include "sound/mmlcompiler.h"
#include "sound/smfwriter.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace sarvo::sound {

Mml2MidiResult mml2midi(const std::filesystem::path& mmlFile,
                        const std::filesystem::path& midiFile) {
    std::ifstream in(mmlFile, std::ios::binary);
    if (!in)
        return {{}, "cannot open " + mmlFile.string()};
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const std::optional<std::u16string> text = fromCp932(bytes.str());
    if (!text)
        return {{}, mmlFile.string() + ": not code page 932 text"};
    const MmlCompileResult compiled = compileMml(*text);
    if (!compiled.file)
        return {{}, mmlFile.string() + ": " + compiled.error.text()};
    if (std::string failed = writeSmfFile(midiFile, *compiled.file); !failed.empty())
        return {{}, failed};
    return {midiFile.string(), {}};
}

bool resultNamesFile(std::string_view result, const std::filesystem::path& midiFile) {
    const std::string path = midiFile.string();
    return result.size() >= path.size() &&
           std::equal(path.begin(), path.end(), result.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

} // namespace sarvo::sound
