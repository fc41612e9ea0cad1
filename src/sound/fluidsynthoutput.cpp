#include "sound/fluidsynthoutput.h"

#include <fluidsynth.h>

namespace sarvo::sound {

FluidSynthOutput::Opened FluidSynthOutput::open(const std::string& soundFont, bool withAudio) {
    FluidSynthEngine::Created created = FluidSynthEngine::create(soundFont);
    if (!created.engine)
        return {nullptr, created.error};
    // Without a sound device the driver is null and the synthesizer simply is not pulled from.
    fluid_audio_driver_t* driver =
        withAudio ? new_fluid_audio_driver(created.engine->settings(), created.engine->synth())
                  : nullptr;
    return {
        std::unique_ptr<FluidSynthOutput>(new FluidSynthOutput(std::move(created.engine), driver)),
        {}};
}

FluidSynthOutput::~FluidSynthOutput() {
    // The driver pulls from the synthesizer, so it goes first.
    if (m_driver)
        delete_fluid_audio_driver(m_driver);
}

} // namespace sarvo::sound
