#pragma once
// FluidSynth is opened when the first synthesizer is made, not linked: it brings some forty
// other libraries (sound servers, codecs, SDL) that the program would otherwise load before
// main(), ahead of its window. The program makes its synthesizer in the background, so they load
// there.

#include <fluidsynth.h>

#include <optional>
#include <string>

namespace sarvo::sound {

// The functions of FluidSynth that Sarvo calls.
struct FluidSynthLibrary {
    decltype(&new_fluid_settings) newSettings = nullptr;
    decltype(&delete_fluid_settings) deleteSettings = nullptr;
    decltype(&fluid_settings_setint) setInt = nullptr;
    decltype(&fluid_settings_setnum) setNum = nullptr;
    decltype(&fluid_settings_setstr) setStr = nullptr;
    decltype(&new_fluid_synth) newSynth = nullptr;
    decltype(&delete_fluid_synth) deleteSynth = nullptr;
    decltype(&fluid_synth_sfload) loadSoundFont = nullptr;
    decltype(&fluid_synth_noteon) noteOn = nullptr;
    decltype(&fluid_synth_noteoff) noteOff = nullptr;
    decltype(&fluid_synth_key_pressure) keyPressure = nullptr;
    decltype(&fluid_synth_cc) controlChange = nullptr;
    decltype(&fluid_synth_program_change) programChange = nullptr;
    decltype(&fluid_synth_channel_pressure) channelPressure = nullptr;
    decltype(&fluid_synth_pitch_bend) pitchBend = nullptr;
    decltype(&fluid_synth_all_notes_off) allNotesOff = nullptr;
    decltype(&fluid_synth_write_s16) writeS16 = nullptr;
    decltype(&new_fluid_audio_driver) newAudioDriver = nullptr;
    decltype(&delete_fluid_audio_driver) deleteAudioDriver = nullptr;
};

struct LoadedFluidSynth {
    std::optional<FluidSynthLibrary> library;
    std::string error; // why it could not be opened; empty when library is set
};

// Opens the library on the first call, from whichever thread; later calls give the same answer.
const LoadedFluidSynth& fluidSynthLibrary();

} // namespace sarvo::sound
