#pragma once
// A private-profile (ini) file: "[section]" lines followed by "key=value" lines, in code page
// 932. Songs and settings share it, so it behaves the way the files were always read and
// written:
// - section and key names match without regard to ASCII case;
// - a value loses the blanks and tabs around it and one pair of enclosing quotes, is cut to the
//   reader's buffer size (size − 1 bytes, never in the middle of a character) and at its first
//   NUL byte;
// - a missing key gives the caller's default;
// - writing a key replaces its line in place, appends a new key after the last line of its
//   section and a new section at the end, and leaves every other line byte for byte as it was.
// The first of two sections or keys of the same name is the one read and written.
//
// The object holds the file in memory; save() writes it back atomically.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sarvo::settings {

// Read a value whole, without a buffer limit.
inline constexpr size_t kWholeValue = 0;

struct ProfileLoad;

class PrivateProfile {
public:
    PrivateProfile() = default;
    // Parses file contents; any bytes are accepted.
    explicit PrivateProfile(std::string_view bytes);

    // Reads a file; a file that does not exist gives an empty profile.
    static ProfileLoad load(const std::filesystem::path& file);

    // The value of a key, or fallback when the section or key is missing. bufferSize is the
    // reader's buffer in bytes including its NUL (255 reads at most 254 bytes).
    std::u16string value(std::u16string_view section, std::u16string_view key,
                         std::u16string_view fallback = {}, size_t bufferSize = kWholeValue) const;
    // nullopt when the section or key is missing.
    std::optional<std::u16string> find(std::u16string_view section, std::u16string_view key,
                                       size_t bufferSize = kWholeValue) const;
    bool hasSection(std::u16string_view section) const;
    // Every key of a section with its value as a reader with bufferSize receives it, in file
    // order (first occurrence of each key).
    std::vector<std::pair<std::u16string, std::u16string>>
    entries(std::u16string_view section, size_t bufferSize = kWholeValue) const;

    // Writes one key. Line breaks in the value become blanks and a NUL ends it, so a value always
    // stays one line. Returns false when a character had no code page 932 form and was written as
    // "?".
    bool setValue(std::u16string_view section, std::u16string_view key, std::u16string_view value);

    // The file contents, lines ending in CR LF.
    std::string bytes() const;
    // Writes the file atomically; "" on success, otherwise the reason.
    std::string save(const std::filesystem::path& file) const;

private:
    // The first section of a name: its header line and the line after its last line.
    struct SectionRange {
        size_t header;
        size_t end;
    };
    std::optional<SectionRange> findSection(std::string_view name) const;
    std::optional<size_t> findKey(const SectionRange& range, std::string_view key) const;

    std::vector<std::string> m_lines; // without their line ends
};

struct ProfileLoad {
    PrivateProfile profile;
    std::string error; // "" when the file was read or does not exist
};

} // namespace sarvo::settings
