#include "sound/beatgrids.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace sarvo::sound {
namespace {

struct Grid {
    int step;
    double prior; // in squared ticks, what reading a beat on this grid costs before its onsets
};
constexpr std::array<Grid, 3> kGrids = {{{12, 0.0}, {16, 3.0}, {8, 5.0}}};
constexpr double kMeeting = 100;     // two onsets on one grid point
constexpr double kGridChange = 2;    // a beat on another grid than the beat before it
constexpr double kLargestOffset = 8; // two thirds of a sixteenth
constexpr double kOffsetStep = 0.5;
constexpr double kOffsetStepCost = 1; // the offset moving by a step from one beat to the next
constexpr double kOffsetCost = 0.02;  // per beat and tick of offset
constexpr double kOnTheGrid = 0.25;   // squared ticks off a grid that count as on it

using PerGrid = std::array<double, kGrids.size()>;

struct BeatFit {
    int beat = 0;
    PerGrid error{}; // squared distances from the grid points, meetings included
};

// Hands the fit of every beat that holds onsets to every grid to `use`, in beat order, the
// onsets moved back by the offset.
template <typename Use> void fitBeats(const std::vector<double>& onsets, double offset, Use use) {
    constexpr int kNoPoint = std::numeric_limits<int>::min();
    BeatFit fit{kNoPoint, {}};
    std::array<int, kGrids.size()> previous{};
    for (double onset : onsets) {
        const double t = onset - offset;
        const int beat = beatOf(t);
        if (fit.beat != beat) {
            if (fit.beat != kNoPoint)
                use(fit);
            fit = {beat, {}};
            previous.fill(kNoPoint);
        }
        for (size_t g = 0; g < kGrids.size(); ++g) {
            const int at = snap(t, beat * kBeatTicks, kGrids[g].step);
            fit.error[g] += (t - at) * (t - at) + (previous[g] == at ? kMeeting : 0);
            previous[g] = at;
        }
    }
    if (fit.beat != kNoPoint)
        use(fit);
}

std::vector<BeatFit> beatFits(const std::vector<double>& onsets) {
    std::vector<BeatFit> fits;
    fitBeats(onsets, 0, [&](const BeatFit& fit) { fits.push_back(fit); });
    return fits;
}

double cheapestReading(const BeatFit& fit) {
    double cheapest = fit.error[0] + kGrids[0].prior;
    for (size_t g = 1; g < kGrids.size(); ++g)
        cheapest = std::min(cheapest, fit.error[g] + kGrids[g].prior);
    return cheapest;
}

// The offsets tried, in order.
std::vector<double> candidateOffsets() {
    std::vector<double> offsets;
    for (double d = -kLargestOffset; d <= kLargestOffset; d += kOffsetStep)
        offsets.push_back(d);
    return offsets;
}

} // namespace

int beatOf(double t) {
    constexpr double kEarly = 3; // less than half the smallest step
    return static_cast<int>(std::floor((t + kEarly) / kBeatTicks));
}

int snap(double t, int beatStart, int step) {
    return beatStart + static_cast<int>(std::floor((t - beatStart) / step + 0.5)) * step;
}

std::vector<double> playingOffsets(const std::vector<double>& onsets) {
    // Playing on the grid (as most files are written) has no offset to find.
    bool onTheGrid = true;
    fitBeats(onsets, 0, [&](const BeatFit& fit) {
        onTheGrid =
            onTheGrid && *std::min_element(fit.error.begin(), fit.error.end()) <= kOnTheGrid;
    });
    if (onTheGrid)
        return std::vector<double>(onsets.size(), 0);

    // The beats an onset falls in under some offset, in order: only these count, so silences
    // cost nothing.
    std::vector<int> beats;
    for (double onset : onsets)
        for (int b = beatOf(onset - kLargestOffset); b <= beatOf(onset + kLargestOffset); ++b)
            if (beats.empty() || beats.back() < b)
                beats.push_back(b);
    const std::vector<double> offsets = candidateOffsets();
    const size_t count = offsets.size();
    // Each beat costs a little more the larger its offset, so of offsets that fit alike (a
    // sixteenth apart, for straight notes) the smaller wins.
    std::vector<float> cost(beats.size() * count);
    for (size_t b = 0; b < beats.size(); ++b)
        for (size_t o = 0; o < count; ++o)
            cost[b * count + o] = static_cast<float>(kOffsetCost * std::abs(offsets[o]));
    for (size_t o = 0; o < count; ++o) {
        size_t b = 0;
        fitBeats(onsets, offsets[o], [&](const BeatFit& fit) {
            while (beats[b] < fit.beat)
                ++b;
            cost[b * count + o] += static_cast<float>(cheapestReading(fit));
        });
    }

    // The cheapest offsets of all beats, where the offset moves by at most one step a beat (up to
    // four across a silence) and each step costs: for each beat and offset, the steps taken to it.
    constexpr int kMostSteps = 4;
    std::vector<int8_t> stepTo(beats.size() * count, 0);
    std::vector<double> total(count, 0), next(count);
    for (size_t b = 0; b < beats.size(); ++b) {
        const int reach = b == 0 ? 0 : std::min(kMostSteps, beats[b] - beats[b - 1]);
        for (size_t o = 0; o < count; ++o) {
            int8_t steps = 0;
            double cheapest = total[o];
            for (int d = -reach; d <= reach; ++d) {
                const auto from = static_cast<ptrdiff_t>(o) - d;
                if (from < 0 || from >= static_cast<ptrdiff_t>(count))
                    continue;
                const double path =
                    total[static_cast<size_t>(from)] + kOffsetStepCost * std::abs(d);
                if (path < cheapest) {
                    cheapest = path;
                    steps = static_cast<int8_t>(d);
                }
            }
            next[o] = cheapest + cost[b * count + o];
            stepTo[b * count + o] = steps;
        }
        std::swap(total, next);
    }
    std::vector<double> offsetOfBeat(beats.size());
    auto o = static_cast<size_t>(std::min_element(total.begin(), total.end()) - total.begin());
    for (size_t b = beats.size(); b-- > 0;) {
        offsetOfBeat[b] = offsets[o];
        o = static_cast<size_t>(static_cast<ptrdiff_t>(o) - stepTo[b * count + o]);
    }
    std::vector<double> result;
    result.reserve(onsets.size());
    size_t b = 0;
    for (double onset : onsets) {
        while (beats[b] < beatOf(onset))
            ++b;
        result.push_back(offsetOfBeat[b]);
    }
    return result;
}

std::map<int, BeatGrid> beatGrids(const std::vector<double>& onsets) {
    const std::vector<BeatFit> fits = beatFits(onsets);
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
