#include "sound/fluidsynthoutput.h"

#include "sound/fluidsynthlibrary.h"

#include <array>

namespace sarvo::sound {
namespace {

// PulseAudio (and PipeWire's stand-in for it) asks the server to hold one period while the next
// is written, two periods in all.
constexpr std::array kLowLatencyBuffers = {
    AudioBuffer{"pulseaudio", 128, 2},
    AudioBuffer{"alsa", 128, 2},
    AudioBuffer{"alsa", 64, 16},
};

_fluid_audio_driver_t* openDriver(const FluidSynthEngine& engine, const AudioBuffer& buffer) {
    const FluidSynthLibrary& fluid = engine.library();
    fluid_settings_t* settings = engine.settings();
    fluid.setStr(settings, "audio.driver", std::string(buffer.driver).c_str());
    fluid.setInt(settings, "audio.period-size", buffer.periodSize);
    fluid.setInt(settings, "audio.periods", buffer.periods);
    return fluid.newAudioDriver(settings, engine.synth());
}

} // namespace

std::span<const AudioBuffer> lowLatencyAudioBuffers() {
    return kLowLatencyBuffers;
}

FluidSynthOutput::Opened FluidSynthOutput::open(const std::string& soundFont,
                                                std::span<const AudioBuffer> buffers) {
    FluidSynthEngine::Created created = FluidSynthEngine::create(soundFont);
    if (!created.engine)
        return {nullptr, created.error};
    // Without a sound device no driver opens and the synthesizer simply is not pulled from.
    for (const AudioBuffer& buffer : buffers) {
        if (_fluid_audio_driver_t* driver = openDriver(*created.engine, buffer))
            return {std::unique_ptr<FluidSynthOutput>(
                        new FluidSynthOutput(std::move(created.engine), driver, buffer)),
                    {}};
    }
    return {std::unique_ptr<FluidSynthOutput>(
                new FluidSynthOutput(std::move(created.engine), nullptr, std::nullopt)),
            {}};
}

std::optional<AudioDevice> FluidSynthOutput::audioDevice() const {
    if (!m_buffer)
        return std::nullopt;
    return AudioDevice{*m_buffer, m_engine->sampleRate()};
}

FluidSynthOutput::~FluidSynthOutput() {
    // The driver pulls from the synthesizer, so it goes first.
    if (m_driver)
        m_engine->library().deleteAudioDriver(m_driver);
}

} // namespace sarvo::sound
