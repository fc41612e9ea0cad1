#pragma once
// The seven phone types the cable reaches, in the order of the dialog's type list, with the
// frame family each belongs to, how it keeps a melody and how many notes it holds.

#include "cable/notecodec.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace sarvo::cable {

enum class CableType { E, O, S, AA, AB, AC, AD };

// Frame families, by the first bytes of their frames.
enum class Family {
    D1060F, // Type-O, Type-S, Type-AA
    D1010C, // Type-E, Type-AB
    D1010D, // Type-AC
    D103,   // Type-AC, the D502i model (i-melody data)
    D10901, // Type-AD
};

struct CableTypeInfo {
    CableType type;
    std::u16string_view shortName; // "Type-E"
    Family family;
    const NoteCodec* codec; // nullptr: i-melody data
    size_t noteLimit;
    std::u16string_view limitMessage; // logged when the limit cut a melody written
    int chordParts;                   // parts a write may carry
};

std::span<const CableTypeInfo> cableTypes();
const CableTypeInfo& cableTypeInfo(CableType type);
// By short name, ASCII case ignored.
std::optional<CableType> cableTypeByName(std::u16string_view shortName);
// The entry of the dialog's type list, such as "Type-S [N501i]".
std::u16string_view cableEntryText(CableType type);

inline constexpr int kSlotCount = 20;
// The entry of a ringtone slot 1 to 20: "着信音１" .. "着信音９", "着信音10" .. "着信音19",
// "着信音00".
std::u16string ringtoneSlotName(int slot);

// The family a transfer with this type speaks; the D502i model of Type-AC has its own.
Family familyOf(CableType type, bool d502i);

} // namespace sarvo::cable
