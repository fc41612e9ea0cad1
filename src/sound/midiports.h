#pragma once
// The MIDI output ports the user can choose from, and the output the program sounds through.
//
// Ports come from a table of backends: the embedded synthesizer, listed first as "(標準)", then
// every port of the system's MIDI, then none of the null backend (which only stands in for a
// port that failed to open). A machine with no port at all is told "MIDIを鳴らす音源がないのね？
// (-_-;)"; a port that fails to open is told "MIDI 音源が見つからないっす！ 残念ながら音、鳴らない
// ようです。（；＿；" and sounds nothing.

#include "common/interaction.h"
#include "sound/fluidsynthoutput.h"
#include "sound/midioutput.h"

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace sarvo::sound {

inline constexpr std::u16string_view kNoSoundSourceMessage = u"MIDIを鳴らす音源がないのね？(-_-;)";
inline constexpr std::u16string_view kOpenFailedMessage =
    u"MIDI 音源が見つからないっす！ 残念ながら音、鳴らないようです。（；＿；";
inline constexpr std::u16string_view kDefaultPortLabel = u"(標準)";

struct OpenedOutput {
    std::unique_ptr<IMidiOutput> output;
    std::string error; // why it failed; empty when output is set
    // The embedded synthesizer's sound device; nullopt for other ports and without a device.
    std::optional<AudioDevice> audio;
    // Open, but no sound device takes its sound: everything plays silently.
    bool silent = false;
};

struct MidiBackend {
    std::string_view name; // "fluidsynth", "rtmidi", "null"
    std::vector<std::string> (*portNames)();
    OpenedOutput (*open)(int portIndex);
};

// Every backend, in the order their ports are listed.
std::span<const MidiBackend> midiBackends();
const MidiBackend* midiBackendByName(std::string_view name);

struct MidiPortEntry {
    std::u16string label;
    std::string backend;
    int portIndex = 0;
    std::function<OpenedOutput()> open;
};

// The ports of the backends (all of them unless told otherwise), in table order; shows the
// no-sound-source message and returns none when there are none. A port name that is blank is
// labelled "(標準)".
std::vector<MidiPortEntry> listMidiPorts(IInteractive& ui,
                                         std::span<const MidiBackend> backends = midiBackends());

// The program's one MIDI output: the port chosen in the list, shared by the preview, the player
// and the test scale. Released while the MIDI file player has the device, and opened again
// afterwards. Sending while nothing is open does nothing.
//
// Opening the embedded synthesizer takes a few hundred milliseconds (it loads its soundfont), so
// the program opens it in the background: messages sent meanwhile wait, in order, and reach the
// output the moment it is open. Every other call waits for a background open to end.
class MidiOutputPort final : public IMidiOutput {
public:
    MidiOutputPort(IInteractive& ui, std::vector<MidiPortEntry> ports);
    // Resets and closes the output, so no note of an external synthesizer keeps sounding.
    ~MidiOutputPort() override;

    const std::vector<MidiPortEntry>& ports() const { return m_ports; }
    int selectedRow() const { return m_selectedRow; }
    bool isOpen() const;
    // Why the last open failed, "" after a success.
    std::string lastError() const;
    // The sound device of the open output, when it is the embedded synthesizer playing through
    // one; and whether the open output plays silently for want of a device.
    std::optional<AudioDevice> audioDevice() const;
    bool isSilent() const;

    // Closes the open output and opens the port of the row, which becomes the selected one.
    // On failure the user is told and nothing sounds until another open.
    bool open(int row);
    // Starts opening the row on a worker thread and returns at once; opened runs on that thread
    // once the open has ended, successfully or not.
    void openInBackground(int row, std::function<void()> opened = {});
    // Waits for a background open to end and, when it failed, tells the user as open() does;
    // true when the output is open.
    bool finishOpening();
    // Resets and closes the output, keeping the selected row.
    void release();
    // Opens the selected row again after a release; a failure is kept but not shown.
    bool reopen();
    // A separate output on the selected port, for the MIDI file player while this one is
    // released.
    OpenedOutput openSelectedPort() const;

    void sendShortMessage(uint32_t message) override;
    void reset() override;

private:
    struct Waiting {
        uint32_t message = 0;
        bool reset = false;
    };

    bool openRow(int row, bool tellUser);
    // Installs the result of an open and hands it what was sent meanwhile; false on failure.
    bool takeOpened(OpenedOutput opened);
    void joinOpening();

    IInteractive& m_ui;
    std::vector<MidiPortEntry> m_ports;
    int m_selectedRow = 0;
    std::thread m_opening;
    mutable std::mutex m_mutex; // guards what follows while m_opening runs
    bool m_isOpening = false;
    bool m_failureUntold = false;
    std::vector<Waiting> m_waiting;
    std::unique_ptr<IMidiOutput> m_output;
    std::string m_lastError;
    std::optional<AudioDevice> m_audio;
    bool m_silent = false;
};

} // namespace sarvo::sound
