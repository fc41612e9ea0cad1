#pragma once
// The mail formats that carry one melody take the first part of a ringtone.

#include "formats/ringtone.h"

#include <string_view>

namespace sarvo::formats {

inline std::u16string_view singleMelody(const Ringtone& ringtone) {
    return ringtone.parts.empty() ? std::u16string_view() : ringtone.parts.front().melody;
}

} // namespace sarvo::formats
