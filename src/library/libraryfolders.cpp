#include "library/libraryfolders.h"

#include <algorithm>

namespace sarvo::library {
namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        };
        return lower(x) == lower(y);
    });
}

} // namespace

std::filesystem::path caseInsensitiveEntry(const std::filesystem::path& folder,
                                           std::string_view name) {
    std::error_code ec;
    if (std::filesystem::exists(folder / name, ec))
        return folder / name;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        if (sameIgnoringCase(it->path().filename().string(), name))
            return it->path();
    }
    return folder / name;
}

std::filesystem::path LibraryFolders::logFolder() const {
    return caseInsensitiveEntry(m_root, "log");
}

std::filesystem::path LibraryFolders::textFolder() const {
    return caseInsensitiveEntry(m_root, "Text");
}

std::filesystem::path LibraryFolders::settingsFile() const {
    return caseInsensitiveEntry(m_root, "Sarvo.ini");
}

std::optional<std::filesystem::path> dataFolder(const std::filesystem::path& programFolder,
                                                std::string_view xdgDataHome,
                                                std::string_view home) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(caseInsensitiveEntry(programFolder, "Sarvo.ini"), ec))
        return programFolder;
    // The XDG rules ignore a relative XDG_DATA_HOME.
    if (!xdgDataHome.empty() && std::filesystem::path(xdgDataHome).is_absolute())
        return std::filesystem::path(xdgDataHome) / "sarvo";
    if (!home.empty())
        return std::filesystem::path(home) / ".local" / "share" / "sarvo";
    return std::nullopt;
}

} // namespace sarvo::library
