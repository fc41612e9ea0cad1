#pragma once
// Phones that set a note's length by its number in a fixed list of lengths (Type-T, Type-Y).
// The list names note lengths; a rest is looked up by the note of the same length and read back
// as the rest of the length found.

#include "melody/notecodes.h"

#include <optional>
#include <span>

namespace sarvo::keyguide {

struct ListedLength {
    char16_t noteCode = 0;
    bool dotted = false;
};

struct NumberedLengths {
    std::span<const ListedLength> lengths;
    int firstNumber = 0; // the number of the first length in the list

    // The number of a length code (note or rest) with its dot; nullopt when the list lacks it.
    std::optional<int> numberOf(char16_t code, bool dotted) const {
        const char16_t noteCode = melody::isRestCode(code) ? melody::noteCodeOf(code) : code;
        for (size_t i = 0; i < lengths.size(); ++i)
            if (lengths[i].noteCode == noteCode && lengths[i].dotted == dotted)
                return firstNumber + static_cast<int>(i);
        return std::nullopt;
    }

    // The length with this number, as a note or as the rest of the same length.
    std::optional<ListedLength> lengthOf(int number, bool rest) const {
        const int i = number - firstNumber;
        if (i < 0 || i >= static_cast<int>(lengths.size()))
            return std::nullopt;
        ListedLength found = lengths[static_cast<size_t>(i)];
        if (rest)
            found.noteCode = melody::restCodeOf(found.noteCode);
        return found;
    }
};

} // namespace sarvo::keyguide
