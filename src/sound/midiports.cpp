#include "sound/midiports.h"

#include "common/textcodec.h"
#include "sound/fluidsynthoutput.h"
#include "sound/rtmidioutput.h"

#include <algorithm>
#include <array>

namespace sarvo::sound {
namespace {

template <class Opened> OpenedOutput opened(Opened result) {
    if (!result.error.empty())
        return {nullptr, result.error};
    return {std::move(result.output), {}};
}

std::vector<std::string> embeddedPortNames() {
    // The embedded synthesizer is a port only when its soundfont can be loaded; its name is
    // blank, which lists it as "(標準)".
    if (!FluidSynthEngine::create().engine)
        return {};
    return {""};
}

OpenedOutput openEmbedded(int) {
    return opened(FluidSynthOutput::open());
}

OpenedOutput openSystemPort(int portIndex) {
    return opened(RtMidiOutput::open(portIndex));
}

std::vector<std::string> noPorts() {
    return {};
}

OpenedOutput openNull(int) {
    return {std::make_unique<NullMidiOutput>(), {}};
}

constexpr std::array<MidiBackend, 3> kBackends = {{
    {"fluidsynth", embeddedPortNames, openEmbedded},
    {"rtmidi", RtMidiOutput::portNames, openSystemPort},
    {"null", noPorts, openNull},
}};

std::u16string portLabel(const std::string& name) {
    std::u16string label = fromUtf8(name).value_or(std::u16string());
    const bool blank =
        std::all_of(label.begin(), label.end(), [](char16_t c) { return c == u' ' || c == u'\t'; });
    return blank ? std::u16string(kDefaultPortLabel) : label;
}

} // namespace

std::span<const MidiBackend> midiBackends() {
    return kBackends;
}

const MidiBackend* midiBackendByName(std::string_view name) {
    for (const MidiBackend& backend : kBackends)
        if (backend.name == name)
            return &backend;
    return nullptr;
}

std::vector<MidiPortEntry> listMidiPorts(IInteractive& ui, std::span<const MidiBackend> backends) {
    std::vector<MidiPortEntry> ports;
    for (const MidiBackend& backend : backends) {
        const std::vector<std::string> names = backend.portNames();
        for (size_t i = 0; i < names.size(); ++i) {
            const int index = static_cast<int>(i);
            auto open = backend.open;
            ports.push_back({portLabel(names[i]), std::string(backend.name), index, [open, index] {
                                 return open(index);
                             }});
        }
    }
    if (ports.empty())
        ui.showMessage(kNoSoundSourceMessage);
    return ports;
}

MidiOutputPort::MidiOutputPort(IInteractive& ui, std::vector<MidiPortEntry> ports)
    : m_ui(ui)
    , m_ports(std::move(ports)) {}

MidiOutputPort::~MidiOutputPort() {
    release();
}

bool MidiOutputPort::open(int row) {
    return openRow(row, true);
}

void MidiOutputPort::release() {
    if (m_output)
        m_output->reset();
    m_output.reset();
}

bool MidiOutputPort::reopen() {
    return openRow(m_selectedRow, false);
}

OpenedOutput MidiOutputPort::openSelectedPort() const {
    if (m_selectedRow < 0 || m_selectedRow >= static_cast<int>(m_ports.size()))
        return {nullptr, "no MIDI output port is chosen"};
    return m_ports[static_cast<size_t>(m_selectedRow)].open();
}

bool MidiOutputPort::openRow(int row, bool tellUser) {
    m_output.reset();
    m_selectedRow = row;
    OpenedOutput result = openSelectedPort();
    m_output = std::move(result.output);
    m_lastError = result.error;
    if (!m_output && tellUser)
        m_ui.showMessage(kOpenFailedMessage);
    return m_output != nullptr;
}

void MidiOutputPort::sendShortMessage(uint32_t message) {
    if (m_output)
        m_output->sendShortMessage(message);
}

void MidiOutputPort::reset() {
    if (m_output)
        m_output->reset();
}

} // namespace sarvo::sound
