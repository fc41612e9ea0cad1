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

TEST(KyaraEncode, ThreeDigitsPerNote) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"", u""},
        {u"A低ド B.低ド# B中レ C.中レ# D高ミ D.高フ# E高シ ", u"013714625526237348177"},
        {u"F I. J H. G. ", u"000300100500700"},
        // The digits have no dotted whole or sixteenth: the plain length is written.
        {u"A.中ソ E.中ラ ", u"055165"},
        // Each tie repeats the note; a tie with no note before it adds nothing.
        {u"^ C中ド ^ ^ ", u"415415415"},
    };
    for (const auto& [melody, digits] : cases) // "]]", the tempo digit, the notes
        EXPECT_EQ(encodeKyara(kyaraRingtone(melody, TempoUnit::quarterNotes(120))).value,
                  u"]]6" + digits);
}

// The ends of the digits' tempo ranges, a tempo between two ranges, one just on a range's end.
TEST(KyaraEncode, TempoDigit) {
    for (auto [tempo, note, digit] : {std::tuple{65, u"C", u"0"}, {66, u"C", u"1"}, {158, u"C", u"8"},
                                      {159, u"C", u"9"}, {239, u"D", u"9"}, {220, u"D", u"4"}}) {
        const auto text = encodeKyara(kyaraRingtone(u"", *TempoUnit::fromTempo(tempo, note)));
        EXPECT_EQ(text.value, u"]]" + std::u16string(digit)) << tempo;
    }
}

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

TEST(KyaraDecode, ReadsGroupsOfThreeDigits) {
    struct Case {
        std::u16string text;
        std::optional<int> tempo;
        std::optional<std::u16string> melody; // nullopt: refused, no notes
    };
    // clang-format off
    const Case cases[] = {
        // Every length digit the encoder writes, and a rest of each.
        {u"]]0013123233345455565677777", 60, u"A低ド E低レ D低ミ D.中フ C中ソ C.中ラ B高シ B.高シ "},
        {u"]]9000100200300400500600700", 168, u"F J I I. H H. G G. "},
        // The text after "]]" alone, blanks and line breaks between the digits.
        {u"1 415\r\n 200", 72, u"C中ド I "},
        // Reading stops at the first other character; a cut group is dropped.
        {u"MSG=曲***やあ]]2415x999", 84, u"C中ド "},
        {u"]]541541", 114, u"C中ド "},
        // Groups that mean no note are skipped: length 8 or 9, step 8 or 9, no octave.
        {u"]]4815915485495410412419415", 108, u"C中ド "},
        {u"]]4434278", 108, u"C低フ D高ド "}, // a sharp on ミ or シ is the next white key
        {u"", {}, {}}, {u"]]", {}, {}}, {u"]]x", {}, {}}, {u"]]6", {}, {}}, {u"]]64", {}, {}},
        {u"]]641", {}, {}}, {u"]]6815", {}, {}}, {u"abc", {}, {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const auto decoded = decodeKyara(c.text);
        ASSERT_EQ(decoded.part.has_value(), c.melody.has_value());
        EXPECT_EQ(decoded.error.empty(), c.melody.has_value());
        EXPECT_EQ(decoded.part ? decoded.part->tempo : std::nullopt, c.tempo);
        EXPECT_EQ(decoded.part ? decoded.part->melody : u"-", c.melody.value_or(u"-"));
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
