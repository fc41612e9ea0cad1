#pragma once
// The vocabulary of the melody text: length codes, their durations, octave marks, pitch names
// and MIDI note numbers.
//
// Durations are counted in ticks of 1/48 quarter note (12 ticks to a sixteenth), which holds
// every length exactly, the triplets and sextuplets included.

#include <optional>
#include <string_view>

namespace sarvo::melody {

inline constexpr int kTicksPerSixteenth = 12;
inline constexpr char16_t kTie = u'^';

// A to E: notes, whole to sixteenth.
bool isPlainNoteCode(char16_t code);
// F to J: rests, whole to sixteenth.
bool isPlainRestCode(char16_t code);
// 2 3 5 6: tuplet notes.
bool isTupletNoteCode(char16_t code);
// backslash ] _ grave accent: tuplet rests.
bool isTupletRestCode(char16_t code);
// Codes whose token carries an octave mark and a pitch name.
bool isNoteCode(char16_t code);
bool isRestCode(char16_t code);

// The rest of the same length: a plain note code plus 5, a tuplet note code plus 42.
char16_t restCodeOf(char16_t noteCode);
// The note code of the same length as a rest code (the inverse of restCodeOf).
char16_t noteCodeOf(char16_t restCode);
// 3 for codes 2, 3 and their rests, 6 for 5, 6 and their rests, 0 for other codes.
int tupletGroupSize(char16_t code);

// Duration of one token's length code (without its ties) in ticks; 0 for codes with no
// duration of their own (the tie, unknown codes).
int lengthTicks(char16_t code, bool dotted);

// Octave index of an octave mark: 低 0, 中 1, 高 2.
std::optional<int> octaveIndex(std::u16string_view mark);
std::u16string_view octaveMark(int index);
// Semitone above the octave's ド of a pitch name with its sharp ("" or "#"); nullopt for a
// name that is not one of the twelve (ミ# and シ# included).
std::optional<int> semitoneOf(std::u16string_view pitch, std::u16string_view sharp);
// Pitch name and sharp mark of a semitone 0 to 11.
std::u16string_view pitchNameOf(int semitone);
std::u16string_view sharpMarkOf(int semitone);
// 60 + 12 × octave + semitone; nullopt when octave or pitch is not valid.
std::optional<int> midiNoteNumber(std::u16string_view octave, std::u16string_view pitch,
                                  std::u16string_view sharp);

} // namespace sarvo::melody
