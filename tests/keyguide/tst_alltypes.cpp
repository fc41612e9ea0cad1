// The contract every phone type keeps with the frame, run over all 39 types: whole cells, a
// guide that is a fixed point of reading back and converting, no dependence on earlier walks,
// and no key text that breaks the reader.

#include "common/textcodec.h"
#include "keyguide/phonetyperules.h"
#include "keyguide/phonetypes.h"
#include "keyguidetesting.h"
#include "randommelody.h"

#include <gtest/gtest.h>

#include <random>

namespace sarvo::keyguide {
namespace {

class AllTypes : public ::testing::TestWithParam<int> {};

// Converting a guide's read-back gives the guide again, or, where the last note carried it past
// the limit, the part within the limit. A type that counts notes but reads a press count back
// as several notes may cut inside the last cell, which then holds fewer presses.
void expectCutAtTheLimit(std::u16string_view keys, std::u16string_view again) {
    ASSERT_LE(again.size(), keys.size());
    const size_t whole = again.empty() ? 0 : again.size() - kCellWidth;
    ASSERT_EQ(keys.substr(0, whole), again.substr(0, whole));
}

TEST_P(AllTypes, HaveRulesRegisteredUnderTheirIndex) {
    const PhoneTypeRules* rules = rulesFor(GetParam());
    ASSERT_NE(rules, nullptr);
    EXPECT_EQ(rules->index, GetParam());
    EXPECT_NE(rules->convertNote, nullptr);
    EXPECT_NE(rules->readCell, nullptr);
}

TEST_P(AllTypes, EmptyMelodyAndEmptyKeyText) {
    EXPECT_EQ(toKeys(GetParam(), u""), u"");
    EXPECT_EQ(fromKeys(GetParam(), u""), u" ");
}

TEST_P(AllTypes, GuideIsAFixedPointOfReadingBackAndConverting) {
    const int type = GetParam();
    std::mt19937 rng(1000 + type);
    for (int round = 0; round < 400; ++round) {
        const std::u16string melody = randomMelody(rng, round % 4 == 0 ? 120 : 30);
        SCOPED_TRACE(toUtf8(melody));
        const std::u16string keys = toKeys(type, melody);
        ASSERT_EQ(keys.size() % kCellWidth, 0u);
        const std::u16string again = toKeys(type, fromKeys(type, keys));
        expectCutAtTheLimit(keys, again);
        ASSERT_EQ(toKeys(type, fromKeys(type, again)), again);
    }
}

TEST_P(AllTypes, ConversionDoesNotDependOnAnEarlierWalk) {
    const int type = GetParam();
    std::mt19937 rng(2000 + type);
    for (int round = 0; round < 50; ++round) {
        const std::u16string melody = randomMelody(rng);
        melody::ParserState used;
        used.readPos = 9;
        used.currentNote = {u"B", u".", u"高", u"ソ", u"#", 2, 1};
        used.previousNote = {u"D", u"低", u"ミ", u"", u""};
        used.mergeRepeats = true;
        RecordingInteractive ui;
        EXPECT_EQ(convertToKeys(type, melody, used, ui), toKeys(type, melody));
    }
}

TEST_P(AllTypes, ReadsKeyTextsOfOtherTypesWithoutBreakingTheMelody) {
    // A key text of another family, as a user might load by mistake: the reader keeps to its
    // grid, ends the melody with a blank, and what it reads converts to a stable guide.
    const int type = GetParam();
    std::mt19937 rng(3000 + type);
    for (int round = 0; round < 40; ++round) {
        const int other = std::uniform_int_distribution<int>(kFirstPhoneType, kLastPhoneType)(rng);
        const std::u16string foreign = toKeys(other, randomMelody(rng));
        const std::u16string melody = fromKeys(type, foreign);
        ASSERT_FALSE(melody.empty());
        ASSERT_EQ(melody.back(), u' ');
        const std::u16string keys = toKeys(type, melody);
        const std::u16string again = toKeys(type, fromKeys(type, keys));
        expectCutAtTheLimit(keys, again);
        ASSERT_EQ(toKeys(type, fromKeys(type, again)), again);
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, AllTypes, ::testing::Range(kFirstPhoneType, kLastPhoneType + 1),
                         [](const auto& param) {
                             const std::u16string_view name =
                                 phoneTypeByIndex(param.param)->shortName();
                             std::string id;
                             for (char16_t c : name)
                                 if (c != u'-')
                                     id += static_cast<char>(c);
                             return id;
                         });

} // namespace
} // namespace sarvo::keyguide
