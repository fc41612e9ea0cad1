#pragma once
// The embedded synthesizer as a MIDI output, the default port "(標準)". It plays through the
// machine's sound device when there is one; on a machine without one it still accepts every
// message and can be rendered from, so nothing fails for want of a sound card.

#include "sound/fluidsynthengine.h"
#include "sound/midioutput.h"

#include <memory>
#include <string>

struct _fluid_audio_driver_t;

namespace sarvo::sound {

class FluidSynthOutput final : public IMidiOutput {
public:
    struct Opened {
        std::unique_ptr<FluidSynthOutput> output;
        std::string error; // empty when output is set
    };
    // withAudio false never touches the sound device (offline use).
    static Opened open(const std::string& soundFont = kDefaultSoundFont, bool withAudio = true);
    ~FluidSynthOutput() override;

    void sendShortMessage(uint32_t message) override { m_engine->send(message); }
    void reset() override { m_engine->allNotesOff(); }

    bool hasAudioDevice() const { return m_driver != nullptr; }
    // Pulls samples from the synthesizer; only meaningful without an audio device, which would
    // otherwise pull them itself.
    void render(int16_t* out, int frames) { m_engine->render(out, frames); }

private:
    FluidSynthOutput(std::unique_ptr<FluidSynthEngine> engine, _fluid_audio_driver_t* driver)
        : m_engine(std::move(engine))
        , m_driver(driver) {}

    std::unique_ptr<FluidSynthEngine> m_engine;
    _fluid_audio_driver_t* m_driver;
};

} // namespace sarvo::sound
