#pragma once

#include "melody/parserstate.h"

#include <string>
#include <string_view>

namespace sarvo::melody {

// Moves every note of the melody one semitone up (+1) or down (-1). Notes already at the top
// (高シ up) or the bottom (低ド down) stay; rests, ties and tokens without a valid pitch are
// copied unchanged. Returns the rebuilt melody text.
std::u16string transposeMelody(ParserState& state, std::u16string_view text, int direction);

} // namespace sarvo::melody
