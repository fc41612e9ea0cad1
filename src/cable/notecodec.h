#pragma once
// How a cable type keeps a melody: every note is a pitch value and a length value. A table of
// lengths gives each length code its value; the designed types instead count the length in
// twelfths of a quarter note. A type's pitches are a rule from the pitch number (0 低ド to 35
// 高シ) to its value.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sarvo::cable {

struct NoteValue {
    int pitch = 0;
    int length = 0;

    friend bool operator==(const NoteValue&, const NoteValue&) = default;
};

struct LengthValue {
    char16_t code; // a note length code
    bool dotted;
    int value;
};

// Ticks (1/48 quarter note) of one unit of the designed length values.
inline constexpr int kUnitTicks = 4;
inline constexpr int kMaxUnits = 255;

struct NoteCodec {
    // The value of a pitch number; -1 when the type has no such pitch (it is moved up an octave).
    int (*pitchValue)(int pitch);
    int restValue;
    // Longest first. Empty: the length value is the note's duration in kUnitTicks.
    std::span<const LengthValue> lengths;
};

struct EncodedNotes {
    std::vector<NoteValue> notes;
    bool cut = false; // the type's note limit cut the melody
};

// The melody as the type's notes, at most limit of them. A duration the type has no length for
// is written as several notes of the pitch; ties join into one note where the type has a
// length of their sum.
EncodedNotes encodeNotes(const NoteCodec& codec, std::u16string_view melody, size_t limit);

// The notes as melody text; nullopt when a value is none of the type's.
std::optional<std::u16string> decodeNotes(const NoteCodec& codec, std::span<const NoteValue> notes);

} // namespace sarvo::cable
