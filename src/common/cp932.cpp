#include "common/cp932.h"

#include <array>
#include <iconv.h>
#include <memory>

namespace sarvo {
namespace {

constexpr uint16_t kNoCode = 0xFFFF; // no code page 932 value has the lead byte 0xFF

// Both directions for the whole Basic Multilingual Plane, filled once from iconv so that the
// values are exactly those of the system's code page 932 converter (including the one-way
// mappings such as U+00A5 to 0x5C).
struct Cp932Tables {
    std::array<uint16_t, 0x10000> codeOfChar;
    std::array<char16_t, 0x10000> charOfCode;
    std::array<bool, 0x10000> assigned;

    Cp932Tables() {
        codeOfChar.fill(kNoCode);
        charOfCode.fill(0);
        assigned.fill(false);
        fillCodes();
        fillChars();
    }

    // Converts size bytes with one descriptor; returns the bytes written, or -1 on failure.
    static int convertOne(iconv_t cd, char* in, size_t size, char* out, size_t room) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char* outStart = out;
        size_t inLeft = size;
        size_t outLeft = room;
        if (iconv(cd, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
            return -1;
        return static_cast<int>(out - outStart);
    }

    void fillCodes() {
        iconv_t cd = iconv_open("CP932", "UTF-16LE");
        if (cd == reinterpret_cast<iconv_t>(-1))
            return;
        for (unsigned c = 0; c < 0x10000; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF)
                continue;
            char in[2] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
            char out[8];
            int n = convertOne(cd, in, 2, out, sizeof out);
            auto byte = [&](int i) {
                return static_cast<uint16_t>(static_cast<unsigned char>(out[i]));
            };
            if (n == 1)
                codeOfChar[c] = byte(0);
            else if (n == 2)
                codeOfChar[c] = static_cast<uint16_t>(byte(0) << 8 | byte(1));
        }
        iconv_close(cd);
    }

    void fillChars() {
        iconv_t cd = iconv_open("UTF-16LE", "CP932");
        if (cd == reinterpret_cast<iconv_t>(-1))
            return;
        auto record = [&](uint16_t code, char* bytes, size_t size) {
            char out[8];
            if (convertOne(cd, bytes, size, out, sizeof out) != 2)
                return;
            charOfCode[code] = static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                                     static_cast<unsigned char>(out[1]) << 8);
            assigned[code] = true;
        };
        for (unsigned b = 0; b < 0x100; ++b) {
            char in[1] = {static_cast<char>(b)};
            record(static_cast<uint16_t>(b), in, 1);
        }
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (lead >= 0xA0 && lead <= 0xDF)
                continue;
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                if (trail == 0x7F)
                    continue;
                char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                record(static_cast<uint16_t>(lead << 8 | trail), in, 2);
            }
        }
        iconv_close(cd);
    }
};

const Cp932Tables& tables() {
    static const auto instance = std::make_unique<const Cp932Tables>();
    return *instance;
}

} // namespace

std::optional<uint16_t> cp932CodeOf(char16_t c) {
    uint16_t code = tables().codeOfChar[c];
    if (code == kNoCode)
        return std::nullopt;
    return code;
}

std::optional<char16_t> charOfCp932(uint16_t code) {
    const Cp932Tables& t = tables();
    if (!t.assigned[code])
        return std::nullopt;
    return t.charOfCode[code];
}

} // namespace sarvo
