#pragma once
// One melody in the key texts of every phone type, and the conversion of one type's key text
// into all the others: the key text is read back into a melody, which is then converted.

#include "common/interaction.h"
#include "melody/parserstate.h"

#include <string>
#include <string_view>
#include <vector>

namespace sarvo::keyguide {

struct TypeKeyText {
    int typeIndex;
    std::u16string keyText;
};

// The key text of the melody for each of the 39 types, in catalogue order.
std::vector<TypeKeyText> keyTextsOfAllTypes(std::u16string_view melody, melody::ParserState& state,
                                            IInteractive& ui);

// Reads the key text of one type back into a melody and converts it into every type.
std::vector<TypeKeyText> convertToAllTypes(int fromTypeIndex, std::u16string_view keyText,
                                           melody::ParserState& state, IInteractive& ui);

} // namespace sarvo::keyguide
