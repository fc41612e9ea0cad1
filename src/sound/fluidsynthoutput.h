#pragma once
// The embedded synthesizer as a MIDI output, the default port "(標準)". It plays through the
// machine's sound device when there is one; on a machine without one it still accepts every
// message and can be rendered from, so nothing fails for want of a sound card.

#include "sound/fluidsynthengine.h"
#include "sound/midioutput.h"

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

struct _fluid_audio_driver_t;

namespace sarvo::sound {

// An audio driver of FluidSynth and the buffer it is opened with. A key press is heard after
// the synthesizer's sound has gone through the whole buffer: periods × period size frames.
struct AudioBuffer {
    std::string_view driver; // FluidSynth's name: "pulseaudio", "alsa", …
    int periodSize = 0;      // frames
    int periods = 0;
};

// The sound device an output plays through, with its buffer.
struct AudioDevice {
    AudioBuffer buffer;
    int sampleRate = 0;

    // How long the sound of a message takes through the buffer.
    double latencyMs() const { return 1000.0 * buffer.periodSize * buffer.periods / sampleRate; }
};

// The drivers and buffers tried in turn: at most 10 ms through the desktop's sound server or
// straight to the card, then FluidSynth's own buffer (16 × 64 frames) for a card that refuses a
// small one.
std::span<const AudioBuffer> lowLatencyAudioBuffers();

class FluidSynthOutput final : public IMidiOutput {
public:
    struct Opened {
        std::unique_ptr<FluidSynthOutput> output;
        std::string error; // empty when output is set
    };
    // Plays through the first of the audio buffers whose driver opens; with none (or none
    // given, for offline use) it plays through no sound device.
    static Opened open(const std::string& soundFont = kDefaultSoundFont,
                       std::span<const AudioBuffer> buffers = lowLatencyAudioBuffers());
    ~FluidSynthOutput() override;

    void sendShortMessage(uint32_t message) override { m_engine->send(message); }
    void reset() override { m_engine->allNotesOff(); }

    bool hasAudioDevice() const { return m_driver != nullptr; }
    // The device and buffer the sound plays through; nullopt without a sound device.
    std::optional<AudioDevice> audioDevice() const;
    // Pulls samples from the synthesizer; only meaningful without an audio device, which would
    // otherwise pull them itself.
    void render(int16_t* out, int frames) { m_engine->render(out, frames); }

private:
    FluidSynthOutput(std::unique_ptr<FluidSynthEngine> engine, _fluid_audio_driver_t* driver,
                     std::optional<AudioBuffer> buffer)
        : m_engine(std::move(engine))
        , m_driver(driver)
        , m_buffer(buffer) {}

    std::unique_ptr<FluidSynthEngine> m_engine;
    _fluid_audio_driver_t* m_driver;
    std::optional<AudioBuffer> m_buffer;
};

} // namespace sarvo::sound
