#include "formats/tempounit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sarvo::formats {
namespace {

TEST(TempoUnit, ExactNumbers) {
    struct Case {
        int tempo;
        std::u16string note;
        Rational secondsPerSixteenth;
        Rational quarterNotesPerMinute;
        int rounded;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {110, u"C", {3, 22}, {110}, 110}, {120, u"C.", {1, 12}, {180}, 180},
        {67, u"D", {30, 67}, {67, 2}, 34}, {201, u"D.", {20, 201}, {603, 4}, 151},
        {60, u"B", {1, 8}, {120}, 120},   {90, u"E", {2, 3}, {45, 2}, 22},
        {100, u"3", {9, 20}, {100, 3}, 33},
    };
    // clang-format on
    for (const Case& c : cases) {
        const auto unit = TempoUnit::fromTempo(c.tempo, c.note);
        ASSERT_TRUE(unit.has_value());
        EXPECT_EQ(unit->secondsPerSixteenth(), c.secondsPerSixteenth) << c.tempo;
        EXPECT_EQ(unit->quarterNotesPerMinute(), c.quarterNotesPerMinute) << c.tempo;
        EXPECT_EQ(unit->roundedQuarterNotesPerMinute(), c.rounded) << c.tempo;
    }
}

TEST(TempoUnit, RefusesMeaninglessSettings) {
    for (auto [tempo, note] : std::vector<std::pair<int, std::u16string>>{
             {0, u"C"}, {-5, u"C"}, {100, u""}, {100, u"^"}, {100, u"C#"}, {100, u"C.."}})
        EXPECT_FALSE(TempoUnit::fromTempo(tempo, note).has_value());
}

// Rounding half to even, as the tempo bytes are rounded.
TEST(Rational, RoundsHalfToEven) {
    EXPECT_EQ(Rational(4, -6), Rational(-2, 3));
    for (auto [value, rounded] : {std::pair{Rational(5, 2), 2}, {Rational(7, 2), 4},
                                  {Rational(-5, 2), -2}, {Rational(11, 4), 3}, {Rational(9, 4), 2}})
        EXPECT_EQ(value.roundedHalfEven(), rounded);
}

} // namespace
} // namespace sarvo::formats
