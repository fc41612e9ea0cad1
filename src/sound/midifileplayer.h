#pragma once
// Plays a standard MIDI file through the MIDI output chosen in the settings, in a loop, with
// stop, seek, length, position and mode, the operations a sequencer device offers.
//
// While a file is loaded the program's note output is released so the file has the device to
// itself; unloading gives it back. Positions and lengths are in milliseconds. Seeking stops
// playback, as it does on a sequencer; playing from a position first sends the programs,
// controllers and pitch bends the file set before it, so the music sounds as it would there.

#include "common/interaction.h"
#include "sound/clock.h"
#include "sound/midievent.h"
#include "sound/midiports.h"
#include "sound/timedtask.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sarvo::sound {

inline constexpr std::u16string_view kChordPlaybackFailedMessage =
    u"和音の再生に失敗しました。\nもう一度曲を選択してやり直して下さい。m(_ _)m";
inline constexpr std::string_view kModePlaying = "playing";
inline constexpr std::string_view kModeStopped = "stopped";

class MidiFilePlayer final : public ITimedTask {
public:
    MidiFilePlayer(MidiOutputPort& notes, const IClock& clock);
    ~MidiFilePlayer() override;

    // What the player window does when it opens: release the note output, open the file on the
    // selected port and play it from the start. On failure the user is told and nothing plays.
    bool load(const std::filesystem::path& file, IInteractive& ui);
    // What it does when it closes: close the file and open the note output again.
    void unload();

    // Opens the file (closing any open one) on an output of the selected port; false when the
    // file cannot be read or the port not opened (lastError says why).
    bool open(const std::filesystem::path& file);
    bool open(const SmfFile& file);
    void close();
    bool isOpen() const { return m_output != nullptr; }
    const std::string& lastError() const { return m_lastError; }

    // Plays from the position; at the end the file starts over until stopped.
    bool play();
    bool stop();
    // Moves the position (0 to length) and stops playback.
    bool seek(int64_t positionMs);

    int64_t length() const; // 0 when no file is open
    int64_t position() const;
    // "playing", "stopped", or "" when no file is open.
    std::string_view mode() const;

    std::optional<TimePoint> tick(TimePoint now) override;

private:
    struct Event {
        double ms;
        uint32_t message;
    };

    int64_t positionAt(TimePoint now) const;
    void send(uint32_t message);
    // Sends the settings (everything but notes) of the events before the next one.
    void chaseSettings();
    void silenceNotes();
    // The first event at or after the position.
    size_t eventAt(double ms) const;

    MidiOutputPort& m_notes;
    const IClock& m_clock;
    std::unique_ptr<IMidiOutput> m_output;
    std::string m_lastError;

    std::vector<Event> m_events;
    double m_lengthMs = 0;
    size_t m_next = 0;
    bool m_playing = false;
    double m_positionMs = 0; // while stopped; while playing, the position at m_startedAt
    TimePoint m_startedAt;
    std::array<std::array<bool, 128>, 16> m_sounding{};
};

} // namespace sarvo::sound
