#pragma once
// Song names as file names. A name may come from anywhere (the properties dialog, a .svo file,
// a mail, the server), so before it names a file it is widened (":<>\/*?|" become their
// full-width forms) and refused when no file of the library could carry it: empty, "." or "..",
// a NUL, or too long for the file system.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace sarvo::library {

// The longest file name the file system takes, in bytes.
inline constexpr size_t kMaxFileNameBytes = 255;

// The name made safe, or nullopt when it must be refused. The longest suffix that is added to
// it ("tmptmp…tmptmp.ini" of an import aside) is ".ini".
std::optional<std::u16string> safeSongName(std::u16string_view name);

// Song names compare as file names on the system the library comes from: ASCII case ignored.
bool sameSongName(std::u16string_view a, std::u16string_view b);

// A UTF-16 name as a path component.
std::filesystem::path pathFromName(std::u16string_view name);
// A path component as UTF-16.
std::u16string nameFromPath(const std::filesystem::path& path);

} // namespace sarvo::library
