// libFuzzer target over the Japanese text encodings: ISO-2022-JP bytes and text, base64 and the
// encoded words of mail headers. Every check is a property the mail code relies on; a violated
// one aborts, so that libFuzzer keeps the input as a crash.
//
// The input is used three ways: as bytes (ISO-2022-JP, base64 input), as text of one character
// per byte (base64 and encoded-word text as received mail holds it) and as UTF-16 text of two
// bytes per character, low byte first (text to convert to ISO-2022-JP and header words).

#include "common/base64.h"
#include "common/cp932.h"
#include "common/headerwords.h"
#include "common/jistext.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

// What a character reads back as after ISO-2022-JP: its code page 932 spelling, or U+0000 for a
// two-byte character outside the JIS rows.
char16_t readBackAs(char16_t c) {
    const uint16_t code = *sarvo::cp932CodeOf(c);
    if (sarvo::isAsciiCp932(code))
        return *sarvo::charOfCp932(code);
    const sarvo::JisPair pair =
        sarvo::sjisToJisPair(static_cast<uint8_t>(code >> 8), static_cast<uint8_t>(code));
    return pair.first == 0 ? char16_t(0) : sarvo::charOfCp932(code).value_or(0);
}

void checkBytes(const std::vector<uint8_t>& bytes) {
    (void)sarvo::jisBytesToText(bytes);
    const std::u16string base64 = sarvo::base64Encode(bytes);
    check(base64.size() == (bytes.size() + 2) / 3 * 4);
    if (!bytes.empty())
        check(sarvo::base64Decode(base64) == bytes);
}

void checkLatinText(const std::u16string& text) {
    (void)sarvo::jisTextToSjis(text);
    (void)sarvo::decodeHeaderWord(text);
    // Whatever base64 text decodes to, its encoding decodes to the same bytes.
    if (const auto bytes = sarvo::base64Decode(text))
        check(sarvo::base64Decode(sarvo::base64Encode(*bytes)) == bytes);
}

void checkUtf16Text(const std::u16string& text) {
    const auto jis = sarvo::sjisToJisText(text);
    const auto jisBytes = sarvo::textToJisBytes(text);
    check(jis.ok() == jisBytes.ok());
    check(std::u16string(jisBytes.value.begin(), jisBytes.value.end()) == jis.value);
    for (char16_t c : jis.value)
        check(c < 0x80);
    // ESC, SO and SI written as ASCII read back as the escapes and shifts they are in bytes.
    const bool controls = text.find_first_of(u"\x1B\x0E\x0F") != text.npos;
    if (jis.ok() && !controls) {
        std::u16string expected;
        for (char16_t c : text)
            expected.push_back(readBackAs(c));
        const auto back = sarvo::jisBytesToText(jisBytes.value);
        check(back.ok() && back.value == expected);
        check(sarvo::jisTextToSjis(jis.value) == expected);
    }

    const auto header = sarvo::encodeHeader(text);
    check(header.ok() == jis.ok());
    if (header.ok()) {
        for (size_t start = header.value.find(sarvo::kEncodedWordPrefix);
             start != header.value.npos;
             start = header.value.find(sarvo::kEncodedWordPrefix, start + 1)) {
            const size_t end = header.value.find(sarvo::kEncodedWordSuffix, start);
            check(end != header.value.npos && end + 2 - start <= sarvo::kMaxEncodedWordLength);
        }
    }
    const std::u16string folded = sarvo::foldHeaderLines(text);
    check(folded.size() >= text.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    checkBytes(bytes);
    checkLatinText(std::u16string(bytes.begin(), bytes.end()));
    std::u16string utf16;
    for (size_t i = 0; i + 1 < size; i += 2)
        utf16.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
    checkUtf16Text(utf16);
    return 0;
}
