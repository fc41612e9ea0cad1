#pragma once
// What the phones that type lengths in whole sixteenths (Type-B, Type-C, Type-E) make of a
// melody's lengths, for their property tests. Every plain length is kept; a dotted sixteenth
// becomes a sixteenth; a quarter-note triplet (and its rest) becomes three sixteenths, a dotted
// eighth; the other triplets and the sextuplets become one sixteenth.

#include "melody/notecodes.h"
#include "melody/noteparser.h"

#include <cstddef>
#include <limits>
#include <string_view>

namespace sarvo::keyguide {

inline int sixteenthsOnGrid(char16_t code, bool dotted) {
    switch (melody::isRestCode(code) ? melody::noteCodeOf(code) : code) {
    case u'E': return 1;
    case u'2': return 3;
    case u'3':
    case u'5':
    case u'6': return 1;
    default: return melody::lengthTicks(code, dotted) / melody::kTicksPerSixteenth;
    }
}

// The ticks the first maxTokens tokens of a melody (ties included) last on such a phone.
inline int ticksOnGrid(std::u16string_view melodyText,
                       size_t maxTokens = std::numeric_limits<size_t>::max()) {
    melody::ParserState state;
    int ticks = 0;
    size_t tokens = 0;
    for (state.readPos = 1; tokens < maxTokens && melody::readNextNote(state, melodyText);
         ++tokens) {
        const melody::Note& note = state.currentNote;
        ticks += sixteenthsOnGrid(note.length[0], note.dot == u".") * (note.tieCount + 1) *
                 melody::kTicksPerSixteenth;
    }
    return ticks;
}

} // namespace sarvo::keyguide
