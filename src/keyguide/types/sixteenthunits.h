#pragma once
// Phones whose lengths come from a short list, where every other length is typed as the
// longest listed length that fits and rests of a listed length for the time left over. What
// such a phone makes of a length is counted in sixteenths: a dotted sixteenth is a sixteenth, a
// quarter-note triplet three sixteenths (a dotted eighth), the shorter tuplets one sixteenth.

#include "keyguide/keyconversion.h"
#include "keyguide/types/numberedlengths.h"
#include "melody/note.h"

#include <span>

namespace sarvo::keyguide {

// The sixteenths a length code (note or rest) lasts on such a phone, ties not included; 0 for a
// code that is neither a note nor a rest.
int sixteenthsOnPhone(char16_t code, bool dotted);

// The units of a note: first the longest listed length that fits (a note, or a rest for a
// rest), then rests of the longest plain listed length that divides the time left. A code that is
// neither note nor rest is one unit that types nothing.
UnitPlan listedSixteenthUnits(const melody::Note& note, std::span<const ListedLength> lengths);

} // namespace sarvo::keyguide
