#include "formats/pdxmail.h"
#include "formats/smd.h"

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

// [GIVEN] two quarter notes 中ド 中レ at tempo 120 and the title "ab".
TEST(PdxGolden, TwoQuarterNotes) {
    const Ringtone ringtone = ringtoneAt(u"C中ド C中レ ", TempoUnit::quarterNotes(120));
    EXPECT_EQ(encodePdxMelody(ringtone),
              (Bytes{0xE1, 0xF0, 0x61, 0x62, 0xFD, 0xF1, 0x78, 0xC4, 0x33, 0xC4, 0x35, 0xFF}));
    const auto codes = encodePdxCodes(ringtone);
    ASSERT_TRUE(codes.ok());
    EXPECT_EQ(codes.value, (Bytes{0x04, 0x84, 0x08, 0x09, 0xFF}));
}

// Lengths written again after a dotted one, rests that take their note's length, tuplets the
// melody stream writes as eighth tuplets, the nearest length for what has none, ties as repeats.
TEST(PdxEncode, BothStreams) {
    struct Case {
        std::u16string melody;
        Bytes notes; // the melody stream after the tempo byte
        Bytes codes; // the short code stream after the tempo code
    };
    // clang-format off
    const Case cases[] = {
        {u"", {}, {}},
        {u"E低ド E高シ J ", {0xC9, 0x27, 0xC9, 0x4A, 0xC9, 0x00}, {0x88, 0x01, 0x15, 0x00}},
        {u"B.中ソ B.中ラ# B中シ A中ド F ", {0xC1, 0x3A, 0xC1, 0x3D, 0xC2, 0x3E, 0xC0, 0x33, 0xC0, 0x00},
         {0x81, 0x0C, 0x81, 0x4D, 0x82, 0x0E, 0x80, 0x08, 0x00}},
        {u"3中ド 6中ド 2中ド 5中レ ", {0xC7, 0x33, 0xC8, 0x33, 0xC7, 0x33, 0xC7, 0x33, 0xC7, 0x35},
         {0xC4, 0x08, 0xC6, 0x08, 0xC0, 0x08, 0xC2, 0x09}},
        {u"A.中ド E.中レ ", {0xC0, 0x33, 0xC2, 0x33, 0xC7, 0x35}, {0x7F, 0x08, 0x87, 0x09}},
        {u"^ C中ド ^ ^ D.中レ ^ ", {0xC4, 0x33, 0xC4, 0x33, 0xC4, 0x33, 0xC5, 0x35, 0xC5, 0x35},
         {0x84, 0x08, 0x08, 0x08, 0x85, 0x09, 0x85, 0x09}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const Ringtone ringtone = ringtoneAt(c.melody, TempoUnit::quarterNotes(120), u"");
        Bytes melodyStream = {0xE1, 0xF0, 0xFD, 0xF1, 120};
        melodyStream.insert(melodyStream.end(), c.notes.begin(), c.notes.end());
        melodyStream.push_back(0xFF);
        EXPECT_EQ(encodePdxMelody(ringtone), melodyStream);
        Bytes codeStream = {0x04};
        codeStream.insert(codeStream.end(), c.codes.begin(), c.codes.end());
        codeStream.push_back(0xFF);
        EXPECT_EQ(encodePdxCodes(ringtone).value, codeStream);
    }
}

// The ends of the code ranges, a tempo between two ranges, dotted quarters, the byte's limit.
TEST(PdxEncode, TempoByteAndCode) {
    struct Case {
        int tempo;
        std::u16string_view note;
        int melodyTempo; // quarter notes per minute, rounded
        int tempoCode;
    };
    for (const Case& c : {Case{65, u"C", 65, 0}, Case{66, u"C", 66, 1},
                          Case{131, u"D", 66, 5}, // 65.5 lies between two ranges
                          Case{140, u"C", 140, 4}, Case{141, u"C", 141, 5},
                          Case{80, u"C.", 120, 4}, Case{200, u"B", 255, 5}}) {
        const Ringtone ringtone = ringtoneAt(u"C中ド ", *TempoUnit::fromTempo(c.tempo, c.note), u"");
        EXPECT_EQ(encodePdxMelody(ringtone).at(4), c.melodyTempo) << c.tempo;
        EXPECT_EQ(encodePdxCodes(ringtone).value.at(0), c.tempoCode) << c.tempo;
    }
}

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
    for (auto [title, notes] : {std::pair{u"", 127}, {u"xyzw", 300}}) {
        std::u16string melody;
        for (int i = 0; i < notes; ++i)
            melody += u"D中ソ ";
        const Bytes stream = encodePdxMelody(ringtoneAt(melody, TempoUnit::quarterNotes(120), title));
        Bytes unfilled;
        for (size_t i = 0; i < stream.size(); ++i) {
            EXPECT_EQ(stream[i] == 0xA1, i % 256 >= 254) << i;
            if (i % 256 < 254)
                unfilled.push_back(stream[i]);
        }
        // Without the fillers: the header, one pair per note and the end byte.
        EXPECT_EQ(unfilled.size(), 4 + std::u16string_view(title).size() + 1 + 2 * notes + 1);
        EXPECT_EQ(decodePdxMelodyBytes(stream).part->melody, melody);
    }
}

// What the decoders read of streams other writers made, and the streams without notes they
// refuse; nullopt for a code stream, the melody stream's decoding otherwise.
TEST(PdxDecode, StreamsOfOtherWriters) {
    struct Case {
        Bytes bytes;
        bool codes;
        std::optional<int> tempo;
        std::optional<std::u16string> melody; // nullopt: refused
    };
    // clang-format off
    const Case cases[] = {
        {{0x00, 0x80, 0x01}, true, 60, u"A低ド "}, // no end byte
        // A sharp on シ or ミ is the next white key; above 高シ the note comes down an octave.
        {{0x05, 0xC2, 0x00, 0xC0, 0x55, 0xFF}, true, 160, u"_ 2高ド "},
        {{0x03, 0x47, 0x43}, true, 100, u"C中ド C低フ "}, // quarters before any length
        {{0x07, 0x88, 0x16, 0x3F, 0x90, 0x08, 0xFF, 0x09}, true, std::nullopt, u"E中ド "},
        {{0x01, 0x84, 0x15, 0x01}, true, 70, u"C高シ C低ド "},
        {{}, true, {}, {}}, {{0x04}, true, {}, {}}, {{0x04, 0xFF, 0x08}, true, {}, {}},
        {{0x04, 0x84, 0x56, 0x80, 0xFF}, true, {}, {}},
        // An unknown byte before a length code, a note with an unknown pitch code, fillers anywhere.
        {{0xE1, 0xF0, 0xFD, 0xF1, 0x00, 0x10, 0xC4, 0x33, 0xA1, 0xC6, 0x99, 0xC8, 0xA1, 0x00}, false, {}, u"C中ド ` "},
        {{}, false, {}, {}}, {{0xE1}, false, {}, {}}, {{0xE1, 0xF0, 0x61}, false, {}, {}},
        {{0xE1, 0xF0, 0xFD, 0xF1}, false, {}, {}}, {{0xE1, 0xF0, 0xFD, 0xF1, 0x78, 0xFF, 0xC4, 0x33}, false, {}, {}},
        {{0xE1, 0xF0, 0xFD, 0xF1, 0x78, 0xC4}, false, {}, {}},
        {{0xE1, 0xF0, 0xFD, 0xF1, 0x78, 0xC4, 0x26, 0xC4, 0x4B, 0xFF}, false, {}, {}},
        {{0xF0, 0xE1, 0xFD, 0xF1, 0x78, 0xC4, 0x33, 0xFF}, false, {}, {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const auto decoded = c.codes ? decodePdxCodesBytes(c.bytes) : decodePdxMelodyBytes(c.bytes);
        ASSERT_EQ(decoded.part.has_value(), c.melody.has_value()) << ::testing::PrintToString(c.bytes);
        EXPECT_EQ(decoded.error.empty(), c.melody.has_value());
        if (decoded.part) {
            EXPECT_EQ(decoded.part->tempo, c.tempo);
            EXPECT_EQ(decoded.part->melody, *c.melody);
        }
    }
}

// Attachments arrive as base64 broken into lines: every format's mail decoder reads them, and
// text that is no base64 gives no melody, the P-mail DX decoders saying so.
TEST(MailAttachments, EveryFormatReadsItsBase64) {
    const Ringtone ringtone =
        ringtoneAt(u"C中ド D.低ラ# H B高ミ ", TempoUnit::quarterNotes(100), u"mail");
    const auto mail = [](const Bytes& bytes) {
        return base64Encode(bytes).insert(8, u"\r\n");
    };
    RecordingInteractive ui;
    const DecodeResult results[] = {decodeMldMail(mail(encodeQuietly(ringtone)), 0),
                                    decodeSmdMail(mail(encodeSmd(ringtone).value), 0),
                                    decodePdxMelody(mail(encodePdxMelody(ringtone)), ui),
                                    decodePdxCodes(mail(encodePdxCodes(ringtone).value), ui)};
    for (const DecodeResult& result : results) {
        ASSERT_TRUE(result.part);
        EXPECT_EQ(result.part->melody, ringtone.parts[0].melody);
        EXPECT_EQ(result.part->title, &result == &results[3] ? u"" : u"mail");
    }
    EXPECT_EQ(results[3].part->tempo, 100);
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_FALSE(decodeMldMail(u"bWVsbw==", 0).part); // "melo" alone
    EXPECT_FALSE(decodeSmdMail(u"", 0).part);
    for (std::u16string_view text : {u"\r\n", u"==AB"}) {
        EXPECT_FALSE(decodePdxMelody(text, ui).part);
        EXPECT_FALSE(decodePdxCodes(text, ui).part);
    }
    EXPECT_EQ(ui.messages(), std::vector<std::u16string>(4, u"曲データの Base64デコードに失敗したぁ・・・"));
    // The melody stream's title in code page 932, half-width katakana too.
    EXPECT_EQ(decodePdxMelodyBytes(encodePdxMelody(ringtoneAt(u"C中ド ", TempoUnit::quarterNotes(96),
                                                              u"着メロ ｱｲ"))).part->title,
              u"着メロ ｱｲ");
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
        if (melody.find_first_of(u"\\]_`") != melody.npos) { // tuplet rests
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
