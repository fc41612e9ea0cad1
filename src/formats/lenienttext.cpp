#include "formats/lenienttext.h"

#include "common/textcodec.h"

namespace sarvo::formats {
namespace {

bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

} // namespace

std::string toCp932Lenient(std::u16string_view text) {
    if (auto whole = toCp932(text))
        return *whole;
    std::string bytes;
    for (size_t i = 0; i < text.size(); ++i) {
        // A surrogate pair is one character.
        const bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size();
        const std::u16string_view one = text.substr(i, pair ? 2 : 1);
        bytes += toCp932(one).value_or("?");
        i += one.size() - 1;
    }
    return bytes;
}

std::u16string fromCp932Lenient(std::string_view bytes) {
    if (auto whole = fromCp932(bytes))
        return *whole;
    std::u16string text;
    for (size_t i = 0; i < bytes.size();) {
        const size_t width = isLeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
        if (auto one = fromCp932(bytes.substr(i, width)); one && i + width <= bytes.size()) {
            text += *one;
            i += width;
        } else {
            text += u'\uFFFD';
            ++i;
        }
    }
    return text;
}

} // namespace sarvo::formats
