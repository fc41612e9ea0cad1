#include "mldtesting.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sarvo::formats {
namespace {

constexpr int kDo = 27; // key of 中ド

TEST(EncodeMld, EmptyMelodyWithTitleAbIsEightyTwoBytes) {
    // melo, sizes, sorc, titl "ab", vers "0100", then the track: tempo, cue, four volumes, the
    // voice and bank of the one part, the end.
    EXPECT_EQ(byte2Str(encodeQuietly(ringtoneOf({u""}, 120, u"ab"))),
              u"6D 65 6C 6F 00 00 00 4A 00 1C 01 01 01 73 6F 72 63 00 01 01 74 69 74 6C 00 02 61 "
              u"62 76 65 72 73 00 04 30 31 30 30 74 72 61 63 00 00 00 24 00 FF C3 78 00 FF D0 00 "
              u"00 FF E2 3F 00 FF E2 7F 00 FF E2 BF 00 FF E2 FF 00 FF E0 "
              + byte2Str(Bytes{static_cast<uint8_t>(kDefaultVoice)}) + u" 00 FF E1 02 00 FF DF 00");
}

// The timing of the note events: fillers over long gaps, ties summed up to a whole note, the
// parts interleaved by time, silent tokens, at most four parts.
TEST(EncodeMld, NoteEvents) {
    struct Case {
        const char* name;
        std::vector<std::u16string> parts;
        std::vector<Event> events;
    };
    // clang-format off
    const Case cases[] = {
        {"a delta of 300 ticks", {u"F G J C中ド "}, {{255, kDo, 0}, {45, kDo, 48}, {48, 0xFF, 0xDF}}},
        {"two parts start together", {u"C中ド ", u"C高ド "}, {{0, kDo, 48}, {0, 64 + kDo + 12, 48}, {48, 0xFF, 0xDF}}},
        {"quarter tied twice", {u"C中ド ^ ^ "}, {{0, kDo, 144}, {144, 0xFF, 0xDF}}},
        {"lowest and highest keys", {u"E低ド E高シ "}, {{0, 15, 12}, {12, 50, 12}, {12, 0xFF, 0xDF}}},
        {"dotted whole note kept whole", {u"A.中ド "}, {{0, kDo, 192}, {192, kDo, 96}, {96, 0xFF, 0xDF}}},
        {"quarter tied five times", {u"C中ド ^ ^ ^ ^ ^ "}, {{0, kDo, 192}, {192, kDo, 96}, {96, 0xFF, 0xDF}}},
        {"tuplets and tuplet rests", {u"2中ド 6中ド \\ ` C中ド "}, {{0, kDo, 32}, {32, kDo, 8}, {48, kDo, 48}, {48, 0xFF, 0xDF}}},
        {"the later part's notes interleave", {u"B中ド C中レ ", u"C低ド C低レ C低ミ "},
         {{0, kDo, 96}, {0, 64 + 15, 48}, {48, 64 + 17, 48}, {48, kDo + 2, 48}, {0, 64 + 19, 48}, {48, 0xFF, 0xDF}}},
        {"a token without a valid pitch is silent", {u"C中ミ# C中ド "}, {{48, kDo, 48}, {48, 0xFF, 0xDF}}},
        {"a fifth part is not written", {u"", u"", u"", u"", u"C中ド "}, {{0, 0xFF, 0xDF}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const int parts = std::min<int>(static_cast<int>(c.parts.size()), kMaxParts);
        EXPECT_EQ(noteEvents(encodeQuietly(ringtoneOf(c.parts)), parts), c.events) << c.name;
    }
    // 150 whole rests: 28800 ticks, more than a hundred fillers of 255.
    std::u16string rests;
    for (int i = 0; i < 150; ++i)
        rests += u"F ";
    const std::vector<Event> events = noteEvents(encodeQuietly(ringtoneOf({rests + u"C中ド "})), 1);
    ASSERT_EQ(events.size(), 28800u / 255 + 2);
    int time = 0;
    for (size_t i = 0; i + 1 < events.size(); ++i)
        time += events[i][0];
    EXPECT_EQ(time, 28800);
}

TEST(EncodeMld, SizeLimit) {
    std::u16string melody;
    for (int i = 0; i < 200; ++i)
        melody += u"D中ド D中ミ ";
    RecordingInteractive ui;
    const Bytes file = encodeMld(ringtoneOf({melody}), MldSizeLimit::Applied, ui);
    expectConsistentLengths(file);
    EXPECT_EQ(ui.messages(), std::vector<std::u16string>{u"送信サイズオーバーのため、途中まで送りますね。"});
    // The last note event took the file past the limit; the end event follows.
    EXPECT_GT(file.size() - 4, kMldSizeLimit);
    EXPECT_LE(file.size() - 4 - 3, kMldSizeLimit);
    EXPECT_EQ(noteEvents(encodeQuietly(ringtoneOf({melody})), 1).size(), 401u);
    // A melody that fits is never cut and says nothing.
    RecordingInteractive quiet;
    encodeMld(ringtoneOf({u"C中ド D中レ "}), MldSizeLimit::Applied, quiet);
    EXPECT_TRUE(quiet.messages().empty());
}

} // namespace
} // namespace sarvo::formats
