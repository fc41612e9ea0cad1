#include "lengthdigittesting.h"

#include <gtest/gtest.h>

namespace sarvo::keyguide {
namespace {

const LengthDigitType kTypeAK{38, 256, u"＃", u"＊", u"×５"};

TEST(TypeAKConverter, KeyTexts) {
    expectLengthDigitKeyTexts(kTypeAK);
}

TEST(TypeAKConverter, StopsOnceMoreThan256EntriesAreTyped) {
    expectLengthDigitLimit(kTypeAK);
}

TEST(TypeAKConverter, ClearsMergeRepeatsAndReportsNothing) {
    melody::ParserState state;
    state.mergeRepeats = true;
    RecordingInteractive ui;
    convertToKeys(38, u"C低ド 3中ド K中ド ", state, ui);
    EXPECT_FALSE(state.mergeRepeats);
    EXPECT_TRUE(ui.messages().empty());
}

TEST(TypeAKReader, Cells) {
    expectLengthDigitReader(kTypeAK);
}

TEST(TypeAKProperty, KeyTextIsAFixedPointAndKeepsPitchesAndLengths) {
    expectLengthDigitRoundTrips(kTypeAK, 38001);
}

} // namespace
} // namespace sarvo::keyguide
