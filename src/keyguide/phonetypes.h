#pragma once
// The catalogue of the 39 phone types, "Type-A" to "Type-AM": the type index on which every
// converter and reader dispatches, the labels naming the models of each type, and the capacity
// text shown when the type is chosen.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sarvo::keyguide {

// View selector indexes: 0 and 1 are the input views, 2 to 40 the phone types.
inline constexpr int kNoteInputView = 0;
inline constexpr int kStaffInputView = 1;
inline constexpr int kFirstPhoneType = 2;
inline constexpr int kLastPhoneType = 40;
inline constexpr int kPhoneTypeCount = kLastPhoneType - kFirstPhoneType + 1;

struct PhoneType {
    int index;
    std::u16string_view label;      // as the view selector shows it
    std::u16string_view capacity;   // as the status bar shows it
    std::u16string_view listLabel;  // in the settings and import lists
    std::u16string_view cableLabel; // in the cable dialog; empty when the type has no cable

    // The label up to its first blank, for example "Type-A": what settings and file names use.
    std::u16string_view shortName() const;
};

std::span<const PhoneType> phoneTypes();
// nullptr outside 2 to 40.
const PhoneType* phoneTypeByIndex(int index);
// Looks a type up by its short name ("Type-AB"), ignoring case; nullptr when unknown.
const PhoneType* phoneTypeByShortName(std::u16string_view name);

// A list row's type name: its text up to the first blank.
std::u16string_view shortNameOf(std::u16string_view label);

// The 41 entries of the view selector: the two input views, then the 39 type labels.
std::vector<std::u16string> viewSelectorEntries();

} // namespace sarvo::keyguide
