#include "sound/fluidsynthlibrary.h"

#include <dlfcn.h>

namespace sarvo::sound {
namespace {

// The run-time name of libfluidsynth-dev's library (package libfluidsynth3).
constexpr const char* kLibraryName = "libfluidsynth.so.3";

class Symbols {
public:
    explicit Symbols(void* handle)
        : m_handle(handle) {}

    template <class Function> void find(Function& function, const char* name) {
        function = reinterpret_cast<Function>(dlsym(m_handle, name));
        if (!function && m_missing.empty())
            m_missing = name;
    }
    const std::string& missing() const { return m_missing; }

private:
    void* m_handle;
    std::string m_missing;
};

LoadedFluidSynth open() {
    void* handle = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return {std::nullopt, std::string("FluidSynth could not be opened: ") + dlerror()};
    FluidSynthLibrary library;
    Symbols symbols(handle);
    symbols.find(library.newSettings, "new_fluid_settings");
    symbols.find(library.deleteSettings, "delete_fluid_settings");
    symbols.find(library.setInt, "fluid_settings_setint");
    symbols.find(library.setNum, "fluid_settings_setnum");
    symbols.find(library.setStr, "fluid_settings_setstr");
    symbols.find(library.newSynth, "new_fluid_synth");
    symbols.find(library.deleteSynth, "delete_fluid_synth");
    symbols.find(library.loadSoundFont, "fluid_synth_sfload");
    symbols.find(library.noteOn, "fluid_synth_noteon");
    symbols.find(library.noteOff, "fluid_synth_noteoff");
    symbols.find(library.keyPressure, "fluid_synth_key_pressure");
    symbols.find(library.controlChange, "fluid_synth_cc");
    symbols.find(library.programChange, "fluid_synth_program_change");
    symbols.find(library.channelPressure, "fluid_synth_channel_pressure");
    symbols.find(library.pitchBend, "fluid_synth_pitch_bend");
    symbols.find(library.allNotesOff, "fluid_synth_all_notes_off");
    symbols.find(library.writeS16, "fluid_synth_write_s16");
    symbols.find(library.newAudioDriver, "new_fluid_audio_driver");
    symbols.find(library.deleteAudioDriver, "delete_fluid_audio_driver");
    if (!symbols.missing().empty())
        return {std::nullopt, kLibraryName + std::string(" lacks ") + symbols.missing()};
    return {library, {}};
}

} // namespace

const LoadedFluidSynth& fluidSynthLibrary() {
    static const LoadedFluidSynth loaded = open();
    return loaded;
}

} // namespace sarvo::sound
