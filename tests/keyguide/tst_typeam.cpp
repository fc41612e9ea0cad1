#include "lengthdigittesting.h"

#include <gtest/gtest.h>

namespace sarvo::keyguide {
namespace {

const LengthDigitType kTypeAM{40, 256, u"９", u"８", u"×５"};

TEST(TypeAMConverter, KeyTexts) {
    expectLengthDigitKeyTexts(kTypeAM);
}

TEST(TypeAMConverter, StopsOnceMoreThan256EntriesAreTyped) {
    expectLengthDigitLimit(kTypeAM);
}

TEST(TypeAMConverter, ClearsMergeRepeatsAndReportsNothing) {
    melody::ParserState state;
    state.mergeRepeats = true;
    RecordingInteractive ui;
    convertToKeys(40, u"C低ド 3中ド K中ド ", state, ui);
    EXPECT_FALSE(state.mergeRepeats);
    EXPECT_TRUE(ui.messages().empty());
}

TEST(TypeAMReader, Cells) {
    expectLengthDigitReader(kTypeAM);
}

TEST(TypeAMProperty, KeyTextIsAFixedPointAndKeepsPitchesAndLengths) {
    expectLengthDigitRoundTrips(kTypeAM, 40001);
}

} // namespace
} // namespace sarvo::keyguide
