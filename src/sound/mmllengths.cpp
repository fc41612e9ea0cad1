#include "sound/mmllengths.h"

#include <array>
#include <limits>

namespace sarvo::sound {
namespace {

// Longest first: of two splits with equally few lengths the one starting longer wins.
constexpr std::array<MmlLength, 14> kLengths = {{{1, true},
                                                 {1, false},
                                                 {2, true},
                                                 {2, false},
                                                 {4, true},
                                                 {3, false},
                                                 {4, false},
                                                 {8, true},
                                                 {6, false},
                                                 {8, false},
                                                 {16, true},
                                                 {12, false},
                                                 {16, false},
                                                 {24, false}}};

// For every tick count up to a dotted whole note, the index of the first length of its fewest
// lengths, or -1 when none add up to it. Computed once; it never changes.
const std::vector<int>& firstLengths() {
    static const std::vector<int> first = [] {
        const int most = kWholeNoteTicks * 3 / 2;
        constexpr int kNone = std::numeric_limits<int>::max();
        std::vector<int> fewest(most + 1, kNone);
        std::vector<int> firstOf(most + 1, -1);
        fewest[0] = 0;
        for (int t = 1; t <= most; ++t)
            for (int i = 0; i < static_cast<int>(kLengths.size()); ++i) {
                const int d = kLengths[i].ticks();
                if (d <= t && fewest[t - d] != kNone && fewest[t - d] + 1 < fewest[t]) {
                    fewest[t] = fewest[t - d] + 1;
                    firstOf[t] = i;
                }
            }
        return firstOf;
    }();
    return first;
}

} // namespace

std::vector<MmlLength> splitIntoLengths(int ticks) {
    if (ticks <= 0)
        return {};
    // Whole notes first: a long tied note is mostly whole notes. What remains (more than a half,
    // at most a dotted whole) is split by the table of fewest lengths, which holds every even
    // number of ticks above 22.
    std::vector<MmlLength> out;
    while (ticks > kWholeNoteTicks * 3 / 2) {
        out.push_back({1, false});
        ticks -= kWholeNoteTicks;
    }
    const std::vector<int>& first = firstLengths();
    if (first[ticks] < 0)
        return {};
    for (int t = ticks; t > 0; t -= kLengths[first[t]].ticks())
        out.push_back(kLengths[first[t]]);
    return out;
}

} // namespace sarvo::sound
