#pragma once
// What the sound output takes from the user's preferences: the timing of playback and previews,
// the input sound mode and the program of the chosen voice.

#include "settings/preferences.h"
#include "sound/notepreview.h"
#include "sound/playbacktiming.h"

#include <optional>
#include <string_view>

namespace sarvo::app {

// The tempo unit (60 ÷ tempo) ÷ (the tempo note's tenths ÷ 10) = 600 ÷ (tempo × tenths) seconds
// with the tempo base value; the default timing when tempo or tempo note are unusable.
sound::PlaybackTiming playbackTiming(const settings::Preferences& preferences);
sound::InputSoundMode inputSoundMode(settings::InputSound sound);
// The General MIDI program of the voice the preferences name; nullopt for an unknown voice.
std::optional<int> voiceProgram(const settings::Preferences& preferences);
// The program a song's "Neiro" value names: a whole number 0 to 127; nullopt otherwise.
std::optional<int> songProgram(std::u16string_view neiro);

} // namespace sarvo::app
