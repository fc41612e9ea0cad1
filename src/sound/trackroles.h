#pragma once
// What a track's name says about the part it plays: the melody ("Melody 1", "Vocal", "Lead",
// "メロ") or an accompaniment ("Acc 1", "Bass", "Drums", "Pad", "伴奏").

#include <string_view>

namespace sarvo::sound {

enum class TrackRole { Unknown, Melody, Accompaniment };

// The name as a MIDI file holds it: bytes in code page 932 or UTF-8.
TrackRole trackRoleOf(std::string_view name);

} // namespace sarvo::sound
