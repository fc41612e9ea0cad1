#include "sound/fluidsynthengine.h"

#include "sound/midioutput.h"

#include <fluidsynth.h>

#include <filesystem>

namespace sarvo::sound {
namespace {

// FluidSynth's own gain is about 30 dB under full scale; a single melody voice has room for more.
constexpr double kGain = 0.8;

} // namespace

FluidSynthEngine::Created FluidSynthEngine::create(const std::string& soundFont, int sampleRate) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(soundFont, ec))
        return {nullptr, "soundfont not found: " + soundFont};
    fluid_settings_t* settings = new_fluid_settings();
    if (!settings)
        return {nullptr, "FluidSynth settings could not be created"};
    fluid_settings_setnum(settings, "synth.sample-rate", sampleRate);
    fluid_settings_setnum(settings, "synth.gain", kGain);
    // A phone plays its ringtone dry; without reverb and chorus rendering is also half again as
    // fast.
    fluid_settings_setint(settings, "synth.reverb.active", 0);
    fluid_settings_setint(settings, "synth.chorus.active", 0);
    fluid_synth_t* synth = new_fluid_synth(settings);
    if (!synth) {
        delete_fluid_settings(settings);
        return {nullptr, "FluidSynth synthesizer could not be created"};
    }
    if (fluid_synth_sfload(synth, soundFont.c_str(), 1) == FLUID_FAILED) {
        delete_fluid_synth(synth);
        delete_fluid_settings(settings);
        return {nullptr, "soundfont could not be loaded: " + soundFont};
    }
    return {std::unique_ptr<FluidSynthEngine>(new FluidSynthEngine(settings, synth, sampleRate)),
            {}};
}

FluidSynthEngine::~FluidSynthEngine() {
    delete_fluid_synth(m_synth);
    delete_fluid_settings(m_settings);
}

void FluidSynthEngine::send(uint32_t message) {
    const int channel = statusOf(message) & 0x0F;
    const int data1 = data1Of(message);
    const int data2 = data2Of(message);
    switch (statusOf(message) & 0xF0) {
    case 0x80: fluid_synth_noteoff(m_synth, channel, data1); break;
    case 0x90:
        if (data2 == 0)
            fluid_synth_noteoff(m_synth, channel, data1);
        else
            fluid_synth_noteon(m_synth, channel, data1, data2);
        break;
    case 0xA0: fluid_synth_key_pressure(m_synth, channel, data1, data2); break;
    case 0xB0: fluid_synth_cc(m_synth, channel, data1, data2); break;
    case 0xC0: fluid_synth_program_change(m_synth, channel, data1); break;
    case 0xD0: fluid_synth_channel_pressure(m_synth, channel, data1); break;
    case 0xE0: fluid_synth_pitch_bend(m_synth, channel, data1 | (data2 << 7)); break;
    default: break; // system messages have no meaning for the synthesizer
    }
}

void FluidSynthEngine::allNotesOff() {
    fluid_synth_all_notes_off(m_synth, -1);
}

void FluidSynthEngine::render(int16_t* out, int frames) {
    fluid_synth_write_s16(m_synth, frames, out, 0, 2, out, 1, 2);
}

} // namespace sarvo::sound
