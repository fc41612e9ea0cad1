#include "melodytimeline.h"
#include "mldtesting.h"

#include "common/textcodec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sarvo::formats {
namespace {

constexpr int kMiddleDo = 27; // key of 中ド
constexpr Event kEnd0 = {0, 0xFF, 0xDF};

TEST(EncodeMld, EmptyMelodyWithTitleAbIsEightyTwoBytes) {
    // melo, sizes, sorc, titl "ab", vers "0100", then the track: tempo, cue, four volumes, the
    // voice and bank of the one part, the end.
    EXPECT_EQ(byte2Str(encodeQuietly(ringtoneOf({u""}, 120, u"ab"))),
              u"6D 65 6C 6F 00 00 00 4A 00 1C 01 01 01 73 6F 72 63 00 01 01 74 69 74 6C 00 02 61 "
              u"62 76 65 72 73 00 04 30 31 30 30 74 72 61 63 00 00 00 24 00 FF C3 78 00 FF D0 00 "
              u"00 FF E2 3F 00 FF E2 7F 00 FF E2 BF 00 FF E2 FF 00 FF E0 "
              + byte2Str(Bytes{static_cast<uint8_t>(kDefaultVoice)}) + u" 00 FF E1 02 00 FF DF 00");
}
TEST(EncodeMld, NoteEvents) {
    struct Case {
        const char* name;
        std::vector<std::u16string> parts;
        std::vector<Event> events;
    };
    const int doHigh = kMiddleDo + 12;
    const std::vector<Case> cases = {
        {"rest before the first note", {u"H C中ド "}, {{48, kMiddleDo, 48}, {48, 0xFF, 0xDF}}},
        {"delta of 300 ticks",
         {u"F G J C中ド "},
         {{255, kMiddleDo, 0}, {45, kMiddleDo, 48}, {48, 0xFF, 0xDF}}},
        {"two parts start together",
         {u"C中ド ", u"C高ド "},
         {{0, kMiddleDo, 48}, {0, 64 + doHigh, 48}, {48, 0xFF, 0xDF}}},
        {"quarter tied twice", {u"C中ド ^ ^ "}, {{0, kMiddleDo, 144}, {144, 0xFF, 0xDF}}},
        {"lowest and highest keys",
         {u"E低ド E高シ "},
         {{0, 15, 12}, {12, 50, 12}, {12, 0xFF, 0xDF}}},
        {"every tuplet",
         {u"2中ド 3中ド 5中ド 6中ド "},
         {{0, kMiddleDo, 32},
          {32, kMiddleDo, 16},
          {16, kMiddleDo, 16},
          {16, kMiddleDo, 8},
          {8, 0xFF, 0xDF}}},
        {"tuplet rests and dotted rests",
         {u"\\ ] _ ` G. C中ド "},
         {{32 + 16 + 16 + 8 + 144, kMiddleDo, 48}, {48, 0xFF, 0xDF}}},
        {"dotted whole note kept whole",
         {u"A.中ド "},
         {{0, kMiddleDo, 192}, {192, kMiddleDo, 96}, {96, 0xFF, 0xDF}}},
        {"whole note tied three times",
         {u"A中ミ ^ ^ ^ "},
         {{0, kMiddleDo + 4, 192},
          {192, kMiddleDo + 4, 192},
          {192, kMiddleDo + 4, 192},
          {192, kMiddleDo + 4, 192},
          {192, 0xFF, 0xDF}}},
        {"quarter tied five times",
         {u"C中ド ^ ^ ^ ^ ^ "},
         {{0, kMiddleDo, 192}, {192, kMiddleDo, 96}, {96, 0xFF, 0xDF}}},
        {"the later part's notes interleave",
         {u"B中ド C中レ ", u"C低ド C低レ C低ミ "},
         {{0, kMiddleDo, 96},
          {0, 64 + 15, 48},
          {48, 64 + 17, 48},
          {48, kMiddleDo + 2, 48},
          {0, 64 + 19, 48},
          {48, 0xFF, 0xDF}}},
        {"a token without a valid pitch is silent",
         {u"C中ミ# C中ド "},
         {{48, kMiddleDo, 48}, {48, 0xFF, 0xDF}}},
        {"a fifth part is not written", {u"", u"", u"", u"", u"C中ド "}, {kEnd0}},
    };
    for (const Case& c : cases) {
        const int parts = std::min<int>(static_cast<int>(c.parts.size()), kMaxParts);
        EXPECT_EQ(noteEvents(encodeQuietly(ringtoneOf(c.parts)), parts), c.events) << c.name;
    }
}

TEST(EncodeMld, LongGapsAreBridgedWholly) {
    // 150 whole rests: 28800 ticks, more than a hundred fillers of 255.
    std::u16string melody;
    for (int i = 0; i < 150; ++i)
        melody += u"F ";
    melody += u"C中ド ";
    const std::vector<Event> events = noteEvents(encodeQuietly(ringtoneOf({melody})), 1);
    ASSERT_EQ(events.size(), 28800u / 255 + 2);
    int64_t time = 0;
    for (size_t i = 0; i + 1 < events.size(); ++i) {
        time += events[i][0];
        EXPECT_EQ(events[i][2], i + 2 == events.size() ? 48 : 0);
    }
    EXPECT_EQ(time, 28800);
}

TEST(EncodeMld, TempoVoiceAndTitle) {
    struct Case {
        int tempo;
        std::u16string tempoNote;
        int voice;
        std::u16string title;
        int tempoByte;
        int voiceByte;
        int bankByte;
    };
    const std::vector<Case> cases = {
        {110, u"C", 0, u"ab", 110, 0, 2},
        {120, u"C.", 66, u"着メロ", 180, 2, 3},
        {67, u"D", 127, u"", 34, 63, 3},
        {400, u"C", 63, u"x", 255, 63, 2},
    };
    for (const Case& c : cases) {
        Ringtone ringtone = ringtoneOf({u"C中ド "}, 100, c.title);
        ringtone.tempo = *TempoUnit::fromTempo(c.tempo, c.tempoNote);
        ringtone.parts[0].voice = c.voice;
        const Bytes file = encodeQuietly(ringtone);
        const std::string title = *toCp932(c.title);
        const size_t headerInfo = 26 + title.size();
        EXPECT_EQ(file[8] << 8 | file[9], headerInfo);
        EXPECT_EQ(std::string(file.begin() + 26, file.begin() + 26 + title.size()), title);
        const size_t events = 10 + headerInfo + 8;
        EXPECT_EQ(file[events + 3], c.tempoByte);
        EXPECT_EQ(file[events + 27], c.voiceByte);
        EXPECT_EQ(file[events + 31], c.bankByte);
    }
}

TEST(EncodeMld, VoicesOfFourParts) {
    Ringtone ringtone = ringtoneOf({u"C中ド ", u"C中レ ", u"C中ミ ", u"C中フ "});
    const std::vector<int> voices = {0, 63, 64, 127};
    for (size_t p = 0; p < voices.size(); ++p)
        ringtone.parts[p].voice = voices[p];
    const Bytes file = encodeQuietly(ringtone);
    const size_t events = 10 + (file[8] << 8 | file[9]) + 8 + 24;
    for (int p = 0; p < 4; ++p) {
        EXPECT_EQ(file[events + 4 * p + 3], p * 64 + voices[p] % 64);
        EXPECT_EQ(file[events + 16 + 4 * p + 3], p * 64 + (voices[p] < 64 ? 2 : 3));
    }
}

// Whatever the melody, the lengths in the file agree with its size.
void expectConsistentLengths(const Bytes& file) {
    ASSERT_GE(file.size(), 8u);
    EXPECT_EQ(static_cast<size_t>(file[4] << 24 | file[5] << 16 | file[6] << 8 | file[7]),
              file.size() - 8);
    const size_t trac = 10 + (file[8] << 8 | file[9]);
    EXPECT_EQ(std::string(file.begin() + trac, file.begin() + trac + 4), "trac");
    const size_t length = static_cast<size_t>(file[trac + 4] << 24 | file[trac + 5] << 16 |
                                              file[trac + 6] << 8 | file[trac + 7]);
    EXPECT_EQ(length, file.size() - trac - 8);
    EXPECT_EQ(Bytes(file.end() - 3, file.end()), (Bytes{0xFF, 0xDF, 0x00}));
}

TEST(EncodeMld, SizeLimit) {
    std::u16string melody;
    for (int i = 0; i < 200; ++i)
        melody += u"D中ド D中ミ ";
    const Ringtone ringtone = ringtoneOf({melody});
    struct Case {
        MldSizeLimit limit;
        size_t messages;
    };
    for (const Case& c : {Case{MldSizeLimit::Applied, 1}, Case{MldSizeLimit::Lifted, 0}}) {
        RecordingInteractive ui;
        const Bytes file = encodeMld(ringtone, c.limit, ui);
        expectConsistentLengths(file);
        ASSERT_EQ(ui.messages().size(), c.messages);
        if (c.limit == MldSizeLimit::Applied) {
            EXPECT_EQ(ui.messages()[0], u"送信サイズオーバーのため、途中まで送りますね。");
            // The last note event took the file past the limit; the end event follows.
            EXPECT_GT(file.size() - 4, kMldSizeLimit);
            EXPECT_LE(file.size() - 4 - 3, kMldSizeLimit);
        } else {
            EXPECT_EQ(noteEvents(file, 1).size(), 401u);
        }
    }
    // A melody that fits is never cut and says nothing.
    RecordingInteractive ui;
    encodeMld(ringtoneOf({u"C中ド D中レ "}), MldSizeLimit::Applied, ui);
    EXPECT_TRUE(ui.messages().empty());
}

TEST(EncodeMld, RandomMelodiesKeepTheirFrame) {
    std::mt19937 rng(20260105);
    for (int i = 0; i < 200; ++i) {
        std::vector<std::u16string> parts;
        for (int p = 0, n = 1 + static_cast<int>(rng() % 4); p < n; ++p)
            parts.push_back(randomFormatMelody(rng, 60, true));
        expectConsistentLengths(encodeQuietly(ringtoneOf(parts)));
        expectConsistentLengths(encodeQuietly(ringtoneOf(parts), MldSizeLimit::Applied));
    }
}

} // namespace
} // namespace sarvo::formats
