#pragma once
// Measuring rendered sound: the pitch of a stretch of samples by a Goertzel scan, and the
// moments a sound starts and stops from its loudness envelope.

#include "sound/wavfile.h"

#include <cstddef>
#include <vector>

namespace sarvo::sound {

// The channels mixed to one, scaled to -1 .. 1.
std::vector<double> monoSamples(const WavAudio& audio);

// The frequency with the strongest Goertzel response within ±rangeCents of expectedHz, over the
// samples [begin, begin + count) under a Hann window.
double strongestFrequency(const std::vector<double>& samples, size_t begin, size_t count,
                          int sampleRate, double expectedHz, double rangeCents = 60);

double centsBetween(double hz, double referenceHz);
double midiNoteHz(int note);

// The RMS loudness of consecutive windows of windowSamples samples.
std::vector<double> envelope(const std::vector<double>& samples, size_t windowSamples);

struct Sounding {
    double startMs;
    double endMs;
};

// The stretches where the envelope stays above threshold, in milliseconds; gaps shorter than
// minGapMs are bridged.
std::vector<Sounding> soundingStretches(const std::vector<double>& envelope, double windowMs,
                                        double threshold, double minGapMs);

} // namespace sarvo::sound
