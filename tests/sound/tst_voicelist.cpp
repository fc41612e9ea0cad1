#include "sound/voicelist.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace sarvo::sound {
namespace {

TEST(VoiceListTest, EveryProgramOnceAndTheRestAscendingWithTheirNumber) {
    std::set<int> programs;
    int previous = -1;
    for (size_t row = 0; row < voiceList().size(); ++row) {
        const Voice& voice = voiceList()[row];
        EXPECT_TRUE(programs.insert(voice.program).second) << "program twice: " << voice.program;
        if (row < 5)
            continue;
        EXPECT_GT(voice.program, previous);
        previous = voice.program;
        const std::string number = std::to_string(voice.program + 1);
        const std::u16string prefix = std::u16string(3 - number.size(), u'0') +
                                      std::u16string(number.begin(), number.end()) + u": ";
        EXPECT_EQ(voice.text.substr(0, 5), prefix) << row;
        EXPECT_GT(voice.text.size(), 5u) << row;
    }
    EXPECT_EQ(programs.size(), 128u);
    EXPECT_EQ(*programs.begin(), 0);
    EXPECT_EQ(*programs.rbegin(), 127);
}

struct RowCase {
    std::u16string_view text;
    int row;
    int program;
};

class VoiceRowTest : public ::testing::TestWithParam<RowCase> {};

TEST_P(VoiceRowTest, FindsTheRowOfAStoredText) {
    const std::optional<int> row = voiceRowOfText(GetParam().text);
    ASSERT_TRUE(row);
    EXPECT_EQ(*row, GetParam().row);
    EXPECT_EQ(voiceList()[static_cast<size_t>(*row)].program, GetParam().program);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, VoiceRowTest,
    ::testing::Values(RowCase{u"ピアノ", 1, 0}, RowCase{u"002: Bright Acoustic Piano", 5, 1},
                      RowCase{u"010: てっきん", 12, 9}, RowCase{u"070: English Hom", 70, 69},
                      RowCase{u"099: クリスタル", 98, 98}, RowCase{u"128: Gunshot", 127, 127}));

TEST(VoiceRowTest, UnknownTextHasNoRow) {
    EXPECT_FALSE(voiceRowOfText(u"008: Clavi"));
    EXPECT_FALSE(voiceRowOfText(u""));
}

} // namespace
} // namespace sarvo::sound
