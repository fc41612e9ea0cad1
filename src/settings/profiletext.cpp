#include "settings/profiletext.h"

#include "common/textcodec.h"

#include <algorithm>
#include <array>

namespace sarvo::settings {
namespace {

struct SingleByteMapping {
    unsigned char byte;
    char16_t codePoint;
};

constexpr std::array<SingleByteMapping, 5> kUndefinedBytes = {{
    {0x80, u'\u0080'},
    {0xA0, u'\uF8F0'},
    {0xFD, u'\uF8F1'},
    {0xFE, u'\uF8F2'},
    {0xFF, u'\uF8F3'},
}};

// Length in bytes of the code page 932 character that starts at bytes[i].
size_t characterLength(std::string_view bytes, size_t i) {
    return isLeadByte(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size() ? 2 : 1;
}

std::u16string decodeCharacter(std::string_view character) {
    if (character.size() == 1) {
        for (const auto& mapping : kUndefinedBytes) {
            if (static_cast<unsigned char>(character[0]) == mapping.byte)
                return std::u16string(1, mapping.codePoint);
        }
    }
    return fromCp932(character).value_or(u"\uFFFD");
}

} // namespace

std::u16string decodeProfileText(std::string_view bytes) {
    // Most names and values are ASCII, which code page 932 keeps as it is; this spares the
    // converter, which matters when a thousand song files are listed.
    if (std::ranges::all_of(bytes, [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::u16string(bytes.begin(), bytes.end());
    if (auto whole = fromCp932(bytes))
        return *whole;
    std::u16string text;
    text.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        const size_t length = characterLength(bytes, i);
        text += decodeCharacter(bytes.substr(i, length));
        i += length;
    }
    return text;
}

EncodedText encodeProfileText(std::u16string_view text) {
    if (std::ranges::all_of(text, [](char16_t c) { return c < 0x80; }))
        return {std::string(text.begin(), text.end()), true};
    if (auto whole = toCp932(text))
        return {*whole, true};
    EncodedText encoded;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size();
        const std::u16string_view character = text.substr(i, pair ? 2 : 1);
        if (pair)
            ++i;
        bool mapped = false;
        for (const auto& mapping : kUndefinedBytes) {
            if (character.size() == 1 && character[0] == mapping.codePoint) {
                encoded.bytes += static_cast<char>(mapping.byte);
                mapped = true;
            }
        }
        if (mapped)
            continue;
        if (auto bytes = toCp932(character)) {
            encoded.bytes += *bytes;
        } else {
            encoded.bytes += '?';
            encoded.lossless = false;
        }
    }
    return encoded;
}

} // namespace sarvo::settings
