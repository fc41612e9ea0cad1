#include "keyguide/phonetypes.h"
#include "keyguide/types/typerules.h"
#include "melody/pitchkeytable.h"

#include <array>

namespace sarvo::keyguide {
namespace {

// The digit keys come from the pitch key table, whose natural rows carry them.
const melody::PitchKeyTable& pitchKeys() {
    static const melody::PitchKeyTable table;
    return table;
}

// One entry per phone type, in catalogue order.
std::array<const PhoneTypeRules*, kPhoneTypeCount> buildRegistry() {
    std::array<const PhoneTypeRules*, kPhoneTypeCount> table{};
    const PhoneTypeRules* const all[] = {
        &typeARules(),  &typeBRules(),  &typeCRules(),  &typeDRules(),  &typeERules(),
        &typeFRules(),  &typeGRules(),  &typeHRules(),  &typeIRules(),  &typeJRules(),
        &typeKRules(),  &typeLRules(),  &typeMRules(),  &typeNRules(),  &typeORules(),
        &typePRules(),  &typeQRules(),  &typeRRules(),  &typeSRules(),  &typeTRules(),
        &typeURules(),  &typeVRules(),  &typeWRules(),  &typeXRules(),  &typeYRules(),
        &typeZRules(),  &typeAARules(), &typeABRules(), &typeACRules(), &typeADRules(),
        &typeAERules(), &typeAFRules(), &typeAGRules(), &typeAHRules(), &typeAIRules(),
        &typeAJRules(), &typeAKRules(), &typeALRules(), &typeAMRules(),
    };
    for (const PhoneTypeRules* rules : all)
        table[rules->index - kFirstPhoneType] = rules;
    return table;
}

} // namespace

std::u16string_view digitKeyOf(std::u16string_view pitchName) {
    const int row = pitchKeys().findKeyByName(pitchName);
    return row >= 0 && row < 7 ? std::u16string_view(pitchKeys().row(row).keyText)
                               : std::u16string_view();
}

std::u16string_view pitchNameOfDigitKey(std::u16string_view key) {
    for (int row = 0; row < 7; ++row)
        if (pitchKeys().row(row).keyText == key)
            return pitchKeys().row(row).name;
    return {};
}

const PhoneTypeRules* rulesFor(int typeIndex) {
    static const auto registry = buildRegistry();
    if (typeIndex < kFirstPhoneType || typeIndex > kLastPhoneType)
        return nullptr;
    return registry[typeIndex - kFirstPhoneType];
}

} // namespace sarvo::keyguide
