#pragma once
// The system's MIDI ports through RtMidi, for people with a real synthesizer. A machine without
// a MIDI system (no sequencer device) simply has no ports: nothing here throws.

#include "sound/midioutput.h"

#include <memory>
#include <string>
#include <vector>

class RtMidiOut;

namespace sarvo::sound {

class RtMidiOutput final : public IMidiOutput {
public:
    struct Opened {
        std::unique_ptr<RtMidiOutput> output;
        std::string error; // empty when output is set
    };
    // The names of the system's output ports; empty when there is no MIDI system.
    static std::vector<std::string> portNames();
    static Opened open(int portIndex);
    ~RtMidiOutput() override;

    void sendShortMessage(uint32_t message) override;
    // All notes off and the sustain pedal up on every channel.
    void reset() override;

private:
    explicit RtMidiOutput(std::unique_ptr<RtMidiOut> port);

    std::unique_ptr<RtMidiOut> m_port;
};

} // namespace sarvo::sound
