#include "audioanalysis.h"

#include <cmath>
#include <numbers>

namespace sarvo::sound {
namespace {

double goertzelPower(const std::vector<double>& samples, size_t begin, size_t count, int sampleRate,
                     double hz) {
    const double w = 2 * std::numbers::pi * hz / sampleRate;
    const double coefficient = 2 * std::cos(w);
    double s1 = 0, s2 = 0;
    for (size_t i = 0; i < count; ++i) {
        const double hann = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * static_cast<double>(i) /
                                                 static_cast<double>(count - 1));
        const double s0 = samples[begin + i] * hann + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return s1 * s1 + s2 * s2 - coefficient * s1 * s2;
}

double scan(const std::vector<double>& samples, size_t begin, size_t count, int sampleRate,
            double centreHz, double rangeCents, double stepCents) {
    double best = centreHz;
    double bestPower = -1;
    for (double cents = -rangeCents; cents <= rangeCents; cents += stepCents) {
        const double hz = centreHz * std::pow(2.0, cents / 1200);
        const double power = goertzelPower(samples, begin, count, sampleRate, hz);
        if (power > bestPower)
            bestPower = power, best = hz;
    }
    return best;
}

} // namespace

std::vector<double> monoSamples(const WavAudio& audio) {
    const auto channels = static_cast<size_t>(audio.channels);
    std::vector<double> mono(audio.samples.size() / channels);
    for (size_t i = 0; i < mono.size(); ++i) {
        double sum = 0;
        for (size_t c = 0; c < channels; ++c)
            sum += audio.samples[i * channels + c];
        mono[i] = sum / static_cast<double>(channels) / 32768.0;
    }
    return mono;
}

double strongestFrequency(const std::vector<double>& samples, size_t begin, size_t count,
                          int sampleRate, double expectedHz, double rangeCents) {
    const double coarse = scan(samples, begin, count, sampleRate, expectedHz, rangeCents, 2);
    return scan(samples, begin, count, sampleRate, coarse, 2, 0.1);
}

double centsBetween(double hz, double referenceHz) {
    return 1200 * std::log2(hz / referenceHz);
}

double midiNoteHz(int note) {
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

std::vector<double> envelope(const std::vector<double>& samples, size_t windowSamples) {
    std::vector<double> out;
    for (size_t at = 0; at + windowSamples <= samples.size(); at += windowSamples) {
        double sum = 0;
        for (size_t i = at; i < at + windowSamples; ++i)
            sum += samples[i] * samples[i];
        out.push_back(std::sqrt(sum / static_cast<double>(windowSamples)));
    }
    return out;
}

std::vector<Sounding> soundingStretches(const std::vector<double>& env, double windowMs,
                                        double threshold, double minGapMs) {
    std::vector<Sounding> out;
    for (size_t i = 0; i < env.size();) {
        if (env[i] < threshold) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < env.size() && env[end] >= threshold)
            ++end;
        const double startMs = static_cast<double>(i) * windowMs;
        const double endMs = static_cast<double>(end) * windowMs;
        if (!out.empty() && startMs - out.back().endMs < minGapMs)
            out.back().endMs = endMs;
        else
            out.push_back({startMs, endMs});
        i = end;
    }
    return out;
}

} // namespace sarvo::sound
