#pragma once
// Phones whose limit counts the melody's notes and rests (Type-D, Type-F to Type-K): a note
// counts once toward the limit, its ties and the units it is split into included.

#include "keyguide/keyconversion.h"

#include <functional>

namespace sarvo::keyguide {

// Emits the units of a plan as emitUnits does; the counter goes up by one for the whole note.
inline void emitUnitsCountingNote(KeyConversion& conversion, UnitPlan plan,
                                  const std::function<void(KeyConversion&)>& emitUnit) {
    const int counted = conversion.unitCounter + 1;
    emitUnits(conversion, plan, emitUnit);
    conversion.unitCounter = counted;
}

} // namespace sarvo::keyguide
