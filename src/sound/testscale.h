#pragma once
// The settings' test scale: an ascending scale on the white keys from MIDI note 60, each note
// held for the interval of the test note, so the user can hear the tempo and the tempo base
// value before saving them. After the top of the melody range (95) it starts again at 60.

#include "sound/midioutput.h"
#include "sound/playbacktiming.h"
#include "sound/timedtask.h"

#include <optional>

namespace sarvo::sound {

inline constexpr int kScaleFirstNote = 60;
inline constexpr int kScaleLastNote = 95;

class TestScale final : public ITimedTask {
public:
    explicit TestScale(IMidiOutput& output);

    void setTiming(const PlaybackTiming& timing) { m_timing = timing; }
    // The length of each note, as the tenths of a sixteenth its length entry carries (a quarter
    // 40).
    void setTestNoteTenths(int tenths) { m_noteTenths = tenths; }

    // The first note sounds at now.
    void start(TimePoint now);
    // Ends the sounding note; the next start begins at the bottom again.
    void stop();
    bool isPlaying() const { return m_due.has_value(); }

    std::optional<TimePoint> tick(TimePoint now) override;

private:
    IMidiOutput& m_output;
    PlaybackTiming m_timing;
    int m_noteTenths = 40;
    std::optional<int> m_sounding;
    int m_note = kScaleFirstNote - 1;
    std::optional<TimePoint> m_due;
};

} // namespace sarvo::sound
