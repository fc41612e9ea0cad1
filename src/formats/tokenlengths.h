#pragma once
// The lengths a single melody token can have, and how the i-melody decoder reads a gate time or
// a gap that is no such length. The decoder, the token writer and the MIDI import's quantizer
// (which must predict what the decoder will read) share them.

#include <array>
#include <cstdint>

namespace sarvo::formats {

struct TokenLength {
    int ticks; // in 1/48 of a quarter note
    char16_t code;
    bool dotted;
};

// Every length a single token can have, longest first.
inline constexpr std::array<TokenLength, 11> kTokenLengths = {{{192, u'A', false},
                                                               {144, u'B', true},
                                                               {96, u'B', false},
                                                               {72, u'C', true},
                                                               {48, u'C', false},
                                                               {36, u'D', true},
                                                               {32, u'2', false},
                                                               {24, u'D', false},
                                                               {16, u'3', false},
                                                               {12, u'E', false},
                                                               {8, u'6', false}}};

// The token length of exactly these ticks; nullptr when no token is that long.
const TokenLength* exactTokenLength(int64_t ticks);

// The length the decoder gives a note of this gate time: the exact length, else the first length
// whose range the gate reaches (the shortest below that).
const TokenLength& gateLength(int64_t gate);

// The first rest the decoder writes for a gap that is no length of its own: the first length
// whose range the gap reaches; nullptr below the ranges (under 16 ticks).
const TokenLength* gapRestLength(int64_t gap);

} // namespace sarvo::formats
