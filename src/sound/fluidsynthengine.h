#pragma once
// One FluidSynth synthesizer with a soundfont loaded: what the embedded output and the offline
// renderer share. Short messages are handed to the synthesizer as they come; rendering pulls
// 16-bit stereo samples.

#include <cstdint>
#include <memory>
#include <string>

struct _fluid_hashtable_t;
struct _fluid_synth_t;

namespace sarvo::sound {

struct FluidSynthLibrary;

inline constexpr const char* kDefaultSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
inline constexpr int kRenderSampleRate = 44100;

// Whether the file is a soundfont, by its header: quick, where loading it takes a while.
bool isSoundFont(const std::string& path);

class FluidSynthEngine {
public:
    struct Created {
        std::unique_ptr<FluidSynthEngine> engine;
        std::string error; // empty when engine is set
    };
    static Created create(const std::string& soundFont = kDefaultSoundFont,
                          int sampleRate = kRenderSampleRate);
    ~FluidSynthEngine();
    FluidSynthEngine(const FluidSynthEngine&) = delete;
    FluidSynthEngine& operator=(const FluidSynthEngine&) = delete;

    void send(uint32_t message);
    // Every note of every channel released.
    void allNotesOff();
    // Renders frames of interleaved stereo samples into out (2 × frames values).
    void render(int16_t* out, int frames);
    int sampleRate() const { return m_sampleRate; }

    const FluidSynthLibrary& library() const { return m_fluid; }
    _fluid_hashtable_t* settings() const { return m_settings; }
    _fluid_synth_t* synth() const { return m_synth; }

private:
    FluidSynthEngine(const FluidSynthLibrary& fluid, _fluid_hashtable_t* settings,
                     _fluid_synth_t* synth, int sampleRate)
        : m_fluid(fluid)
        , m_settings(settings)
        , m_synth(synth)
        , m_sampleRate(sampleRate) {}

    const FluidSynthLibrary& m_fluid;
    _fluid_hashtable_t* m_settings;
    _fluid_synth_t* m_synth;
    int m_sampleRate;
};

} // namespace sarvo::sound
