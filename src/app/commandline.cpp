#include "app/commandline.h"

#include "formats/importoptions.h"

#include <algorithm>
#include <cctype>

namespace sarvo::app {
namespace {

std::string lowerCase(std::string text) {
    std::ranges::transform(text, text.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool isSongFile(const std::filesystem::path& file) {
    return lowerCase(file.extension().string()) == ".svo";
}

// "*.mld" -> ".mld"; the catch-all "*.*" names no extension.
std::optional<std::string> extensionOfPattern(std::u16string_view pattern) {
    if (pattern.size() < 3 || pattern.substr(0, 2) != u"*." || pattern == u"*.*")
        return std::nullopt;
    std::string extension = ".";
    for (char16_t c : pattern.substr(2))
        extension += static_cast<char>(c);
    return lowerCase(extension);
}

// ".txt, .omd, ..." in the dialog's order.
std::string importedExtensions() {
    std::string list;
    for (const formats::ImportOption& option : formats::importOptions()) {
        for (const auto& filter : option.filters) {
            if (const auto extension = extensionOfPattern(filter.second))
                list += (list.empty() ? "" : ", ") + *extension;
        }
    }
    return list;
}

} // namespace

CommandLine readCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    if (std::ranges::find(arguments, "--help") != arguments.end() ||
        std::ranges::find(arguments, "-h") != arguments.end())
        return {.request = CommandLine::Request::Help};
    if (std::ranges::find(arguments, "--version") != arguments.end())
        return {.request = CommandLine::Request::Version};
    for (const std::string& argument : arguments) {
        if (argument.starts_with("-")) {
            line.error = "unknown option '" + argument + "'";
        } else if (line.file) {
            line.error = "more than one file: '" + argument + "'";
        } else {
            line.file = std::filesystem::path(argument);
            if (!isSongFile(*line.file) && !importOptionOf(*line.file))
                line.error = "'" + argument + "' is no file Sarvo reads";
        }
        if (!line.error.empty()) {
            line.request = CommandLine::Request::Wrong;
            return line;
        }
    }
    return line;
}

std::optional<int> importOptionOf(const std::filesystem::path& file) {
    const std::string extension = lowerCase(file.extension().string());
    const auto options = formats::importOptions();
    for (size_t option = 0; option < options.size(); ++option) {
        for (const auto& filter : options[option].filters) {
            if (extensionOfPattern(filter.second) == extension)
                return static_cast<int>(option);
        }
    }
    return std::nullopt;
}

std::string helpText() {
    return "usage: sarvo [FILE]\n"
           "       sarvo --help | --version\n"
           "\n"
           "Sarvo composes ringtones for the Japanese mobile phones of 1998-2000: it writes a\n"
           "melody as the keypad presses of 39 phone families, reads such presses back, and reads\n"
           "and writes the ringtone formats of those phones. The song library lives beside the\n"
           "program when a Sarvo.ini is there, otherwise in $XDG_DATA_HOME/sarvo\n"
           "(~/.local/share/sarvo).\n"
           "\n"
           "A .svo song file named as FILE is stored in the library and opened; when Sarvo runs\n"
           "already, the running program takes it. Any other file the import dialog reads opens\n"
           "that dialog with the file filled in: " +
           importedExtensions() +
           ".\n"
           "\n"
           "  --help     show this help and exit\n"
           "  --version  show the version and exit\n"
           "\n"
           "Run 'sarvo-cli --help' for the command-line tool.\n";
}

std::string versionText() {
    return "sarvo " SARVO_VERSION "\n";
}

} // namespace sarvo::app
