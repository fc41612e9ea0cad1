#pragma once
// The rule sets of the phone types, one file each under types/, and the keypad helpers they
// share. Only the registry and the tests reach the rule sets directly.

#include "keyguide/phonetyperules.h"

#include <string_view>

namespace sarvo::keyguide {

// The rules of a type that a family body types and reads whole: the body's converter and reader
// bound to the type's keys, the rest as given.
template <const auto& Keys, auto Convert, auto Read>
PhoneTypeRules familyRules(PhoneTypeRules rules) {
    rules.convertNote = [](KeyConversion& conversion) {
        Convert(conversion, Keys);
    };
    rules.readCell = [](KeyReading& reading) {
        Read(reading, Keys);
    };
    return rules;
}

// The full-width digit key of a natural pitch name: "１" for ド ... "７" for シ; "" otherwise.
std::u16string_view digitKeyOf(std::u16string_view pitchName);
// The pitch name of a digit key "１" to "７"; "" for any other key.
std::u16string_view pitchNameOfDigitKey(std::u16string_view key);

const PhoneTypeRules& typeARules();
const PhoneTypeRules& typeBRules();
const PhoneTypeRules& typeCRules();
const PhoneTypeRules& typeDRules();
const PhoneTypeRules& typeERules();
const PhoneTypeRules& typeFRules();
const PhoneTypeRules& typeGRules();
const PhoneTypeRules& typeHRules();
const PhoneTypeRules& typeIRules();
const PhoneTypeRules& typeJRules();
const PhoneTypeRules& typeKRules();
const PhoneTypeRules& typeLRules();
const PhoneTypeRules& typeMRules();
const PhoneTypeRules& typeNRules();
const PhoneTypeRules& typeORules();
const PhoneTypeRules& typePRules();
const PhoneTypeRules& typeQRules();
const PhoneTypeRules& typeRRules();
const PhoneTypeRules& typeSRules();
const PhoneTypeRules& typeTRules();
const PhoneTypeRules& typeURules();
const PhoneTypeRules& typeVRules();
const PhoneTypeRules& typeWRules();
const PhoneTypeRules& typeXRules();
const PhoneTypeRules& typeYRules();
const PhoneTypeRules& typeZRules();
const PhoneTypeRules& typeAARules();
const PhoneTypeRules& typeABRules();
const PhoneTypeRules& typeACRules();
const PhoneTypeRules& typeADRules();
const PhoneTypeRules& typeAERules();
const PhoneTypeRules& typeAFRules();
const PhoneTypeRules& typeAGRules();
const PhoneTypeRules& typeAHRules();
const PhoneTypeRules& typeAIRules();
const PhoneTypeRules& typeAJRules();
const PhoneTypeRules& typeAKRules();
const PhoneTypeRules& typeALRules();
const PhoneTypeRules& typeAMRules();

} // namespace sarvo::keyguide
