#pragma once
// Renders one pass of a melody to audio with the embedded synthesizer: the melody player runs on
// a manual clock against the offline renderer, so the sound is exactly what playback sounds like,
// produced much faster than real time.

#include "sound/clock.h"
#include "sound/fluidsynthengine.h"
#include "sound/playbacktiming.h"
#include "sound/wavfile.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace sarvo::sound {

// Time rendered after the last note, for its sound to die away.
inline constexpr Milliseconds kRenderTail{500};

struct RenderedAudio {
    std::optional<WavAudio> audio;
    std::string error; // empty when audio is set
};

class ITimedTask;
class OfflineRenderer;

// Runs a task on the manual clock that drives the renderer, from now to end (one pass of what it
// plays), calls stop, and renders the tail: the audio of that pass.
RenderedAudio renderPass(ITimedTask& task, const std::function<void()>& stop, ManualClock& clock,
                         OfflineRenderer& renderer, TimePoint end);

// The melody from its first note to its end, played with the voice's program (0 to 127).
RenderedAudio renderMelody(std::u16string_view melody, const PlaybackTiming& timing, int program,
                           const std::string& soundFont = kDefaultSoundFont);

} // namespace sarvo::sound
