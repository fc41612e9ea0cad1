#include "keyguide/keytextexport.h"

#include "common/atomicfile.h"
#include "common/textcodec.h"
#include "keyguide/keyconversion.h"
#include "keyguide/phonetypes.h"

namespace sarvo::keyguide {
namespace {

std::filesystem::path pathOf(std::u16string_view name) {
    const std::string utf8 = toUtf8(name);
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

} // namespace

std::u16string keyTextFileName(std::u16string_view typeShortName) {
    return std::u16string(typeShortName) + u".txt";
}

ExportResult exportKeyTexts(const std::filesystem::path& textFolder, std::u16string_view songName,
                            std::span<const int> typeIndexes, std::u16string_view melody,
                            melody::ParserState& state, IInteractive& ui) {
    ExportResult result;
    const std::filesystem::path folder = textFolder / pathOf(songName);
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        result.error = "cannot create " + folder.string() + ": " + ec.message();
        return result;
    }
    for (int index : typeIndexes) {
        const PhoneType* type = phoneTypeByIndex(index);
        if (!type)
            continue;
        const std::u16string keyText = convertToKeys(index, melody, state, ui);
        // Key texts hold only keypad characters, all of which code page 932 has.
        const std::string bytes = toCp932(keyText).value_or(std::string()) + "\r\n";
        const std::filesystem::path file = folder / pathOf(keyTextFileName(type->shortName()));
        result.error = writeFileAtomically(file, bytes);
        if (!result.error.empty())
            return result;
        ++result.filesWritten;
    }
    return result;
}

} // namespace sarvo::keyguide
