#include "common/headerwords.h"

#include "common/base64.h"
#include "common/cp932.h"
#include "common/jistext.h"

#include <vector>

namespace sarvo {
namespace {

constexpr std::u16string_view kCrLf = u"\r\n";

// Characters that have no code page 932 form go into a run too, where encodeHeaderWord reports
// them.
bool isNonAscii(char16_t c) {
    std::optional<uint16_t> code = cp932CodeOf(c);
    return !code || !isAsciiCp932(*code);
}

// The length of the encoded word of a run of n two-byte characters: two bytes a character and
// the two three-byte escapes, base64-expanded, plus prefix and suffix.
size_t encodedWordLength(size_t n) {
    size_t groups = (2 * n + 6 + 2) / 3;
    return 4 * groups + kEncodedWordPrefix.size() + kEncodedWordSuffix.size();
}

// Appends the fold of one line (without its CRLF) to out.
void foldLine(std::u16string_view line, std::u16string& out) {
    std::u16string current;
    bool first = true;
    size_t start = 0;
    while (true) {
        const size_t blank = line.find(u' ', start);
        const std::u16string_view word =
            line.substr(start, blank == line.npos ? line.npos : blank - start);
        if (first) {
            current = word;
            first = false;
        } else if (current.size() + word.size() + 1 > size_t(kFoldWidth)) {
            out += current;
            out += kCrLf;
            out += u' ';
            current = word;
        } else {
            current += u' ';
            current += word;
        }
        if (blank == line.npos)
            break;
        start = blank + 1;
    }
    out += current;
}

} // namespace

Converted<std::u16string> encodeHeaderWord(std::u16string_view run) {
    Converted<std::u16string> jis = sjisToJisText(run);
    if (!jis.ok())
        return {{}, jis.error};
    // The ISO-2022-JP text holds byte values 0-127 only, so its bytes are its characters.
    std::vector<uint8_t> bytes(jis.value.begin(), jis.value.end());
    std::u16string word(kEncodedWordPrefix);
    word += base64Encode(bytes);
    word += kEncodedWordSuffix;
    return {word, {}};
}

Converted<std::u16string> encodeHeader(std::u16string_view text) {
    Converted<std::u16string> result;
    std::u16string run;
    bool inRun = false;
    auto flush = [&]() {
        Converted<std::u16string> word = encodeHeaderWord(run);
        if (!word.ok()) {
            result.error = word.error;
            return false;
        }
        result.value += word.value;
        result.value += u' ';
        run.clear();
        return true;
    };
    for (char16_t c : text) {
        if (isNonAscii(c)) {
            inRun = true;
            if (encodedWordLength(run.size() + 1) > size_t(kMaxEncodedWordLength) && !flush())
                return result;
            run += c;
            continue;
        }
        if (inRun && !flush())
            return result;
        inRun = false;
        result.value += c;
    }
    if (inRun)
        flush();
    return result;
}

std::u16string foldHeaderLines(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size() + text.size() / 32);
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find(kCrLf, start);
        if (end == text.npos) {
            // A last line without CRLF is folded and left without one.
            foldLine(text.substr(start), out);
            break;
        }
        foldLine(text.substr(start, end - start), out);
        out += kCrLf;
        start = end + kCrLf.size();
    }
    return out;
}

Converted<std::u16string> decodeHeaderWord(std::u16string_view base64) {
    std::vector<uint8_t> bytes;
    unsigned accumulator = 0;
    int place = 0;
    // Six bits a character; a byte is complete with the second, third and fourth character of a
    // group, taking the bits the character before left over.
    for (char16_t c : base64) {
        std::optional<uint8_t> v = base64Value(c);
        if (!v)
            break;
        if (place > 0)
            bytes.push_back(
                static_cast<uint8_t>(accumulator << (2 * place) | *v >> (6 - 2 * place)));
        accumulator = *v & ((1u << (6 - 2 * place)) - 1);
        place = (place + 1) % 4;
    }
    return jisBytesToText(bytes);
}

} // namespace sarvo
