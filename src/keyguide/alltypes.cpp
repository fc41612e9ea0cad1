#include "keyguide/alltypes.h"

#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/phonetypes.h"

namespace sarvo::keyguide {

std::vector<TypeKeyText> keyTextsOfAllTypes(std::u16string_view melody, melody::ParserState& state,
                                            IInteractive& ui) {
    std::vector<TypeKeyText> texts;
    texts.reserve(kPhoneTypeCount);
    for (const PhoneType& type : phoneTypes())
        texts.push_back({type.index, convertToKeys(type.index, melody, state, ui)});
    return texts;
}

std::vector<TypeKeyText> convertToAllTypes(int fromTypeIndex, std::u16string_view keyText,
                                           melody::ParserState& state, IInteractive& ui) {
    const std::u16string melody = readKeys(fromTypeIndex, keyText, state, ui);
    return keyTextsOfAllTypes(melody, state, ui);
}

} // namespace sarvo::keyguide
