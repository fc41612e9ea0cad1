#include "melodytimeline.h"
#include "mldtesting.h"

#include "common/textcodec.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace sarvo::formats {
namespace {

constexpr int kDo = 27; // 中ド
constexpr int kRe = 29;
constexpr int kMi = 31;

std::u16string decodedMelody(const Bytes& file, int part = 0) {
    const DecodeResult result = decodeMldBytes(file, part);
    EXPECT_TRUE(result.part.has_value()) << toUtf8(result.error);
    return result.part ? result.part->melody : u"(no melody)";
}

Bytes fileOf(Bytes track) {
    return MldFileBuilder().chunk("titl", asciiBytes("x")).track(std::move(track)).build();
}

TEST(DecodeMld, EveryLengthComesBack) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"5中ド 5中レ# ", u"3中ド 3中レ# "},
        {u"C中ド \\ C中ド ] C中ド _ C中ド ` C中ド ", u"C中ド \\ C中ド ] C中ド ] C中ド ` C中ド "},
        {u"C中ド ^ ^ D中レ ^ ", u"B.中ド C中レ "},
        {u"A.中ド ", u"A中ド B中ド "},
        {u"A中ド ^ ^ ^ ", u"A中ド A中ド A中ド A中ド "},
        {u"H C中ド H ", u"H C中ド "}, // what follows the last note is not stored
        // A dotted sixteenth has no length code: a shorter note and a rest, the next in time.
        {u"E.中ド E.中レ C中ミ ", u"6中ド ` 6中レ J C中ミ "},
    };
    for (const auto& [melody, decoded] : cases)
        EXPECT_EQ(toUtf8(decodedMelody(encodeQuietly(ringtoneOf({melody})))), toUtf8(decoded));
}

// Voices on both sides of a bank, a tempo of dotted quarters and the highest tempo byte.
TEST(DecodeMld, TitleTempoAndVoiceOfEachPart) {
    Ringtone ringtone = ringtoneOf({u"C中ド ", u"C中レ ", u"C中ミ ", u"C中フ "}, 100, u"着メロ♪");
    ringtone.tempo = *TempoUnit::fromTempo(90, u"C.");
    const std::vector<int> voices = {0, 63, 64, 127};
    for (size_t p = 0; p < voices.size(); ++p)
        ringtone.parts[p].voice = voices[p];
    const Bytes file = encodeQuietly(ringtone);
    for (int p = 0; p < 4; ++p) {
        const DecodeResult result = decodeMldBytes(file, p);
        ASSERT_TRUE(result.part);
        EXPECT_EQ(result.part->title, u"着メロ♪");
        EXPECT_EQ(result.part->tempo, 135);
        EXPECT_EQ(result.part->voice, voices[p]);
        EXPECT_EQ(result.part->melody, ringtone.parts[p].melody);
    }
    EXPECT_EQ(mldParts(file), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(decodeMldBytes(encodeQuietly(ringtoneOf({u"C中ド "}, 400)), 0).part->tempo, 255);
}

// What the decoder reads of files other tools wrote, and what it refuses.
TEST(DecodeMld, FilesOfOtherTools) {
    struct Case {
        const char* name;
        Bytes file;
        int part;
        std::optional<std::u16string> melody; // nullopt: refused
    };
    const Bytes oneNote = encodeQuietly(ringtoneOf({u"C中ド "}));
    // Cue, loop, no-op, unknown and long extension events before the note.
    Bytes skipped = events({{0, 0xFF, 0xC3, 120}, {0, 0xFF, 0xD0, 0}, {0, 0xFF, 0xDD, 0},
                            {0, 0xFF, 0xDE, 0}, {0, 0xFF, 0xB0, 5}, {0, 0xFF, 0xE2, 0x3F},
                            {0x00, 0xFF, 0xF0, 20000 >> 8, 20000 & 0xFF}});
    for (int i = 0; i < 20000; ++i)
        skipped.push_back(i % 3 == 1 ? kDo : (i % 3 == 2 ? 48 : 0));
    const Bytes tail = events({{0, kDo, 48}, {48, 0xFF, 0xDF, 0}});
    skipped.insert(skipped.end(), tail.begin(), tail.end());
    Bytes cut = fileOf(events({{0, kDo, 48}, {48, kRe, 48}}));
    cut.resize(cut.size() - 2);

    // clang-format off
    const std::vector<Case> cases = {
        {"unknown header chunks",
         MldFileBuilder().chunk("sorc", {0}).chunk("titl", asciiBytes("song"))
             .chunk("vers", asciiBytes("0300")).chunk("date", asciiBytes("20001224"))
             .chunk("copy", asciiBytes("(c)")).chunk("prot", {0, 0}).chunk("exst", {1, 2, 3})
             .chunk("cuep", {0, 0, 0, 0})
             .track(events({{0, 0xFF, 0xC3, 120}, {0, kDo, 48}, {48, kRe, 48}, {48, 0xFF, 0xDF, 0}}))
             .build(),
         0, u"C中ド C中レ "},
        {"four-byte note events with octave shifts",
         MldFileBuilder().chunk("note", {0, 1})
             .track(events({{0, kDo, 48, 40 << 2}, {48, kDo, 48, 40 << 2 | 1}, {48, kDo + 12, 48, 63 << 2 | 2},
                            {48, kDo + 12, 48, 3}, {48, 0xFF, 0xDF, 0}})).build(),
         0, u"C中ド C高ド C低ド C中ド "},
        {"timebase 15", fileOf(events({{0, 0xFF, 0xC8, 120}, {0, kDo, 15}, {15, kRe, 30}})), 0, u"C中ド B中レ "},
        {"timebase 384", fileOf(events({{0, 0xFF, 0xC6, 120}, {0, kDo, 192}, {192, kRe, 192}})), 0, u"D中ド D中レ "},
        {"timebase 6 makes long notes", fileOf(events({{0, 0xFF, 0xC0, 120}, {0, kDo, 48}})), 0, u"A中ド ^ "},
        {"timebase changed in the middle", fileOf(events({{0, kDo, 48}, {48, 0xFF, 0xC4, 120}, {0, kRe, 48}})), 0, u"C中ド D中レ "},
        {"cue, loop, no-op, unknown and extension events", fileOf(skipped), 0, u"C中ド "},
        {"nothing after the end event", fileOf(events({{0, kDo, 48}, {48, 0xFF, 0xDF, 0}, {0, kRe, 48}})), 0, u"C中ド "},
        {"a second track holds parts 4 to 7",
         MldFileBuilder().track(events({{0, kDo, 48}})).track(events({{0, 0xFF, 0xE0, 5}, {0, kMi, 96}})).build(), 4, u"B中ミ "},
        {"a chord in one channel keeps its highest note",
         fileOf(events({{0, kDo, 48}, {0, kMi, 48}, {0, kRe, 48}, {48, kDo, 48}})), 0, u"C中ミ C中ド "},
        {"a note still sounding is cut by the next", fileOf(events({{0, kDo, 96}, {48, kRe, 48}})), 0, u"C中ド C中レ "},
        {"keys outside the range move by octaves",
         fileOf(events({{0, 10, 48}, {48, 55, 48}, {48, 0, 48}, {48, 62, 48}})), 0, u"C低ソ C高ミ C低ラ C高シ "},
        {"a gate between lengths keeps the time", fileOf(events({{0, kDo, 60}, {60, kRe, 48}})), 0, u"C中ド J C中レ "},
        {"channel bits choose the part", fileOf(events({{0, 128 + kDo, 48}, {0, kRe, 24}})), 2, u"C中ド "},
        {"track length past the end of the file", cut, 0, u"C中ド "},
        {"empty", {}, 0, {}},
        {"another format", Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 0x60}, 0, {}},
        {"magic only", asciiBytes("melo"), 0, {}},
        {"no notes", encodeQuietly(ringtoneOf({u"H H "})), 0, {}},
        {"part without notes", oneNote, 1, {}},
        {"negative part", oneNote, -1, {}},
        {"no track chunk", MldFileBuilder().trackChunkTag("TRAC").track(events({{0, kDo, 48}})).build(), 0, {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const DecodeResult result = decodeMldBytes(c.file, c.part);
        EXPECT_EQ(result.error.empty(), c.melody.has_value()) << c.name;
        EXPECT_EQ(result.part ? toUtf8(result.part->melody) : "-", c.melody ? toUtf8(*c.melody) : "-")
            << c.name;
    }
}

TEST(DecodeMld, VoiceAndTempoOfOtherTools) {
    const Bytes file = MldFileBuilder()
                           .chunk("titl", asciiBytes(*toCp932(u"春の歌")))
                           .track(events({{0, 0xFF, 0xC4, 90}, {0, 0xFF, 0xE1, 0x40 | 3},
                                          {0, 0xFF, 0xE0, 0x40 | 10}, {0, kDo, 48},
                                          {0, 0x40 | kRe, 48}, {48, 0xFF, 0xC3, 150}}))
                           .build();
    const DecodeResult part1 = decodeMldBytes(file, 1);
    ASSERT_TRUE(part1.part);
    EXPECT_EQ(part1.part->title, u"春の歌");
    EXPECT_EQ(part1.part->tempo, 90); // the tempo the song starts with
    EXPECT_EQ(part1.part->voice, 74);
    EXPECT_FALSE(decodeMldBytes(file, 0).part->voice.has_value());
}

TEST(DecodeMld, CutFilesGiveTheStartOfTheMelody) {
    const Bytes file = encodeQuietly(
        ringtoneOf({u"C中ド D中レ H E中ミ A.中ソ ", u"B低ド ^ C低レ 3高ミ 3高フ 3高ソ "}));
    for (int part = 0; part < 2; ++part) {
        MelodyTimeline full = timelineOf(decodedMelody(file, part));
        for (size_t size = 0; size < file.size(); ++size) {
            const DecodeResult cut = decodeMldBytes(Bytes(file.begin(), file.begin() + size), part);
            if (!cut.part)
                continue;
            MelodyTimeline start = timelineOf(cut.part->melody);
            start.trimSilence();
            ASSERT_LE(start.pitchAtTick.size(), full.pitchAtTick.size()) << size;
            EXPECT_TRUE(std::equal(start.pitchAtTick.begin(), start.pitchAtTick.end(),
                                   full.pitchAtTick.begin()))
                << size;
        }
    }
}

// Encoding and decoding random melodies gives back what they sound like: without ties exactly;
// with ties every note starts where it did and sounds its pitch, a tied note whose length is no
// single length code possibly shorter and followed by silence.
TEST(DecodeMld, SeededRandomRoundTrips) {
    std::mt19937 rng(5202);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::u16string> parts;
        for (int p = 0, n = 1 + static_cast<int>(rng() % 4); p < n; ++p)
            parts.push_back(randomFormatMelody(rng, 50, true));
        const Bytes file = encodeQuietly(ringtoneOf(parts));
        expectConsistentLengths(file);
        expectConsistentLengths(encodeQuietly(ringtoneOf(parts), MldSizeLimit::Applied));
        for (int p = 0; p < static_cast<int>(parts.size()); ++p) {
            MelodyTimeline original = timelineOf(parts[p]);
            original.trimSilence();
            if (original.pitchAtTick.empty()) {
                EXPECT_FALSE(decodeMldBytes(file, p).part.has_value());
                continue;
            }
            MelodyTimeline decoded = timelineOf(decodedMelody(file, p));
            decoded.trimSilence();
            const bool tied = parts[p].find(u'^') != std::u16string::npos;
            SCOPED_TRACE(toUtf8(parts[p]));
            for (size_t onset : original.onsets)
                EXPECT_TRUE(decoded.onsets.contains(onset)) << onset;
            if (!tied) {
                EXPECT_EQ(decoded.pitchAtTick, original.pitchAtTick);
                continue;
            }
            ASSERT_LE(decoded.pitchAtTick.size(), original.pitchAtTick.size());
            for (size_t t = 0; t < decoded.pitchAtTick.size(); ++t)
                ASSERT_TRUE(decoded.pitchAtTick[t] == original.pitchAtTick[t] ||
                            decoded.pitchAtTick[t] < 0)
                    << t;
        }
    }
}

} // namespace
} // namespace sarvo::formats
