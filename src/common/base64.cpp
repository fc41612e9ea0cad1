#include "common/base64.h"

namespace sarvo {
namespace {

constexpr char16_t kAlphabet[] =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr unsigned kPad = 255; // the symbol value of "="

} // namespace

std::optional<uint8_t> base64Value(char16_t c) {
    if (c >= u'A' && c <= u'Z')
        return static_cast<uint8_t>(c - u'A');
    if (c >= u'a' && c <= u'z')
        return static_cast<uint8_t>(c - u'a' + 26);
    if (c >= u'0' && c <= u'9')
        return static_cast<uint8_t>(c - u'0' + 52);
    if (c == u'+')
        return 62;
    if (c == u'/')
        return 63;
    return std::nullopt;
}

std::u16string base64Encode(std::span<const uint8_t> bytes) {
    std::u16string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t left = bytes.size() - i;
        const unsigned group = unsigned(bytes[i]) << 16 |
                               (left > 1 ? unsigned(bytes[i + 1]) << 8 : 0) |
                               (left > 2 ? unsigned(bytes[i + 2]) : 0);
        text.push_back(kAlphabet[group >> 18 & 63]);
        text.push_back(kAlphabet[group >> 12 & 63]);
        text.push_back(left > 1 ? kAlphabet[group >> 6 & 63] : u'=');
        text.push_back(left > 2 ? kAlphabet[group & 63] : u'=');
    }
    return text;
}

std::optional<std::vector<uint8_t>> base64Decode(std::u16string_view text) {
    std::vector<uint8_t> bytes;
    bytes.reserve(text.size() / 4 * 3 + 3);
    unsigned accumulator = 0;
    int place = 0; // the place of the next symbol within its group, 0 to 3
    for (char16_t c : text) {
        unsigned v;
        if (c == u'=')
            v = kPad;
        else if (auto value = base64Value(c))
            v = *value;
        else
            continue;
        switch (place) {
        case 0: accumulator = v * 4; break;
        case 1:
            // After a leading "=" the byte would not fit: such a group is not base64.
            if (accumulator > 0xFF)
                return std::nullopt;
            bytes.push_back(static_cast<uint8_t>(accumulator | v / 16));
            accumulator = (v & 15) * 16;
            break;
        case 2:
            if (v != kPad) {
                bytes.push_back(static_cast<uint8_t>(accumulator | v / 4));
                accumulator = (v & 3) * 64;
            }
            break;
        case 3:
            if (v != kPad)
                bytes.push_back(static_cast<uint8_t>(accumulator | v));
            break;
        }
        place = (place + 1) % 4;
    }
    if (bytes.empty())
        return std::nullopt;
    return bytes;
}

} // namespace sarvo
