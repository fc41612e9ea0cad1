#pragma once
// The length numbers of the MML text and their durations in melody ticks (48 to a quarter note):
// a length number n is a 1/n note, a dot adds half of it.

#include <string>
#include <vector>

namespace sarvo::sound {

inline constexpr int kWholeNoteTicks = 192;

struct MmlLength {
    int number = 4;
    bool dotted = false;

    int ticks() const { return kWholeNoteTicks / number * (dotted ? 3 : 2) / 2; }
    std::string text() const { return std::to_string(number) + (dotted ? "." : ""); }
};

// The fewest lengths, longest first, whose durations add up to the given ticks; the lengths are
// those a melody token can take (1 to 16 with or without dot, 6, 12, 24). Empty when the ticks
// cannot be split so (never for a sum of token durations).
std::vector<MmlLength> splitIntoLengths(int ticks);

} // namespace sarvo::sound
