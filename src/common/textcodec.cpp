#include "common/textcodec.h"

#include <cerrno>
#include <iconv.h>

namespace sarvo {
namespace {

// One iconv conversion of a whole buffer; nullopt on any invalid or unconvertible input.
std::optional<std::string> convert(const char* to, const char* from, const char* data,
                                   size_t size) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string out(size * 2 + 16, '\0');
    char* in = const_cast<char*>(data);
    size_t inLeft = size;
    size_t done = 0;
    bool ok = true;
    while (inLeft > 0) {
        char* outPtr = out.data() + done;
        size_t outLeft = out.size() - done;
        size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        done = out.size() - outLeft;
        if (r != static_cast<size_t>(-1))
            continue;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        ok = false;
        break;
    }
    iconv_close(cd);
    if (!ok)
        return std::nullopt;
    out.resize(done);
    return out;
}

std::u16string fromUtf16Bytes(const std::string& bytes) {
    std::u16string text(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    return text;
}

std::string toUtf16Bytes(std::u16string_view text) {
    std::string bytes(text.size() * 2, '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    return bytes;
}

} // namespace

std::optional<std::u16string> fromCp932(std::string_view bytes) {
    auto utf16 = convert("UTF-16LE", "CP932", bytes.data(), bytes.size());
    if (!utf16)
        return std::nullopt;
    return fromUtf16Bytes(*utf16);
}

std::optional<std::string> toCp932(std::u16string_view text) {
    std::string utf16 = toUtf16Bytes(text);
    return convert("CP932", "UTF-16LE", utf16.data(), utf16.size());
}

std::optional<std::u16string> fromUtf8(std::string_view bytes) {
    auto utf16 = convert("UTF-16LE", "UTF-8", bytes.data(), bytes.size());
    if (!utf16)
        return std::nullopt;
    return fromUtf16Bytes(*utf16);
}

std::string toUtf8(std::u16string_view text) {
    std::string utf16 = toUtf16Bytes(text);
    // A lone surrogate is the only thing UTF-8 cannot carry; it becomes U+FFFD.
    if (auto out = convert("UTF-8", "UTF-16LE", utf16.data(), utf16.size()))
        return *out;
    std::u16string cleaned(text);
    for (size_t i = 0; i < cleaned.size(); ++i) {
        char16_t c = cleaned[i];
        bool high = c >= 0xD800 && c <= 0xDBFF;
        bool low = c >= 0xDC00 && c <= 0xDFFF;
        if (high && i + 1 < cleaned.size() && cleaned[i + 1] >= 0xDC00 && cleaned[i + 1] <= 0xDFFF)
            ++i;
        else if (high || low)
            cleaned[i] = u'\uFFFD';
    }
    utf16 = toUtf16Bytes(cleaned);
    return convert("UTF-8", "UTF-16LE", utf16.data(), utf16.size()).value_or(std::string());
}

} // namespace sarvo
