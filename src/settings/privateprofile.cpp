#include "settings/privateprofile.h"

#include "common/atomicfile.h"
#include "common/filebytes.h"
#include "settings/profiletext.h"

namespace sarvo::settings {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    const size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Compares two code page 932 names ignoring ASCII case; the second byte of a double-byte
// character, which may look like an ASCII letter, is compared exactly.
bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (isLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1])
                return false;
            ++i;
        } else if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

// The name of a section header line ("[name]"), or nullopt for any other line.
std::optional<std::string_view> sectionName(std::string_view line) {
    std::string_view text = trimmed(line);
    if (text.empty() || text.front() != '[')
        return std::nullopt;
    text.remove_prefix(1);
    const size_t close = text.find(']');
    return trimmed(close == std::string_view::npos ? text : text.substr(0, close));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view line) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return KeyLine{trimmed(line.substr(0, equals)), trimmed(line.substr(equals + 1))};
}

// What a reader with a buffer of bufferSize bytes receives of a stored value.
std::string_view readerView(std::string_view value, size_t bufferSize) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    if (bufferSize != kWholeValue && value.size() > bufferSize - 1) {
        // Stop before a double-byte character that the buffer would split.
        size_t kept = 0;
        while (kept < value.size()) {
            const size_t length = isLeadByte(static_cast<unsigned char>(value[kept])) ? 2 : 1;
            if (kept + length > bufferSize - 1)
                break;
            kept += length;
        }
        value = value.substr(0, kept);
    }
    return value.substr(0, value.find('\0'));
}

std::string encodedName(std::u16string_view name) {
    return encodeProfileText(name).bytes;
}

} // namespace

PrivateProfile::PrivateProfile(std::string_view bytes) {
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        m_lines.emplace_back(line);
        start = end + 1;
    }
}

ProfileLoad PrivateProfile::load(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec))
        return {};
    const std::optional<std::string> bytes = readFileBytes(file);
    if (!bytes)
        return {PrivateProfile(), "cannot read " + file.string()};
    return {PrivateProfile(*bytes), {}};
}

std::optional<PrivateProfile::SectionRange>
PrivateProfile::findSection(std::string_view name) const {
    for (size_t i = 0; i < m_lines.size(); ++i) {
        auto found = sectionName(m_lines[i]);
        if (!found || !sameName(*found, name))
            continue;
        size_t end = i + 1;
        while (end < m_lines.size() && !sectionName(m_lines[end]))
            ++end;
        return SectionRange{i, end};
    }
    return std::nullopt;
}

std::optional<size_t> PrivateProfile::findKey(const SectionRange& range,
                                              std::string_view key) const {
    for (size_t i = range.header + 1; i < range.end; ++i) {
        auto line = keyLine(m_lines[i]);
        if (line && sameName(line->key, key))
            return i;
    }
    return std::nullopt;
}

std::optional<std::u16string> PrivateProfile::find(std::u16string_view section,
                                                   std::u16string_view key,
                                                   size_t bufferSize) const {
    auto range = findSection(encodedName(section));
    if (!range)
        return std::nullopt;
    auto index = findKey(*range, encodedName(key));
    if (!index)
        return std::nullopt;
    return decodeProfileText(readerView(keyLine(m_lines[*index])->value, bufferSize));
}

std::u16string PrivateProfile::value(std::u16string_view section, std::u16string_view key,
                                     std::u16string_view fallback, size_t bufferSize) const {
    auto found = find(section, key, bufferSize);
    return found ? *found : std::u16string(fallback);
}

bool PrivateProfile::hasSection(std::u16string_view section) const {
    return findSection(encodedName(section)).has_value();
}

std::vector<std::pair<std::u16string, std::u16string>>
PrivateProfile::entries(std::u16string_view section, size_t bufferSize) const {
    std::vector<std::pair<std::u16string, std::u16string>> result;
    auto range = findSection(encodedName(section));
    if (!range)
        return result;
    std::vector<std::string_view> seen;
    for (size_t i = range->header + 1; i < range->end; ++i) {
        auto line = keyLine(m_lines[i]);
        if (!line || line->key.empty())
            continue;
        bool repeated = false;
        for (std::string_view earlier : seen)
            repeated = repeated || sameName(earlier, line->key);
        if (repeated)
            continue;
        seen.push_back(line->key);
        result.emplace_back(decodeProfileText(line->key),
                            decodeProfileText(readerView(line->value, bufferSize)));
    }
    return result;
}

bool PrivateProfile::setValue(std::u16string_view section, std::u16string_view key,
                              std::u16string_view value) {
    std::u16string oneLine(value.substr(0, value.find(u'\0')));
    for (char16_t& c : oneLine) {
        if (c == u'\r' || c == u'\n')
            c = u' ';
    }
    const EncodedText encodedValue = encodeProfileText(oneLine);
    const std::string sectionBytes = encodedName(section);
    const std::string keyBytes = encodedName(key);

    auto range = findSection(sectionBytes);
    if (!range) {
        if (!m_lines.empty() && !trimmed(m_lines.back()).empty())
            m_lines.emplace_back();
        m_lines.push_back("[" + sectionBytes + "]");
        m_lines.push_back(keyBytes + "=" + encodedValue.bytes);
        return encodedValue.lossless;
    }
    if (auto index = findKey(*range, keyBytes)) {
        // The key keeps the spelling it has in the file.
        m_lines[*index] = std::string(keyLine(m_lines[*index])->key) + "=" + encodedValue.bytes;
        return encodedValue.lossless;
    }
    // After the section's last non-blank line, so a blank line before the next section stays.
    size_t insertAt = range->end;
    while (insertAt > range->header + 1 && trimmed(m_lines[insertAt - 1]).empty())
        --insertAt;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                   keyBytes + "=" + encodedValue.bytes);
    return encodedValue.lossless;
}

std::string PrivateProfile::bytes() const {
    std::string out;
    for (const std::string& line : m_lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::string PrivateProfile::save(const std::filesystem::path& file) const {
    return writeFileAtomically(file, bytes());
}

} // namespace sarvo::settings
