#pragma once
// Renders one pass of a standard MIDI file to audio with the embedded synthesizer, played by the
// MIDI file player on a manual clock.

#include "sound/melodyrender.h"

#include <filesystem>

namespace sarvo::sound {

RenderedAudio renderMidiFile(const std::filesystem::path& file,
                             const std::string& soundFont = kDefaultSoundFont);

} // namespace sarvo::sound
