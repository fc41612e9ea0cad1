#include "library/songnames.h"

#include "common/textcodec.h"
#include "melody/filenames.h"

namespace sarvo::library {
namespace {

char16_t asciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

} // namespace

std::optional<std::u16string> safeSongName(std::u16string_view name) {
    std::u16string safe = melody::sanitizeFileName(name);
    if (safe.empty() || safe == u"." || safe == u".." || safe.find(u'\0') != std::u16string::npos)
        return std::nullopt;
    const std::string onDisk = toUtf8(safe);
    // A lone surrogate has no file name form; it would come back as another character.
    if (onDisk.size() + 4 > kMaxFileNameBytes || fromUtf8(onDisk) != safe)
        return std::nullopt;
    return safe;
}

bool sameSongName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    }
    return true;
}

std::filesystem::path pathFromName(std::u16string_view name) {
    const std::string utf8 = toUtf8(name);
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::u16string nameFromPath(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return fromUtf8(std::string(utf8.begin(), utf8.end())).value_or(u"");
}

} // namespace sarvo::library
