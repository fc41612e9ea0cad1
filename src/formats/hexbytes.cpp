#include "formats/hexbytes.h"

#include <optional>

namespace sarvo::formats {
namespace {

std::optional<int> hexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return std::nullopt;
}

} // namespace

bool isAsciiStr(std::u16string_view text) {
    for (char16_t c : text)
        if (c > 127)
            return false;
    return true;
}

bool str2Byte(std::u16string_view hex, Bytes& bytes, IInteractive& ui) {
    const size_t pairs = (hex.size() + 1) / 3;
    if (pairs == 0)
        return false;
    bytes.assign(pairs, 0);
    for (size_t i = 0; i < pairs; ++i) {
        const std::u16string_view pair = hex.substr(3 * i, 2);
        const auto high = hexDigit(pair[0]);
        const auto low = hexDigit(pair[1]);
        if (!high || !low) {
            ui.showMessage(std::u16string(u"str2Byte 変換エラー &H") + std::u16string(pair));
            return false;
        }
        bytes[i] = static_cast<uint8_t>(*high * 16 + *low);
    }
    return true;
}

std::u16string byte2Str(const Bytes& bytes) {
    static constexpr std::u16string_view kDigits = u"0123456789ABCDEF";
    std::u16string text;
    text.reserve(bytes.size() * 3);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0)
            text += u' ';
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
    }
    return text;
}

void setNumBytes(Bytes& bytes, size_t start, uint32_t value, int width) {
    for (int k = width - 1; k >= 0; --k) {
        bytes.at(start + static_cast<size_t>(k)) = static_cast<uint8_t>(value & 0xFF);
        value >>= 8;
    }
}

Bytes asciiBytes(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

} // namespace sarvo::formats
