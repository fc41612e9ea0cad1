#pragma once
// The voices a melody can be played with: 128 rows, each a General MIDI program. Five favourites
// come first ("着信音ぽいかな？", "ピアノ", ...), then every other
// program in ascending order as "NNN: name" with NNN the program number plus one. Choosing a
// row sends the program change of its program on channel 1.

#include <optional>
#include <span>
#include <string_view>

namespace sarvo::sound {

inline constexpr int kVoiceCount = 128;

struct Voice {
    std::u16string_view text;
    int program; // 0 to 127
};

std::span<const Voice> voiceList();
// The row whose text is exactly text (the settings store the row's text); nullopt when none.
std::optional<int> voiceRowOfText(std::u16string_view text);
// The text of the first row that plays the program (how the voice is shown to the user).
std::optional<std::u16string_view> voiceTextOfProgram(int program);

} // namespace sarvo::sound
