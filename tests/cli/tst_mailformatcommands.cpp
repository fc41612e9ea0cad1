// sarvo-cli encode and decode with the P-mail DX streams and kyara-mail text.

#include "cli/cliio.h"
#include "clitesting.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sarvo::cli {
namespace {

TEST(MailFormatCommands, EncodeDecodeAndRefusals) {
    const std::vector<std::string> encode = {"--title", "ab", "--tempo", "120"};
    const auto args = [&](const char* verb, const char* format,
                          std::vector<std::string> more = {}) {
        std::vector<std::string> all = {verb, "--format", format};
        all.insert(all.end(), more.begin(), more.end());
        return all;
    };
    expectRuns({
        {args("encode", "pdx-melody", encode), "C中ド C中レ\n", 0,
         "\xE1\xF0\x61\x62\xFD\xF1\x78\xC4\x33\xC4\x35\xFF"},
        {args("encode", "pdx-codes", encode), "C中ド C中レ\n", 0, "\x04\x84\x08\x09\xFF"},
        {args("encode", "kyara", encode), "C中ド\n", 0, "]]6415\n"},
        {args("decode", "pdx-melody", {"--json"}), "\xE1\xF0\x61\x62\xFD\xF1\x60\xC4\x33\xFF", 0,
         "{\"title\": \"ab\", \"tempo\": 96, \"voice\": null, \"melody\": \"C中ド \"}\n"},
        {args("decode", "pdx-codes", {"--json"}), "\x03\x84\x08\xFF", 0,
         "{\"title\": \"\", \"tempo\": 100, \"voice\": null, \"melody\": \"C中ド \"}\n"},
        {args("decode", "kyara", {"--json"}), "]]3246\r\n", 0,
         "{\"title\": \"\", \"tempo\": 96, \"voice\": null, \"melody\": \"D中フ# \"}\n"},
        // what the encoder cannot write, input without a melody, a part that is not there
        {args("encode", "pdx-codes", encode), "C中ド ] ", kInputError, ""},
        {args("encode", "kyara", encode), "3中ド 3中レ 3中ミ ", kInputError, ""},
        {args("decode", "pdx-melody"), "", kInputError, ""},
        {args("decode", "kyara"), "hello\n", kInputError, ""},
        {args("decode", "kyara", {"--part", "1"}), "]]6415", kInputError, ""},
    });
}

} // namespace
} // namespace sarvo::cli
