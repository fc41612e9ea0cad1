#pragma once
// One note token of the melody text, split into its fields. The melody text is a run of tokens
// each followed by one space: length code, optional dot, octave mark and pitch name (notes only),
// optional sharp, for example "C中ド", "D.高ソ#", "H", "G." and the tie "^".

#include <cstdint>
#include <string>

namespace sarvo::melody {

struct Note {
    std::u16string length;    // the length code character, or ""
    std::u16string dot;       // "." or ""
    std::u16string octave;    // "低", "中", "高" or ""
    std::u16string pitch;     // ド レ ミ フ ソ ラ シ, or "" for a rest
    std::u16string sharp;     // "#" or ""
    uint16_t tieCount = 0;    // tie tokens "^" after the note
    uint16_t repeatCount = 0; // identical tokens merged after it (merging while playing only)

    // The five text fields written as one token (no trailing space).
    std::u16string token() const { return length + dot + octave + pitch + sharp; }
    // Clears the five text fields, as a caller does before each read when it inspects them.
    void clearText() { length.clear(), dot.clear(), octave.clear(), pitch.clear(), sharp.clear(); }
};

// The short record of the note before, kept by the converters to compute relative moves.
struct PreviousNote {
    std::u16string length;
    std::u16string octave = u"中";
    std::u16string pitch;
    std::u16string sharp;
    std::u16string dot;
};

} // namespace sarvo::melody
