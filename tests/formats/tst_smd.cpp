#include "melodytimeline.h"
#include "mldtesting.h"

#include "common/base64.h"
#include "common/textcodec.h"
#include "formats/smd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sarvo::formats {
namespace {

const Bytes kStart = {0x1B, 0x24, 0x44};

Bytes join(std::initializer_list<Bytes> pieces) {
    Bytes all;
    for (const Bytes& piece : pieces)
        all.insert(all.end(), piece.begin(), piece.end());
    return all;
}

Bytes encoded(const Ringtone& ringtone) {
    const Converted<Bytes> result = encodeSmd(ringtone);
    EXPECT_TRUE(result.ok()) << toUtf8(result.error);
    return result.value;
}

// The stream of a one-part melody at 120 quarter notes per minute with an empty title.
Bytes partBytes(std::u16string melody) {
    return encoded(ringtoneOf({std::move(melody)}, 120, u""));
}

TEST(EncodeSmd, Notes) {
    struct Case {
        std::u16string melody;
        Bytes notes; // between the tempo code and the part end
    };
    const std::vector<Case> cases = {
        {u"C中ド ", {0x36}},
        {u"C.中レ ", {0x3E, 0x22, 0x3D}},
        {u"E低ド E高シ ", {0x21, 0x23, 0x34, 0x21, 0x24, 0x21, 0x22, 0x60}},
        {u"F ", {'&', 0x22, '&'}},
        {u"A中ド B.中ド B中ド D.中ド D中ド E中ド ",
         {0x37, 0x22, 0x37, 0x37, 0x22, 0x36, 0x37, 0x35, 0x22, 0x34, 0x35, 0x34}},
        {u"G. G H. H I. I J ",
         {'&', 0x22, '%', '&', '%', 0x22, '$', '%', '$', 0x22, '#', '$', '#'}},
        {u"2中ド 3中ド 5中ド 6中ド \\ ] _ ` ", {0x35, 0x34, 0x34, 0x34, '$', '#', '#', '#'}},
        {u"C中ド ^ ", {0x36, 0x22, '%'}},
        {u"C.中ド ^ ", {0x36, 0x22, 0x35, 0x22, '%', 0x22, '$'}},
        {u"A中ド ^ ", {0x37, 0x22, 0x37, 0x22, '&', 0x22, '&'}},
        {u"A.中ド ", {0x37, 0x22, 0x37, 0x22, 0x37}},
        {u"E低ド H E低レ E中ド ", {0x21, 0x23, 0x34, '%', 0x3C, 0x21, 0x24, 0x34}},
        {u"E低ソ# E低ラ E高フ E高フ# E中ド ",
         {0x21, 0x23, 0x54, 0x21, 0x24, 0x28, 0x78, 0x21, 0x22, 0x4C, 0x21, 0x24, 0x34}},
        {u"E高シ E低ド ", {0x21, 0x22, 0x60, 0x21, 0x24, 0x21, 0x23, 0x34}},
        {u"E中ミ# ", {'#'}}, // no such pitch: a rest
    };
    for (const Case& c : cases)
        EXPECT_EQ(byte2Str(partBytes(c.melody)),
                  byte2Str(join({kStart, {0x21, 0x2A}, c.notes, {0x0F}})))
            << toUtf8(c.melody);
}

TEST(EncodeSmd, TempoCodes) {
    struct Case {
        int tempo;
        std::u16string note;
        Bytes code;
    };
    const std::vector<Case> cases = {
        {1, u"C", {0x21, 0x2B}},   {100, u"C", {0x21, 0x2B}}, {201, u"D", {}},
        {101, u"C", {0x21, 0x2A}}, {120, u"C", {0x21, 0x2A}}, {241, u"D", {}},
        {121, u"C", {0x21, 0x28}}, {148, u"C", {0x21, 0x28}}, {149, u"C", {}},
        {80, u"C.", {0x21, 0x2A}}, {297, u"D", {}},           {296, u"D", {0x21, 0x28}},
    };
    for (const Case& c : cases) {
        Ringtone ringtone = ringtoneOf({u"C中ド "}, 100, u"");
        ringtone.tempo = *TempoUnit::fromTempo(c.tempo, c.note);
        EXPECT_EQ(byte2Str(encoded(ringtone)), byte2Str(join({kStart, c.code, {0x36, 0x0F}})))
            << c.tempo;
    }
}

TEST(EncodeSmd, TitleAndParts) {
    struct Case {
        std::u16string title;
        std::vector<std::u16string> parts;
        Bytes stream;
    };
    const Bytes tempo = {0x21, 0x2A};
    const std::vector<Case> cases = {
        {u"あ",
         {u"C中ド "},
         join({{0x1B, 0x24, 0x42, 0x24, 0x22, 0x1B, 0x28, 0x42}, kStart, tempo, {0x36, 0x0F}})},
        {u"abcdefghijk", {u""}, join({asciiBytes("abcdefghi"), kStart, tempo, {0x0F}})},
        {u"",
         {u"C中ド ", u"C中レ "},
         join({kStart, tempo, {0x36, 0x0F}, kStart, tempo, {0x3E, 0x0F}})},
        {u"", {u"", u"", u"", u"", u"C中ド "}, join({kStart, tempo, {0x0F}, kStart, tempo, {0x0F},
                                                     kStart, tempo, {0x0F}, kStart, tempo, {0x0F}})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(byte2Str(encoded(ringtoneOf(c.parts, 120, c.title))), byte2Str(c.stream))
            << toUtf8(c.title);
}

TEST(EncodeSmd, TitleThatJisCannotHoldIsRefused) {
    const Converted<Bytes> result = encodeSmd(ringtoneOf({u"C中ド "}, 120, u"ｱｲ"));
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.value.empty());
}

TEST(DecodeSmd, EncodedMelodiesComeBack) {
    struct Case {
        std::u16string melody;
        std::u16string decoded;
    };
    const std::vector<Case> cases = {
        {u"2中ド 3中ド 5中ド 6中ド \\ ] _ ` ", u"D中ド E中ド E中ド E中ド I J J J "},
        {u"C中ド ^ C.中レ ^ A中ミ ^ A.中ソ ", u"B中ド B.中レ A中ミ ^ A中ソ B中ソ "},
    };
    for (const Case& c : cases) {
        const DecodeResult result = decodeSmdBytes(partBytes(c.melody), 0);
        ASSERT_TRUE(result.part) << toUtf8(result.error);
        EXPECT_EQ(toUtf8(result.part->melody), toUtf8(c.decoded));
    }
}

TEST(DecodeSmd, StreamsOfOtherWriters) {
    struct Case {
        const char* name;
        Bytes stream;
        int part;
        std::u16string melody;
    };
    const std::vector<Case> cases = {
        {"a quarter and a sixteenth tied", join({kStart, {0x36, 0x22, 0x23, 0x0F}}), 0,
         u"C中ド E中ド "},
        {"an eighth and a quarter rest tied", join({kStart, {'%', 0x22, '$', 0x0F}}), 0, u"H. "},
        {"sums without a single length",
         join({kStart, {0x37, 0x22, 0x36, 0x22, 0x34, '&', 0x22, '&', 0x22, '#', 0x0F}}), 0,
         u"B.中ド E中ド F J "},
        {"a tie before anything", join({kStart, {0x22, 0x36, 0x0F}}), 0, u"C中ド "},
        {"pitch codes above the range fold down",
         join({kStart, {0x21, 0x22, 0x7C, 0x7E, 0x21, 0x23, 0x28, 0x0F}}), 0,
         u"E高フ# C高フ# E低ラ "},
        {"unknown bytes and commands are skipped",
         join({kStart, {0x00, 0x27, 0x80, 0x21, 0x40, 0x36, 0xFF, 0x0F}}), 0, u"C中ド "},
        {"a part without its end", join({kStart, {0x36}, kStart, {0x3E, 0x0F}}), 0, u"C中ド "},
        {"the second part", join({kStart, {0x36}, kStart, {0x3E, 0x0F}}), 1, u"C中レ "},
        {"the end stops the part", join({kStart, {0x36, 0x0F, 0x3E}}), 0, u"C中ド "},
    };
    for (const Case& c : cases) {
        const DecodeResult result = decodeSmdBytes(c.stream, c.part);
        ASSERT_TRUE(result.part) << c.name;
        EXPECT_EQ(toUtf8(result.part->melody), toUtf8(c.melody)) << c.name;
    }
}

TEST(DecodeSmd, TitleAndTempo) {
    struct Case {
        int tempo;
        std::optional<int> decoded;
    };
    for (const Case& c :
         std::vector<Case>{{90, 100}, {110, 120}, {130, 148}, {200, std::nullopt}}) {
        const Bytes stream = encoded(ringtoneOf({u"C中ド "}, c.tempo, u"着メロ１２３４５６７８"));
        const DecodeResult result = decodeSmdBytes(stream, 0);
        ASSERT_TRUE(result.part);
        EXPECT_EQ(result.part->title, u"着メロ１２３４５６");
        EXPECT_EQ(result.part->tempo, c.decoded);
        EXPECT_FALSE(result.part->voice.has_value());
    }
}

TEST(DecodeSmd, RefusesWhatHoldsNoMelody) {
    struct Case {
        const char* name;
        Bytes stream;
        int part;
    };
    const std::vector<Case> cases = {
        {"empty", {}, 0},
        {"no part start", asciiBytes("title only"), 0},
        {"empty part", join({kStart, {0x21, 0x2A, 0x0F}}), 0},
        {"missing part", join({kStart, {0x36, 0x0F}}), 1},
        {"negative part", join({kStart, {0x36, 0x0F}}), -1},
        {"cut start sequence", {0x1B, 0x24}, 0},
    };
    for (const Case& c : cases) {
        const DecodeResult result = decodeSmdBytes(c.stream, c.part);
        EXPECT_FALSE(result.part.has_value()) << c.name;
        EXPECT_FALSE(result.error.empty()) << c.name;
    }
}

TEST(DecodeSmd, MailAttachment) {
    const Bytes stream = encoded(ringtoneOf({u"C中ド ", u"D高ミ "}, 120, u"mail"));
    const DecodeResult result = decodeSmdMail(base64Encode(stream), 1);
    ASSERT_TRUE(result.part);
    EXPECT_EQ(result.part->melody, u"D高ミ ");
    EXPECT_EQ(result.part->title, u"mail");
    EXPECT_FALSE(decodeSmdMail(u"", 0).part.has_value());
}

// Without tuplets, whose lengths the format lacks, every random melody sounds the same after
// encoding and decoding, trailing rests included.
TEST(DecodeSmd, SeededRandomRoundTrips) {
    std::mt19937 rng(1999);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::u16string> parts;
        for (int p = 0, n = 1 + static_cast<int>(rng() % 4); p < n; ++p)
            parts.push_back(randomFormatMelody(rng, 50, false));
        const Bytes stream = encoded(ringtoneOf(parts));
        for (int p = 0; p < static_cast<int>(parts.size()); ++p) {
            SCOPED_TRACE(toUtf8(parts[p]));
            const DecodeResult result = decodeSmdBytes(stream, p);
            ASSERT_TRUE(result.part);
            const MelodyTimeline original = timelineOf(parts[p]);
            const MelodyTimeline decoded = timelineOf(result.part->melody);
            EXPECT_EQ(decoded.pitchAtTick, original.pitchAtTick);
            for (size_t onset : original.onsets)
                EXPECT_TRUE(decoded.onsets.contains(onset)) << onset;
        }
    }
}

} // namespace
} // namespace sarvo::formats
