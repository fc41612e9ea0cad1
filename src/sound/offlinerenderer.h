#pragma once
// A MIDI output that renders to memory instead of a sound device: before each message it
// synthesizes the samples up to the time on its clock, so a player driven by a manual clock
// produces exactly the sound it would make in real time, only faster.

#include "sound/clock.h"
#include "sound/fluidsynthengine.h"
#include "sound/midioutput.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace sarvo::sound {

class OfflineRenderer final : public IMidiOutput {
public:
    struct Opened {
        std::unique_ptr<OfflineRenderer> renderer;
        std::string error; // empty when renderer is set
    };
    // Time 0 of the recording is the clock's time now.
    static Opened open(const IClock& clock, const std::string& soundFont = kDefaultSoundFont);

    void sendShortMessage(uint32_t message) override;
    void reset() override;

    // Renders up to the clock's time.
    void catchUp();
    // Interleaved stereo samples from time 0 to the last catch-up.
    const std::vector<int16_t>& samples() const { return m_samples; }
    int sampleRate() const { return m_engine->sampleRate(); }

private:
    OfflineRenderer(const IClock& clock, std::unique_ptr<FluidSynthEngine> engine)
        : m_clock(clock)
        , m_start(clock.now())
        , m_engine(std::move(engine)) {}

    const IClock& m_clock;
    TimePoint m_start;
    std::unique_ptr<FluidSynthEngine> m_engine;
    std::vector<int16_t> m_samples;
};

} // namespace sarvo::sound
