#include "sound/beatgrids.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace sarvo::sound {
namespace {

struct Grid {
    int step;
    double prior; // in squared ticks, what reading a beat on this grid costs before its onsets
};
constexpr std::array<Grid, 3> kGrids = {{{12, 0.0}, {16, 3.0}, {8, 5.0}}};
constexpr double kMeeting = 100;     // two onsets on one grid point
constexpr double kGridChange = 2;    // a beat on another grid than the beat before it
constexpr double kLargestOffset = 6; // a 32nd note
constexpr double kOffsetStep = 0.5;
constexpr int kOffsetWindowBeats = 8; // on either side

using PerGrid = std::array<double, kGrids.size()>;

struct BeatFit {
    int beat = 0;
    PerGrid error{}; // squared distances from the grid points, meetings included
};

// The fit of every beat that holds onsets to every grid, in beat order, the onsets moved back by
// the offset.
std::vector<BeatFit> beatFits(const std::vector<double>& onsets, double offset) {
    std::vector<BeatFit> fits;
    std::array<std::optional<int>, kGrids.size()> previous;
    for (double onset : onsets) {
        const double t = onset - offset;
        const int beat = beatOf(t);
        if (fits.empty() || fits.back().beat != beat) {
            fits.push_back({beat, {}});
            previous.fill(std::nullopt);
        }
        for (size_t g = 0; g < kGrids.size(); ++g) {
            const int at = snap(t, beat * kBeatTicks, kGrids[g].step);
            fits.back().error[g] += (t - at) * (t - at) + (previous[g] == at ? kMeeting : 0);
            previous[g] = at;
        }
    }
    return fits;
}

double cheapestReading(const BeatFit& fit) {
    double cheapest = fit.error[0] + kGrids[0].prior;
    for (size_t g = 1; g < kGrids.size(); ++g)
        cheapest = std::min(cheapest, fit.error[g] + kGrids[g].prior);
    return cheapest;
}

// The offsets tried, smallest first, so that of equal fits the smaller offset wins.
std::vector<double> candidateOffsets() {
    std::vector<double> offsets = {0};
    for (double d = kOffsetStep; d <= kLargestOffset; d += kOffsetStep) {
        offsets.push_back(d);
        offsets.push_back(-d);
    }
    return offsets;
}

} // namespace

int beatOf(double t) {
    return static_cast<int>(std::floor(t / kBeatTicks + 1e-6));
}

int snap(double t, int beatStart, int step) {
    return beatStart + static_cast<int>(std::lround((t - beatStart) / step)) * step;
}

std::vector<double> playingOffsets(const std::vector<double>& onsets) {
    if (onsets.empty())
        return {};
    const int first = beatOf(onsets.front() - kLargestOffset) - kOffsetWindowBeats;
    const int last = beatOf(onsets.back() + kLargestOffset) + kOffsetWindowBeats;
    const std::vector<double> offsets = candidateOffsets();
    // Per offset, the cost of the beats up to each beat, so a window's cost is one difference.
    std::vector<std::vector<double>> costUpTo(offsets.size());
    for (size_t o = 0; o < offsets.size(); ++o) {
        std::vector<double>& sums = costUpTo[o];
        sums.assign(static_cast<size_t>(last - first + 2), 0);
        for (const BeatFit& fit : beatFits(onsets, offsets[o]))
            sums[static_cast<size_t>(fit.beat - first + 1)] = cheapestReading(fit);
        for (size_t b = 1; b < sums.size(); ++b)
            sums[b] += sums[b - 1];
    }
    std::vector<double> result;
    result.reserve(onsets.size());
    std::optional<int> beat;
    double offset = 0;
    for (double onset : onsets) {
        if (beat != beatOf(onset)) {
            beat = beatOf(onset);
            const auto from = static_cast<size_t>(*beat - kOffsetWindowBeats - first);
            const auto to = static_cast<size_t>(*beat + kOffsetWindowBeats - first + 1);
            double best = 0;
            for (size_t o = 0; o < offsets.size(); ++o) {
                const double cost = costUpTo[o][to] - costUpTo[o][from];
                if (o == 0 || cost < best) {
                    best = cost;
                    offset = offsets[o];
                }
            }
        }
        result.push_back(offset);
    }
    return result;
}

std::map<int, BeatGrid> beatGrids(const std::vector<double>& onsets) {
    const std::vector<BeatFit> fits = beatFits(onsets, 0);
    // The cheapest reading of all beats, grid changes included: for each beat and grid, the
    // cheapest cost up to it and the grid of the beat before on that path.
    std::vector<std::array<size_t, kGrids.size()>> cameFrom(fits.size());
    PerGrid total{};
    for (size_t i = 0; i < fits.size(); ++i) {
        const bool follows = i > 0 && fits[i - 1].beat + 1 == fits[i].beat;
        PerGrid next{};
        for (size_t g = 0; g < kGrids.size(); ++g) {
            size_t from = 0;
            double cheapest = 0;
            for (size_t h = 0; h < kGrids.size(); ++h) {
                const double cost = total[h] + (follows && h != g ? kGridChange : 0);
                if (h == 0 || cost < cheapest) {
                    cheapest = cost;
                    from = h;
                }
            }
            next[g] = cheapest + fits[i].error[g] + kGrids[g].prior;
            cameFrom[i][g] = from;
        }
        total = next;
    }
    std::map<int, BeatGrid> grids;
    size_t g = static_cast<size_t>(std::min_element(total.begin(), total.end()) - total.begin());
    for (size_t i = fits.size(); i-- > 0;) {
        // A beat whose onsets fit the plain grid as well as the tuplet one its neighbours gave it
        // (a note on the beat) is read on the plain grid, undecided.
        const PerGrid& error = fits[i].error;
        const bool tupletFitsToo =
            std::any_of(error.begin() + 1, error.end(), [&](double e) { return e <= error[0]; });
        const size_t read = error[0] <= error[g] ? 0 : g;
        grids[fits[i].beat] = {kGrids[read].step, read == 0 && tupletFitsToo};
        g = cameFrom[i][g];
    }
    return grids;
}

} // namespace sarvo::sound
