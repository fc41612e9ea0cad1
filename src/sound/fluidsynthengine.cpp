#include "sound/fluidsynthengine.h"

#include "sound/fluidsynthlibrary.h"
#include "sound/midioutput.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace sarvo::sound {
namespace {

// FluidSynth's own gain is about 30 dB under full scale; a single melody voice has room for more.
constexpr double kGain = 0.8;

} // namespace

bool isSoundFont(const std::string& path) {
    // A RIFF file of form "sfbk".
    std::array<char, 12> header{};
    std::ifstream file(path, std::ios::binary);
    if (!file.read(header.data(), header.size()))
        return false;
    const std::string_view text(header.data(), header.size());
    return text.substr(0, 4) == "RIFF" && text.substr(8, 4) == "sfbk";
}

FluidSynthEngine::Created FluidSynthEngine::create(const std::string& soundFont, int sampleRate) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(soundFont, ec))
        return {nullptr, "soundfont not found: " + soundFont};
    const LoadedFluidSynth& loaded = fluidSynthLibrary();
    if (!loaded.library)
        return {nullptr, loaded.error};
    const FluidSynthLibrary& fluid = *loaded.library;
    fluid_settings_t* settings = fluid.newSettings();
    if (!settings)
        return {nullptr, "FluidSynth settings could not be created"};
    fluid.setNum(settings, "synth.sample-rate", sampleRate);
    fluid.setNum(settings, "synth.gain", kGain);
    // A phone plays its ringtone dry; without reverb and chorus rendering is also half again as
    // fast.
    fluid.setInt(settings, "synth.reverb.active", 0);
    fluid.setInt(settings, "synth.chorus.active", 0);
    fluid_synth_t* synth = fluid.newSynth(settings);
    if (!synth) {
        fluid.deleteSettings(settings);
        return {nullptr, "FluidSynth synthesizer could not be created"};
    }
    if (fluid.loadSoundFont(synth, soundFont.c_str(), 1) == FLUID_FAILED) {
        fluid.deleteSynth(synth);
        fluid.deleteSettings(settings);
        return {nullptr, "soundfont could not be loaded: " + soundFont};
    }
    return {
        std::unique_ptr<FluidSynthEngine>(new FluidSynthEngine(fluid, settings, synth, sampleRate)),
        {}};
}

FluidSynthEngine::~FluidSynthEngine() {
    m_fluid.deleteSynth(m_synth);
    m_fluid.deleteSettings(m_settings);
}

void FluidSynthEngine::send(uint32_t message) {
    const int channel = statusOf(message) & 0x0F;
    const int data1 = data1Of(message);
    const int data2 = data2Of(message);
    switch (statusOf(message) & 0xF0) {
    case 0x80: m_fluid.noteOff(m_synth, channel, data1); break;
    case 0x90:
        if (data2 == 0)
            m_fluid.noteOff(m_synth, channel, data1);
        else
            m_fluid.noteOn(m_synth, channel, data1, data2);
        break;
    case 0xA0: m_fluid.keyPressure(m_synth, channel, data1, data2); break;
    case 0xB0: m_fluid.controlChange(m_synth, channel, data1, data2); break;
    case 0xC0: m_fluid.programChange(m_synth, channel, data1); break;
    case 0xD0: m_fluid.channelPressure(m_synth, channel, data1); break;
    case 0xE0: m_fluid.pitchBend(m_synth, channel, data1 | (data2 << 7)); break;
    default: break; // system messages have no meaning for the synthesizer
    }
}

void FluidSynthEngine::allNotesOff() {
    m_fluid.allNotesOff(m_synth, -1);
}

void FluidSynthEngine::render(int16_t* out, int frames) {
    m_fluid.writeS16(m_synth, frames, out, 0, 2, out, 1, 2);
}

} // namespace sarvo::sound
