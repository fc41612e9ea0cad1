#include "keyguide/keytextexport.h"

#include "common/atomicfile.h"
#include "common/textcodec.h"
#include "keyguide/conversionreport.h"
#include "keyguide/macrotexts.h"
#include "keyguide/phonetypes.h"

namespace sarvo::keyguide {
namespace {

std::filesystem::path pathOf(std::u16string_view name) {
    const std::string utf8 = toUtf8(name);
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// Writes the text as one line; "" on success.
std::string writeLine(const std::filesystem::path& file, std::u16string_view text) {
    // Key and macro texts hold only keypad characters and ASCII, all of which code page 932 has.
    return writeFileAtomically(file, toCp932(text).value_or(std::string()) + "\r\n");
}

} // namespace

std::u16string keyTextFileName(std::u16string_view typeShortName) {
    return std::u16string(typeShortName) + u".txt";
}

std::u16string macroFileName(std::u16string_view typeShortName) {
    return std::u16string(typeShortName) + u"Mac.txt";
}

std::u16string secondMacroFileName(std::u16string_view typeShortName) {
    return std::u16string(typeShortName) + u"Mac2.txt";
}

ExportResult exportKeyTexts(const std::filesystem::path& songFolder,
                            std::span<const int> typeIndexes, std::u16string_view melody,
                            melody::ParserState& state, IInteractive& ui) {
    ExportResult result;
    std::error_code ec;
    std::filesystem::create_directories(songFolder, ec);
    if (ec) {
        result.error = "cannot create " + songFolder.string() + ": " + ec.message();
        return result;
    }
    auto write = [&](std::u16string_view fileName, std::u16string_view text) {
        result.error = writeLine(songFolder / pathOf(fileName), text);
        if (result.error.empty())
            ++result.filesWritten;
        return result.error.empty();
    };
    for (int index : typeIndexes) {
        const PhoneType* type = phoneTypeByIndex(index);
        if (!type)
            continue;
        // A type that cannot type some notes says so once, with their count.
        const ReportedConversion converted = convertWithReport(index, melody, state, ui);
        if (!converted.report.empty())
            ui.showMessage(converted.report);
        const std::u16string& keyText = converted.keys;
        if (!write(keyTextFileName(type->shortName()), keyText))
            return result;
        const struct {
            MacroForm form;
            std::u16string fileName;
        } macros[] = {{MacroForm::Repeated, macroFileName(type->shortName())},
                      {MacroForm::Counted, secondMacroFileName(type->shortName())}};
        for (const auto& macro : macros) {
            if (!hasMacroText(index, macro.form))
                continue;
            const std::u16string text = macroText(keyText, macro.form);
            if (!text.empty() && !write(macro.fileName, text))
                return result;
        }
    }
    return result;
}

} // namespace sarvo::keyguide
