#include "sound/melodyrender.h"

#include "sound/melodyplayer.h"
#include "sound/offlinerenderer.h"

namespace sarvo::sound {

RenderedAudio renderPass(ITimedTask& task, const std::function<void()>& stop, ManualClock& clock,
                         OfflineRenderer& renderer, TimePoint end) {
    for (std::optional<TimePoint> due = task.tick(clock.now()); due && *due < end;
         due = task.tick(clock.now()))
        clock.setNow(*due);
    clock.setNow(end);
    stop();
    clock.advance(kRenderTail);
    renderer.catchUp();
    return {WavAudio{2, renderer.sampleRate(), renderer.samples()}, {}};
}

RenderedAudio renderMelody(std::u16string_view melody, const PlaybackTiming& timing, int program,
                           const std::string& soundFont) {
    ManualClock clock;
    OfflineRenderer::Opened opened = OfflineRenderer::open(clock, soundFont);
    if (!opened.renderer)
        return {std::nullopt, opened.error};
    OfflineRenderer& renderer = *opened.renderer;
    renderer.sendShortMessage(programChangeMessage(program));

    melody::ParserState state;
    MelodyPlayer player(state, renderer);
    player.setTiming(timing);
    // The pass ends where the player would start the first note again.
    const TimePoint end = clock.now() + melodyPlayingTime(melody, timing);
    player.start(melody, 0, clock.now());
    return renderPass(
        player, [&player] { player.stop(); }, clock, renderer, end);
}

} // namespace sarvo::sound
