#include "melodytimeline.h"
#include "mldtesting.h"

#include "common/textcodec.h"
#include "formats/smd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sarvo::formats {
namespace {

const Bytes kStart = {0x1B, 0x24, 0x44};
const Bytes kTempo = {0x21, 0x2A}; // 101 to 120 quarter notes per minute

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

TEST(EncodeSmd, Notes) {
    struct Case {
        std::u16string melody;
        Bytes notes; // between the tempo code and the part end
    };
    // clang-format off
    const Case cases[] = {
        {u"C.中レ ", {0x3E, 0x22, 0x3D}}, // a dotted length is a tie to the half length
        {u"E低ド E高シ ", {0x21, 0x23, 0x34, 0x21, 0x24, 0x21, 0x22, 0x60}}, // registers
        {u"A.中ド G. F ", {0x37, 0x22, 0x37, 0x22, 0x37, '&', 0x22, '%', '&', 0x22, '&'}},
        {u"2中ド 6中ド \\ ` ", {0x35, 0x34, '$', '#'}}, // tuplets: the plain length they stand for
        {u"C.中ド ^ ", {0x36, 0x22, 0x35, 0x22, '%', 0x22, '$'}}, // ties keep the dotted length
        {u"A中ド ^ ", {0x37, 0x22, 0x37, 0x22, '&', 0x22, '&'}},
        {u"E低ド H E低レ E中ド ", {0x21, 0x23, 0x34, '%', 0x3C, 0x21, 0x24, 0x34}},
        {u"E中ミ# ", {'#'}}, // no such pitch: a rest
    };
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(byte2Str(encoded(ringtoneOf({c.melody}, 120, u""))),
                  byte2Str(join({kStart, kTempo, c.notes, {0x0F}})))
            << toUtf8(c.melody);
}

// The ends of the tempo codes' ranges, no code past the last one; the title before the first
// part, in JIS, cut to nine bytes; one part start for each of at most four parts.
TEST(EncodeSmd, TempoTitleAndParts) {
    struct Case {
        int tempo;
        std::u16string note;
        Bytes code;
    };
    // clang-format off
    for (const Case& c : {Case{1, u"C", {0x21, 0x2B}}, Case{100, u"C", {0x21, 0x2B}},
                          Case{101, u"C", {0x21, 0x2A}}, Case{148, u"C", {0x21, 0x28}},
                          Case{149, u"C", {}}, Case{80, u"C.", {0x21, 0x2A}}, Case{297, u"D", {}},
                          Case{296, u"D", {0x21, 0x28}}}) {
        // clang-format on
        Ringtone ringtone = ringtoneOf({u"C中ド "}, 100, u"");
        ringtone.tempo = *TempoUnit::fromTempo(c.tempo, c.note);
        EXPECT_EQ(encoded(ringtone), join({kStart, c.code, {0x36, 0x0F}})) << c.tempo;
    }
    EXPECT_EQ(encoded(ringtoneOf({u"C中ド "}, 120, u"あ")),
              join({{0x1B, 0x24, 0x42, 0x24, 0x22, 0x1B, 0x28, 0x42}, kStart, kTempo, {0x36, 0x0F}}));
    EXPECT_EQ(encoded(ringtoneOf({u""}, 120, u"abcdefghijk")),
              join({asciiBytes("abcdefghi"), kStart, kTempo, {0x0F}}));
    const Bytes empty = join({kStart, kTempo, {0x0F}});
    EXPECT_EQ(encoded(ringtoneOf({u"", u"", u"", u"", u"C中ド "}, 120, u"")),
              join({empty, empty, empty, empty}));
    const Converted<Bytes> refused = encodeSmd(ringtoneOf({u"C中ド "}, 120, u"ｱｲ"));
    EXPECT_FALSE(refused.ok()); // a title JIS cannot hold
    EXPECT_TRUE(refused.value.empty());
}

// What the decoder reads of streams this and other writers made, and what it refuses.
TEST(DecodeSmd, StreamsOfThisAndOtherWriters) {
    struct Case {
        const char* name;
        Bytes stream;
        int part;
        std::optional<std::u16string> melody; // nullopt: refused
    };
    const auto ours = [](std::u16string melody) { return encoded(ringtoneOf({melody}, 120, u"")); };
    // clang-format off
    const Case cases[] = {
        {"tuplets as plain lengths", ours(u"2中ド 3中ド 5中ド 6中ド \\ ] _ ` "), 0, u"D中ド E中ド E中ド E中ド I J J J "},
        {"tied sums as single lengths", ours(u"C中ド ^ C.中レ ^ A中ミ ^ A.中ソ "), 0, u"B中ド B.中レ A中ミ ^ A中ソ B中ソ "},
        {"a quarter and a sixteenth tied", join({kStart, {0x36, 0x22, 0x23, 0x0F}}), 0, u"C中ド E中ド "},
        {"an eighth and a quarter rest tied", join({kStart, {'%', 0x22, '$', 0x0F}}), 0, u"H. "},
        {"sums without a single length",
         join({kStart, {0x37, 0x22, 0x36, 0x22, 0x34, '&', 0x22, '&', 0x22, '#', 0x0F}}), 0, u"B.中ド E中ド F J "},
        {"a tie before anything", join({kStart, {0x22, 0x36, 0x0F}}), 0, u"C中ド "},
        {"pitch codes above the range fold down",
         join({kStart, {0x21, 0x22, 0x7C, 0x7E, 0x21, 0x23, 0x28, 0x0F}}), 0, u"E高フ# C高フ# E低ラ "},
        {"unknown bytes and commands are skipped",
         join({kStart, {0x00, 0x27, 0x80, 0x21, 0x40, 0x36, 0xFF, 0x0F}}), 0, u"C中ド "},
        {"a part without its end", join({kStart, {0x36}, kStart, {0x3E, 0x0F}}), 0, u"C中ド "},
        {"the second part", join({kStart, {0x36}, kStart, {0x3E, 0x0F}}), 1, u"C中レ "},
        {"the end stops the part", join({kStart, {0x36, 0x0F, 0x3E}}), 0, u"C中ド "},
        {"empty", {}, 0, {}},
        {"no part start", asciiBytes("title only"), 0, {}},
        {"empty part", join({kStart, kTempo, {0x0F}}), 0, {}},
        {"missing part", join({kStart, {0x36, 0x0F}}), 1, {}},
        {"negative part", join({kStart, {0x36, 0x0F}}), -1, {}},
        {"cut start sequence", {0x1B, 0x24}, 0, {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const DecodeResult result = decodeSmdBytes(c.stream, c.part);
        EXPECT_EQ(result.error.empty(), c.melody.has_value()) << c.name;
        EXPECT_EQ(result.part ? toUtf8(result.part->melody) : "-", c.melody ? toUtf8(*c.melody) : "-")
            << c.name;
    }
}

// The title cut to what the encoder wrote, the tempo as the code's range says, no voice.
TEST(DecodeSmd, TitleAndTempo) {
    for (auto [tempo, decoded] :
         {std::pair{90, std::optional(100)}, {130, std::optional(148)}, {200, std::nullopt}}) {
        const Bytes stream = encoded(ringtoneOf({u"C中ド "}, tempo, u"着メロ１２３４５６７８"));
        const DecodeResult result = decodeSmdBytes(stream, 0);
        ASSERT_TRUE(result.part);
        EXPECT_EQ(result.part->title, u"着メロ１２３４５６");
        EXPECT_EQ(result.part->tempo, decoded);
        EXPECT_FALSE(result.part->voice.has_value());
    }
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
