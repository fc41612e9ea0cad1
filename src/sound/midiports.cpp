#include "sound/midiports.h"

#include "common/textcodec.h"
#include "sound/fluidsynthoutput.h"
#include "sound/rtmidioutput.h"

#include <algorithm>
#include <array>

namespace sarvo::sound {
namespace {

std::vector<std::string> embeddedPortNames() {
    // The embedded synthesizer is a port only when it has a soundfont; its name is blank, which
    // lists it as "(標準)".
    if (!isSoundFont(kDefaultSoundFont))
        return {};
    return {""};
}

OpenedOutput openEmbedded(int) {
    FluidSynthOutput::Opened opened = FluidSynthOutput::open();
    if (!opened.output)
        return {nullptr, opened.error};
    const std::optional<AudioDevice> audio = opened.output->audioDevice();
    return {std::move(opened.output), {}, audio, !audio};
}

OpenedOutput openSystemPort(int portIndex) {
    RtMidiOutput::Opened opened = RtMidiOutput::open(portIndex);
    if (!opened.output)
        return {nullptr, opened.error};
    return {std::move(opened.output), {}};
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

bool MidiOutputPort::isOpen() const {
    const std::lock_guard lock(m_mutex);
    return m_output != nullptr;
}

std::string MidiOutputPort::lastError() const {
    const std::lock_guard lock(m_mutex);
    return m_lastError;
}

std::optional<AudioDevice> MidiOutputPort::audioDevice() const {
    const std::lock_guard lock(m_mutex);
    return m_audio;
}

bool MidiOutputPort::isSilent() const {
    const std::lock_guard lock(m_mutex);
    return m_silent;
}

bool MidiOutputPort::open(int row) {
    return openRow(row, true);
}

void MidiOutputPort::openInBackground(int row, std::function<void()> opened) {
    joinOpening();
    m_output.reset();
    m_selectedRow = row;
    m_isOpening = true;
    m_opening = std::thread([this, opened = std::move(opened)] {
        m_failureUntold = !takeOpened(openSelectedPort());
        if (opened)
            opened();
    });
}

bool MidiOutputPort::finishOpening() {
    joinOpening();
    if (m_failureUntold)
        m_ui.showMessage(kOpenFailedMessage);
    m_failureUntold = false;
    return m_output != nullptr;
}

void MidiOutputPort::release() {
    joinOpening();
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
    joinOpening();
    m_failureUntold = false;
    m_output.reset();
    m_selectedRow = row;
    const bool opened = takeOpened(openSelectedPort());
    if (!opened && tellUser)
        m_ui.showMessage(kOpenFailedMessage);
    return opened;
}

bool MidiOutputPort::takeOpened(OpenedOutput opened) {
    const std::lock_guard lock(m_mutex);
    m_output = std::move(opened.output);
    m_lastError = opened.error;
    m_audio = opened.audio;
    m_silent = opened.silent;
    if (m_output) {
        for (const Waiting& waiting : m_waiting) {
            if (waiting.reset)
                m_output->reset();
            else
                m_output->sendShortMessage(waiting.message);
        }
    }
    m_waiting.clear();
    m_isOpening = false;
    return m_output != nullptr;
}

void MidiOutputPort::joinOpening() {
    if (m_opening.joinable())
        m_opening.join();
}

void MidiOutputPort::sendShortMessage(uint32_t message) {
    const std::lock_guard lock(m_mutex);
    if (m_isOpening)
        m_waiting.push_back({message, false});
    else if (m_output)
        m_output->sendShortMessage(message);
}

void MidiOutputPort::reset() {
    const std::lock_guard lock(m_mutex);
    if (m_isOpening)
        m_waiting.push_back({0, true});
    else if (m_output)
        m_output->reset();
}

} // namespace sarvo::sound
