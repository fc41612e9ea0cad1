#pragma once
// The program's command line: --help and --version, which need no display, and the file a file
// manager opens with the program. A .svo song file goes into the library (see startup.h); a
// file of a kind the import dialog reads opens that dialog on its option with the file filled in.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace sarvo::app {

struct CommandLine {
    enum class Request { Run, Help, Version, Wrong } request = Request::Run;
    std::optional<std::filesystem::path> file;
    std::string error; // why the command line is wrong
};

// Reads the arguments after the program name. --help or --version anywhere wins, so they work
// before the window system's own options are taken out.
CommandLine readCommandLine(const std::vector<std::string>& arguments);

// The import dialog's option (0 to 6) whose file filter names the file's extension; none for
// a .svo file or a file of no kind the dialog reads.
std::optional<int> importOptionOf(const std::filesystem::path& file);

// "sarvo --help": the usage, what a file argument does and the options. The manual page
// sarvo(1) is made from this text.
std::string helpText();
std::string versionText();

} // namespace sarvo::app
