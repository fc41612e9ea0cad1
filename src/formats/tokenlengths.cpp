#include "formats/tokenlengths.h"

#include <cstddef>

namespace sarvo::formats {
namespace {

// The lower bound of the range each length (by its row in kTokenLengths) takes when no length
// fits exactly; the shortest length's bound differs between gate times and gaps.
constexpr std::array<int, 10> kRangeFloors = {200, 152, 104, 80, 56, 44, 40, 32, 24, 20};
constexpr int kShortestGapFloor = 16;

const TokenLength* rangeLength(int64_t value) {
    for (std::size_t row = 0; row < kRangeFloors.size(); ++row)
        if (value >= kRangeFloors[row])
            return &kTokenLengths[row];
    return nullptr;
}

} // namespace

const TokenLength* exactTokenLength(int64_t ticks) {
    for (const TokenLength& length : kTokenLengths)
        if (length.ticks == ticks)
            return &length;
    return nullptr;
}

const TokenLength& gateLength(int64_t gate) {
    if (const TokenLength* exact = exactTokenLength(gate))
        return *exact;
    const TokenLength* ranged = rangeLength(gate);
    return ranged ? *ranged : kTokenLengths.back();
}

const TokenLength* gapRestLength(int64_t gap) {
    if (const TokenLength* ranged = rangeLength(gap))
        return ranged;
    return gap >= kShortestGapFloor ? &kTokenLengths.back() : nullptr;
}

} // namespace sarvo::formats
