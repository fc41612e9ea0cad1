#include "sound/midirender.h"

#include "sound/midifileplayer.h"
#include "sound/offlinerenderer.h"

namespace sarvo::sound {

RenderedAudio renderMidiFile(const std::filesystem::path& file, const std::string& soundFont) {
    ManualClock clock;
    OfflineRenderer::Opened opened = OfflineRenderer::open(clock, soundFont);
    if (!opened.renderer)
        return {std::nullopt, opened.error};
    OfflineRenderer& renderer = *opened.renderer;
    RecordingInteractive quiet;
    MidiOutputPort port(
        quiet, {{std::u16string(kDefaultPortLabel), "offline", 0, [&renderer] {
                     return OpenedOutput{std::make_unique<ForwardingMidiOutput>(renderer), {}};
                 }}});
    MidiFilePlayer player(port, clock);
    if (!player.open(file))
        return {std::nullopt, player.lastError()};

    // One pass: the player would start over at the end of the file.
    const TimePoint end = clock.now() + Milliseconds(player.length());
    player.play();
    return renderPass(
        player, [&player] { player.stop(); }, clock, renderer, end);
}

} // namespace sarvo::sound
