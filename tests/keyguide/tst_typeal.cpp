#include "lengthdigittesting.h"

#include <gtest/gtest.h>

namespace sarvo::keyguide {
namespace {

const LengthDigitType kTypeAL{39, 255, u"＃", u"＊", u"×９"};

TEST(TypeALConverter, KeyTexts) {
    expectLengthDigitKeyTexts(kTypeAL);
}

TEST(TypeALConverter, StopsOnceMoreThan255EntriesAreTyped) {
    expectLengthDigitLimit(kTypeAL);
}

TEST(TypeALConverter, ClearsMergeRepeatsAndReportsNothing) {
    melody::ParserState state;
    state.mergeRepeats = true;
    RecordingInteractive ui;
    convertToKeys(39, u"C低ド 3中ド K中ド ", state, ui);
    EXPECT_FALSE(state.mergeRepeats);
    EXPECT_TRUE(ui.messages().empty());
}

TEST(TypeALReader, Cells) {
    expectLengthDigitReader(kTypeAL);
}

TEST(TypeALProperty, KeyTextIsAFixedPointAndKeepsPitchesAndLengths) {
    expectLengthDigitRoundTrips(kTypeAL, 39001);
}

} // namespace
} // namespace sarvo::keyguide
