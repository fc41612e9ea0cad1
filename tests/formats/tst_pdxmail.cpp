#include "formats/pdxmail.h"

#include "common/base64.h"
#include "melodytimeline.h"
#include "mldtesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace sarvo::formats {
namespace {

Ringtone ringtoneAt(std::u16string melody, TempoUnit tempo, std::u16string title = u"ab") {
    Ringtone ringtone = ringtoneOf({std::move(melody)}, 120, std::move(title));
    ringtone.tempo = tempo;
    return ringtone;
}

TempoUnit tempoOf(int tempo, std::u16string_view note) {
    return *TempoUnit::fromTempo(tempo, note);
}

std::u16string repeated(std::u16string_view token, int times) {
    std::u16string text;
    for (int i = 0; i < times; ++i)
        text += token;
    return text;
}

// [GIVEN] two quarter notes 中ド 中レ at tempo 120 and the title "ab".
TEST(PdxGolden, TwoQuarterNotes) {
    const Ringtone ringtone = ringtoneAt(u"C中ド C中レ ", TempoUnit::quarterNotes(120));
    EXPECT_EQ(encodePdxMelody(ringtone),
              (Bytes{0xE1, 0xF0, 0x61, 0x62, 0xFD, 0xF1, 0x78, 0xC4, 0x33, 0xC4, 0x35, 0xFF}));
    const auto codes = encodePdxCodes(ringtone);
    ASSERT_TRUE(codes.ok());
    EXPECT_EQ(codes.value, (Bytes{0x04, 0x84, 0x08, 0x09, 0xFF}));
}

struct StreamCase {
    std::u16string melody;
    Bytes notes; // the melody stream after the tempo byte
    Bytes codes; // the short code stream after the tempo code
};

class PdxStreamTest : public ::testing::TestWithParam<StreamCase> {};

TEST_P(PdxStreamTest, WritesBothStreams) {
    const StreamCase& c = GetParam();
    const Ringtone ringtone = ringtoneAt(c.melody, TempoUnit::quarterNotes(120), u"");
    Bytes melodyStream = {0xE1, 0xF0, 0xFD, 0xF1, 120};
    melodyStream.insert(melodyStream.end(), c.notes.begin(), c.notes.end());
    melodyStream.push_back(0xFF);
    EXPECT_EQ(encodePdxMelody(ringtone), melodyStream);
    Bytes codeStream = {0x04};
    codeStream.insert(codeStream.end(), c.codes.begin(), c.codes.end());
    codeStream.push_back(0xFF);
    const auto codes = encodePdxCodes(ringtone);
    ASSERT_TRUE(codes.ok());
    EXPECT_EQ(codes.value, codeStream);
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, PdxStreamTest,
    ::testing::Values(
        StreamCase{u"C中ド# ", {0xC4, 0x34}, {0x84, 0x48}}, StreamCase{u"", {}, {}},
        // Lowest and highest pitch; a rest has pitch code 0 and note byte 0.
        StreamCase{
            u"E低ド E高シ J ", {0xC9, 0x27, 0xC9, 0x4A, 0xC9, 0x00}, {0x88, 0x01, 0x15, 0x00}},
        // A rest takes the length of its note code, so the length byte is not repeated.
        StreamCase{u"A中ミ F ", {0xC0, 0x37, 0xC0, 0x00}, {0x80, 0x0A, 0x00}},
        // A dotted length is written again for every note, and so is the plain one after it.
        StreamCase{u"B.中ソ B.中ラ# B中シ B中ド ",
                   {0xC1, 0x3A, 0xC1, 0x3D, 0xC2, 0x3E, 0xC2, 0x33},
                   {0x81, 0x0C, 0x81, 0x4D, 0x82, 0x0E, 0x08}},
        StreamCase{u"C.低レ# D.高フ G. ",
                   {0xC3, 0x2A, 0xC5, 0x44, 0xC1, 0x00},
                   {0x83, 0x42, 0x85, 0x12, 0x81, 0x00}},
        // Tuplets: the melody stream has codes for 3 and 6 only.
        StreamCase{u"3中ド 3中レ 3中ミ 6中ド ",
                   {0xC7, 0x33, 0xC7, 0x35, 0xC7, 0x37, 0xC8, 0x33},
                   {0xC4, 0x08, 0x09, 0x0A, 0xC6, 0x08}},
        // A quarter triplet is two eighth triplets long, a quarter sextuplet one.
        StreamCase{u"2中ド 5中レ ", {0xC7, 0x33, 0xC7, 0x33, 0xC7, 0x35}, {0xC0, 0x08, 0xC2, 0x09}},
        // A dotted whole is a whole and a half; a dotted sixteenth the nearest length, 3.
        StreamCase{
            u"A.中ド E.中レ ", {0xC0, 0x33, 0xC2, 0x33, 0xC7, 0x35}, {0x7F, 0x08, 0x87, 0x09}},
        // Each tie repeats the note, in both streams.
        StreamCase{u"C中ド ^ ^ D.中レ ^ ",
                   {0xC4, 0x33, 0xC4, 0x33, 0xC4, 0x33, 0xC5, 0x35, 0xC5, 0x35},
                   {0x84, 0x08, 0x08, 0x08, 0x85, 0x09, 0x85, 0x09}},
        // A tie with no note before it adds nothing.
        StreamCase{u"^ C中ド ", {0xC4, 0x33}, {0x84, 0x08}}));

struct TempoCase {
    int tempo;
    std::u16string_view note;
    uint8_t melodyTempo; // quarter notes per minute, rounded
    uint8_t tempoCode;
};

class PdxTempoTest : public ::testing::TestWithParam<TempoCase> {};

TEST_P(PdxTempoTest, TempoByteAndCode) {
    const TempoCase& c = GetParam();
    const Ringtone ringtone = ringtoneAt(u"C中ド ", tempoOf(c.tempo, c.note), u"");
    EXPECT_EQ(encodePdxMelody(ringtone).at(4), c.melodyTempo);
    EXPECT_EQ(encodePdxCodes(ringtone).value.at(0), c.tempoCode);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, PdxTempoTest,
    ::testing::Values(TempoCase{65, u"C", 65, 0}, TempoCase{66, u"C", 66, 1},
                      TempoCase{131, u"D", 66, 5}, // 65.5 lies between two ranges
                      TempoCase{75, u"C", 75, 1}, TempoCase{76, u"C", 76, 2},
                      TempoCase{85, u"C", 85, 2}, TempoCase{86, u"C", 86, 3},
                      TempoCase{105, u"C", 105, 3}, TempoCase{106, u"C", 106, 4},
                      TempoCase{140, u"C", 140, 4}, TempoCase{141, u"C", 141, 5},
                      TempoCase{80, u"C.", 120, 4}, // 80 dotted quarters are 120 quarters
                      TempoCase{200, u"B", 255, 5}  // 400 quarters: the byte holds 255
                      ));

TEST(PdxCodes, TupletRestEndsTheStreamWithoutItsEnd) {
    for (std::u16string_view rest : {u"\\", u"]", u"_", u"`"}) {
        const std::u16string melody = u"C中ド " + std::u16string(rest) + u" C中レ ";
        const auto codes = encodePdxCodes(ringtoneAt(melody, TempoUnit::quarterNotes(120)));
        EXPECT_FALSE(codes.ok());
        EXPECT_NE(codes.error.find(rest), std::u16string::npos);
        EXPECT_EQ(codes.value, (Bytes{0x04, 0x84, 0x08}));
    }
}

TEST(PdxMelodyStream, LastTwoBytesOfEveryBlockAreFillers) {
    std::mt19937 rng(55);
    for (int round = 0; round < 20; ++round) {
        const std::u16string title = repeated(u"x", static_cast<int>(rng() % 5));
        const std::u16string melody = repeated(u"D中ソ ", 100 + static_cast<int>(rng() % 400));
        const Bytes stream =
            encodePdxMelody(ringtoneAt(melody, TempoUnit::quarterNotes(120), title));
        Bytes unfilled;
        for (size_t i = 0; i < stream.size(); ++i) {
            const bool blockEnd = i % 256 >= 254;
            EXPECT_EQ(stream[i] == 0xA1, blockEnd) << i;
            if (!blockEnd)
                unfilled.push_back(stream[i]);
        }
        // Without the fillers: the header, one pair per note and the end byte.
        EXPECT_EQ(unfilled.size(), 4 + title.size() + 1 + 2 * readTokens(melody).size() + 1);
        EXPECT_EQ(unfilled.back(), 0xFF);
        const auto decoded = decodePdxMelodyBytes(stream);
        ASSERT_TRUE(decoded.part);
        EXPECT_EQ(decoded.part->melody, melody);
    }
}

TEST(PdxDecode, TitleInCodePage932AndTempoByte) {
    const Ringtone ringtone = ringtoneAt(u"C中ド ", TempoUnit::quarterNotes(96), u"着メロ ｱｲ");
    const auto decoded = decodePdxMelodyBytes(encodePdxMelody(ringtone));
    ASSERT_TRUE(decoded.part);
    EXPECT_EQ(decoded.part->title, u"着メロ ｱｲ");
    EXPECT_EQ(decoded.part->tempo, 96);
}

struct CodesDecodeCase {
    Bytes bytes;
    std::optional<int> tempo;
    std::u16string melody;
};

class PdxCodesDecodeTest : public ::testing::TestWithParam<CodesDecodeCase> {};

TEST_P(PdxCodesDecodeTest, ReadsWhatItCan) {
    const CodesDecodeCase& c = GetParam();
    const auto decoded = decodePdxCodesBytes(c.bytes);
    ASSERT_TRUE(decoded.part);
    EXPECT_EQ(decoded.part->tempo, c.tempo);
    EXPECT_EQ(decoded.part->melody, c.melody);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, PdxCodesDecodeTest,
    ::testing::Values(
        CodesDecodeCase{{0x00, 0x80, 0x01}, 60, u"A低ド "}, // no end byte
        // A sharp on シ or ミ is the next white key; above 高シ the note comes down an octave.
        CodesDecodeCase{{0x05, 0xC2, 0x00, 0xC0, 0x55, 0xFF}, 160, u"_ 2高ド "},
        CodesDecodeCase{{0x03, 0x47, 0x43}, 100, u"C中ド C低フ "}, // quarters before any length
        CodesDecodeCase{{0x07, 0x88, 0x16, 0x3F, 0x90, 0x08, 0xFF, 0x09}, std::nullopt, u"E中ド "},
        CodesDecodeCase{{0x01, 0x84, 0x15, 0x01}, 70, u"C高シ C低ド "}));

TEST(PdxDecode, RefusesStreamsWithoutNotes) {
    const Bytes melodyStreams[] = {{},
                                   {0xE1},
                                   {0xE1, 0xF0, 0x61},
                                   {0xE1, 0xF0, 0xFD, 0xF1},
                                   {0xE1, 0xF0, 0xFD, 0xF1, 0x78, 0xFF, 0xC4, 0x33},
                                   {0xE1, 0xF0, 0xFD, 0xF1, 0x78, 0xC4},
                                   {0xE1, 0xF0, 0xFD, 0xF1, 0x78, 0xC4, 0x26, 0xC4, 0x4B, 0xFF},
                                   {0xF0, 0xE1, 0xFD, 0xF1, 0x78, 0xC4, 0x33, 0xFF}};
    for (const Bytes& bytes : melodyStreams) {
        const auto decoded = decodePdxMelodyBytes(bytes);
        EXPECT_FALSE(decoded.part);
        EXPECT_FALSE(decoded.error.empty());
    }
    const Bytes codeStreams[] = {{}, {0x04}, {0x04, 0xFF, 0x08}, {0x04, 0x84, 0x56, 0x80, 0xFF}};
    for (const Bytes& bytes : codeStreams) {
        const auto decoded = decodePdxCodesBytes(bytes);
        EXPECT_FALSE(decoded.part);
        EXPECT_FALSE(decoded.error.empty());
    }
}

TEST(PdxDecode, MelodyStreamSkipsBytesItDoesNotKnow) {
    // An unknown byte before a length code, a note with an unknown pitch code, fillers anywhere.
    const auto decoded = decodePdxMelodyBytes(
        {0xE1, 0xF0, 0xFD, 0xF1, 0x00, 0x10, 0xC4, 0x33, 0xA1, 0xC6, 0x99, 0xC8, 0xA1, 0x00});
    ASSERT_TRUE(decoded.part);
    EXPECT_EQ(decoded.part->tempo, std::nullopt);
    EXPECT_EQ(decoded.part->melody, u"C中ド ` ");
}

TEST(PdxDecode, TextThatIsNoBase64ShowsTheMessage) {
    using Decoder = DecodeResult (*)(std::u16string_view, IInteractive&);
    for (Decoder decode : {Decoder(&decodePdxMelody), Decoder(&decodePdxCodes)}) {
        for (std::u16string_view text : {u"", u"\r\n", u"==AB", u"Q"}) {
            RecordingInteractive ui;
            const auto decoded = decode(text, ui);
            EXPECT_FALSE(decoded.part);
            ASSERT_EQ(ui.messages().size(), 1u);
            EXPECT_EQ(ui.messages()[0], u"曲データの Base64デコードに失敗したぁ・・・");
        }
    }
}

TEST(PdxDecode, MailAttachmentsDecodeAsTheirBytes) {
    const Ringtone ringtone = ringtoneAt(u"C中ド D.低ラ# H B高ミ ", TempoUnit::quarterNotes(100));
    RecordingInteractive ui;
    const auto melody = decodePdxMelody(base64Encode(encodePdxMelody(ringtone)), ui);
    const auto codes = decodePdxCodes(base64Encode(encodePdxCodes(ringtone).value), ui);
    ASSERT_TRUE(melody.part);
    ASSERT_TRUE(codes.part);
    EXPECT_EQ(melody.part->melody, ringtone.parts[0].melody);
    EXPECT_EQ(codes.part->melody, ringtone.parts[0].melody);
    EXPECT_EQ(codes.part->tempo, 100);
    EXPECT_TRUE(ui.messages().empty());
}

bool hasTupletRest(std::u16string_view melody) {
    return std::any_of(melody.begin(), melody.end(), [](char16_t c) {
        return c == u'\\' || c == u']' || c == u'_' || c == u'`';
    });
}

TEST(PdxRoundTrip, RandomMelodiesSoundTheSame) {
    std::mt19937 rng(1998);
    int codesDecoded = 0;
    for (int round = 0; round < 400; ++round) {
        const std::u16string melody = randomFormatMelody(rng, 60, round % 2 == 0);
        const Ringtone ringtone = ringtoneAt(melody, TempoUnit::quarterNotes(120));
        const MelodyTimeline original = timelineOf(melody);

        const auto viaMelody = decodePdxMelodyBytes(encodePdxMelody(ringtone));
        ASSERT_TRUE(viaMelody.part);
        const MelodyTimeline melodyBack = timelineOf(viaMelody.part->melody);
        // Every tick sounds the same pitch; ties and split lengths only add onsets.
        EXPECT_EQ(melodyBack.pitchAtTick, original.pitchAtTick) << round;
        EXPECT_TRUE(std::includes(melodyBack.onsets.begin(), melodyBack.onsets.end(),
                                  original.onsets.begin(), original.onsets.end()));

        const auto codes = encodePdxCodes(ringtone);
        if (hasTupletRest(melody)) {
            EXPECT_FALSE(codes.ok());
            continue;
        }
        ASSERT_TRUE(codes.ok());
        const auto viaCodes = decodePdxCodesBytes(codes.value);
        ASSERT_TRUE(viaCodes.part);
        EXPECT_EQ(timelineOf(viaCodes.part->melody).pitchAtTick, original.pitchAtTick) << round;
        // The short codes have every length of the melody: only the ties become repeats.
        size_t notes = 0;
        for (const melody::Note& note : readTokens(melody))
            notes += note.tieCount + 1u;
        EXPECT_EQ(readTokens(viaCodes.part->melody).size(), notes);
        ++codesDecoded;
    }
    EXPECT_GT(codesDecoded, 200);
}

} // namespace
} // namespace sarvo::formats
