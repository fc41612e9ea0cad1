#include "sound/rtmidioutput.h"

#include <rtmidi/RtMidi.h>

#include <algorithm>

namespace sarvo::sound {
namespace {

// ALSA where it is built in: RtMidi's automatic choice may fall back to JACK, whose client
// aborts the program when no JACK server runs.
RtMidi::Api preferredApi() {
    std::vector<RtMidi::Api> apis;
    RtMidi::getCompiledApi(apis);
    return std::find(apis.begin(), apis.end(), RtMidi::LINUX_ALSA) != apis.end()
               ? RtMidi::LINUX_ALSA
               : RtMidi::UNSPECIFIED;
}

// A port handle, or nullptr (with the reason) when the MIDI system is missing.
std::unique_ptr<RtMidiOut> makePort(std::string& error) {
    try {
        auto port = std::make_unique<RtMidiOut>(preferredApi(), "Sarvo");
        // Errors after construction are reported through the return values, not thrown.
        port->setErrorCallback([](RtMidiError::Type, const std::string&, void*) {}, nullptr);
        return port;
    } catch (const RtMidiError& e) {
        error = e.getMessage();
        return nullptr;
    }
}

} // namespace

RtMidiOutput::RtMidiOutput(std::unique_ptr<RtMidiOut> port)
    : m_port(std::move(port)) {}

RtMidiOutput::~RtMidiOutput() = default;

std::vector<std::string> RtMidiOutput::portNames() {
    std::string error;
    std::unique_ptr<RtMidiOut> port = makePort(error);
    std::vector<std::string> names;
    if (!port)
        return names;
    const unsigned count = port->getPortCount();
    for (unsigned i = 0; i < count; ++i)
        names.push_back(port->getPortName(i));
    return names;
}

RtMidiOutput::Opened RtMidiOutput::open(int portIndex) {
    std::string error;
    std::unique_ptr<RtMidiOut> port = makePort(error);
    if (!port)
        return {nullptr, error};
    if (portIndex < 0 || static_cast<unsigned>(portIndex) >= port->getPortCount())
        return {nullptr, "no MIDI output port " + std::to_string(portIndex)};
    port->openPort(static_cast<unsigned>(portIndex), "Sarvo");
    if (!port->isPortOpen())
        return {nullptr, "MIDI output port " + std::to_string(portIndex) + " could not be opened"};
    return {std::unique_ptr<RtMidiOutput>(new RtMidiOutput(std::move(port))), {}};
}

void RtMidiOutput::sendShortMessage(uint32_t message) {
    const uint8_t status = statusOf(message);
    std::vector<unsigned char> bytes{status, data1Of(message)};
    const uint8_t kind = status & 0xF0;
    if (kind != 0xC0 && kind != 0xD0) // program change and channel pressure carry one data byte
        bytes.push_back(data2Of(message));
    m_port->sendMessage(&bytes);
}

void RtMidiOutput::reset() {
    constexpr uint32_t kSustain = 64;
    constexpr uint32_t kAllNotesOff = 123;
    for (uint32_t channel = 0; channel < 16; ++channel) {
        sendShortMessage(shortMessage(0xB0 | channel, kSustain, 0));
        sendShortMessage(shortMessage(0xB0 | channel, kAllNotesOff, 0));
    }
}

} // namespace sarvo::sound
