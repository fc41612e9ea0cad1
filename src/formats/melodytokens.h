#pragma once
// Reading a melody text into its tokens and writing decoded notes back as tokens, shared by the
// encoders and decoders of the byte formats.

#include "melody/note.h"
#include "melody/parserstate.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sarvo::formats {

// Number of the 36 pitches from 低ド (0) to 高シ (35).
inline constexpr int kPitchCount = 36;

// The tokens of a melody text as a full walk reads them, ties counted on their note.
std::vector<melody::Note> readTokens(std::u16string_view melodyText);

// The pitch number of a note token; nullopt for a rest or a token without a valid pitch.
std::optional<int> pitchNumber(const melody::Note& note);

// A pitch moved by whole octaves into the range 低ド to 高シ.
int foldIntoRange(int pitch);

// Builds a melody text token by token.
class TokenWriter {
public:
    // One token of a note length code ("A" to "E", "2" to "6") with a dot and ties; a rest when
    // pitch is empty, written as the rest code of that length.
    void append(char16_t noteCode, bool dotted, std::optional<int> pitch, int ties = 0);
    // A duration in ticks, written as the longest length that fits followed by the rest of the
    // duration the same way; a note's equal plain pieces are joined by ties. Less than the
    // shortest length (8 ticks) left over is dropped. Returns the ticks written.
    int appendSplit(int ticks, std::optional<int> pitch);

    const std::u16string& text() const { return m_text; }

private:
    melody::ParserState m_state;
    std::u16string m_text;
};

} // namespace sarvo::formats
