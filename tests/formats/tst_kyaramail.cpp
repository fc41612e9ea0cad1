#include "formats/kyaramail.h"

#include "melodytimeline.h"
#include "mldtesting.h"

#include <gtest/gtest.h>

#include <random>

namespace sarvo::formats {
namespace {

Ringtone kyaraRingtone(std::u16string melody, TempoUnit tempo) {
    Ringtone ringtone = ringtoneOf({std::move(melody)});
    ringtone.tempo = tempo;
    return ringtone;
}

std::u16string encoded(std::u16string melody, int quarterNotesPerMinute = 120) {
    const auto text = encodeKyara(
        kyaraRingtone(std::move(melody), TempoUnit::quarterNotes(quarterNotesPerMinute)));
    EXPECT_TRUE(text.ok());
    return text.value;
}

struct EncodeCase {
    std::u16string melody;
    std::u16string digits; // after "]]" and the tempo digit
};

class KyaraEncodeTest : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(KyaraEncodeTest, ThreeDigitsPerNote) {
    EXPECT_EQ(encoded(GetParam().melody), u"]]6" + GetParam().digits);
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, KyaraEncodeTest,
    ::testing::Values(EncodeCase{u"C中ド ", u"415"}, EncodeCase{u"G. ", u"700"},
                      EncodeCase{u"", u""},
                      EncodeCase{u"A低ド B.低ド# B中レ C.中レ# D高ミ D.高フ# E高シ ",
                                 u"013714625526237348177"},
                      EncodeCase{u"F I. J H. ", u"000300100500"},
                      // The digits have no dotted whole or sixteenth: the plain length is written.
                      EncodeCase{u"A.中ソ E.中ラ ", u"055165"},
                      // Each tie repeats the note; a tie with no note before it adds nothing.
                      EncodeCase{u"^ C中ド ^ ^ ", u"415415415"}));

struct TempoCase {
    int tempo;
    std::u16string_view note;
    char16_t digit;
};

class KyaraTempoTest : public ::testing::TestWithParam<TempoCase> {};

TEST_P(KyaraTempoTest, DigitOfTheRangeThatHoldsTheTempo) {
    const auto text =
        encodeKyara(kyaraRingtone(u"", *TempoUnit::fromTempo(GetParam().tempo, GetParam().note)));
    ASSERT_TRUE(text.ok());
    EXPECT_EQ(text.value, u"]]" + std::u16string(1, GetParam().digit));
}

INSTANTIATE_TEST_SUITE_P(Ranges, KyaraTempoTest,
                         ::testing::Values(TempoCase{65, u"C", u'0'}, TempoCase{66, u"C", u'1'},
                                           TempoCase{75, u"C", u'1'}, TempoCase{76, u"C", u'2'},
                                           TempoCase{87, u"C", u'2'}, TempoCase{88, u"C", u'3'},
                                           TempoCase{100, u"C", u'3'}, TempoCase{101, u"C", u'4'},
                                           TempoCase{110, u"C", u'4'}, TempoCase{111, u"C", u'5'},
                                           TempoCase{119, u"C", u'5'}, TempoCase{120, u"C", u'6'},
                                           TempoCase{130, u"C", u'6'}, TempoCase{131, u"C", u'7'},
                                           TempoCase{143, u"C", u'7'}, TempoCase{144, u"C", u'8'},
                                           TempoCase{158, u"C", u'8'}, TempoCase{159, u"C", u'9'},
                                           TempoCase{239, u"D",
                                                     u'9'}, // 119.5 lies between two ranges
                                           TempoCase{220, u"D", u'4'} // 110 quarter notes exactly
                                           ));

TEST(KyaraEncode, TupletsCannotBeWritten) {
    for (std::u16string_view token :
         {u"2中ド", u"3中ド", u"5中ド", u"6中ド", u"\\", u"]", u"_", u"`"}) {
        const std::u16string melody = u"C中ド " + std::u16string(token) + u" ";
        const auto text = encodeKyara(kyaraRingtone(melody, TempoUnit::quarterNotes(120)));
        EXPECT_FALSE(text.ok());
        EXPECT_TRUE(text.value.empty());
        EXPECT_NE(text.error.find(token), std::u16string::npos);
    }
}

struct DecodeCase {
    std::u16string text;
    int tempo;
    std::u16string melody;
};

class KyaraDecodeTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(KyaraDecodeTest, ReadsGroupsOfThreeDigits) {
    const auto decoded = decodeKyara(GetParam().text);
    ASSERT_TRUE(decoded.part);
    EXPECT_EQ(decoded.part->tempo, GetParam().tempo);
    EXPECT_EQ(decoded.part->melody, GetParam().melody);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, KyaraDecodeTest,
    ::testing::Values(
        DecodeCase{u"]]3246", 96, u"D中フ# "}, DecodeCase{u"]]6415", 126, u"C中ド "},
        // Every length digit the encoder writes, and a rest of each.
        DecodeCase{u"]]0013123233345455565677777", 60,
                   u"A低ド E低レ D低ミ D.中フ C中ソ C.中ラ B高シ B.高シ "},
        DecodeCase{u"]]9000100200300400500600700", 168, u"F J I I. H H. G G. "},
        // The text after "]]" alone, blanks and line breaks between the digits.
        DecodeCase{u"1 415\r\n 200", 72, u"C中ド I "},
        // Reading stops at the first other character; a cut group is dropped.
        DecodeCase{u"MSG=曲***やあ]]2415x999", 84, u"C中ド "},
        DecodeCase{u"]]541541", 114, u"C中ド "},
        // Groups that mean no note are skipped: length 8 or 9, step 8 or 9, no octave.
        DecodeCase{u"]]4815915485495410412419415", 108, u"C中ド "},
        // A sharp on ミ or シ is the next white key.
        DecodeCase{u"]]4434278", 108, u"C低フ D高ド "}));

TEST(KyaraDecode, RefusesTextWithoutNotes) {
    for (std::u16string_view text :
         {u"", u"]]", u"]]x", u"]]6", u"]]64", u"]]641", u"]]6815", u"abc"}) {
        const auto decoded = decodeKyara(text);
        EXPECT_FALSE(decoded.part);
        EXPECT_FALSE(decoded.error.empty());
    }
}

TEST(KyaraRoundTrip, RandomMelodiesComeBack) {
    std::mt19937 rng(2000);
    for (int round = 0; round < 300; ++round) {
        std::u16string melody = randomFormatMelody(rng, 60, false);
        // The dotted whole has no digit of its own and comes back as a whole.
        for (std::u16string_view dottedWhole : {u"A.", u"F."})
            for (size_t pos = melody.find(dottedWhole); pos != melody.npos;
                 pos = melody.find(dottedWhole))
                melody.erase(pos + 1, 1);
        const auto text = encodeKyara(kyaraRingtone(melody, TempoUnit::quarterNotes(120)));
        ASSERT_TRUE(text.ok());
        const auto decoded = decodeKyara(text.value);
        ASSERT_TRUE(decoded.part);
        EXPECT_EQ(decoded.part->tempo, 126);
        const MelodyTimeline original = timelineOf(melody);
        const MelodyTimeline back = timelineOf(decoded.part->melody);
        EXPECT_EQ(back.pitchAtTick, original.pitchAtTick) << round;
        EXPECT_TRUE(std::includes(back.onsets.begin(), back.onsets.end(), original.onsets.begin(),
                                  original.onsets.end()));
    }
}

} // namespace
} // namespace sarvo::formats
