#pragma once
// Type-AG, Type-AI to Type-AM count the melody's notes towards their limit: a note or rest
// counts once however many units it is typed as, its ties and the parts of a split length
// included.

#include "keyguide/keyconversion.h"

#include <functional>

namespace sarvo::keyguide {

// Emits the units of the current note as emitUnits does, then counts the note once.
inline void emitUnitsOfOneNote(KeyConversion& conversion, const UnitPlan& plan,
                               const std::function<void(KeyConversion&)>& emitUnit) {
    const int before = conversion.unitCounter;
    emitUnits(conversion, plan, emitUnit);
    conversion.unitCounter = before + 1;
}

} // namespace sarvo::keyguide
