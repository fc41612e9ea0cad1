#pragma once
// Where the library lives: a data folder with "log" (the song files and .svo files waiting to be
// imported), "Text" (one folder of key-guide texts per song) and the settings file "Sarvo.ini".
//
// A copy of the program that has a Sarvo.ini beside it is portable and keeps everything there;
// otherwise the data folder is "sarvo" in the user's XDG data folder.

#include <filesystem>
#include <optional>
#include <string_view>

namespace sarvo::library {

class LibraryFolders {
public:
    explicit LibraryFolders(std::filesystem::path root)
        : m_root(std::move(root)) {}

    const std::filesystem::path& root() const { return m_root; }
    // "log" and "Text" below the root. A library copied from a system whose file names ignore
    // case may spell them "Log" or "text"; an existing folder of any spelling is used.
    std::filesystem::path logFolder() const;
    std::filesystem::path textFolder() const;
    std::filesystem::path settingsFile() const;

private:
    std::filesystem::path m_root;
};

// The data folder: programFolder when it holds a Sarvo.ini, else $XDG_DATA_HOME/sarvo, else
// $HOME/.local/share/sarvo. The environment values are passed in (empty when unset); nullopt
// when none of them gives a folder.
std::optional<std::filesystem::path> dataFolder(const std::filesystem::path& programFolder,
                                                std::string_view xdgDataHome,
                                                std::string_view home);

// Finds an entry of folder whose name equals name ignoring ASCII case; folder / name when none.
std::filesystem::path caseInsensitiveEntry(const std::filesystem::path& folder,
                                           std::string_view name);

} // namespace sarvo::library
