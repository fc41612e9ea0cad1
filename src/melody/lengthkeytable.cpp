#include "melody/lengthkeytable.h"

namespace sarvo::melody {

char16_t lengthCodeOfEntry(int entry) {
    if (entry < 0 || entry >= kLengthEntries || entry == kLengthGapEntry)
        return 0;
    // The rest codes follow the note codes, so the gap shifts them by one entry.
    return static_cast<char16_t>(entry < kLengthGapEntry ? u'A' + entry : u'A' + entry - 1);
}

bool isRestEntry(int entry) {
    return entry > kLengthGapEntry && entry < kLengthEntries;
}

uint16_t lengthKeyOfEntry(int keyMap, int entry) {
    const char16_t code = lengthCodeOfEntry(entry);
    if (code == 0)
        return 0;
    if (keyMap == 0)
        return code;
    return static_cast<uint16_t>(u'0' + (code - u'A'));
}

std::optional<int> findLengthEntry(int keyMap, uint16_t keyCode) {
    for (int entry = 0; entry < kLengthEntries; ++entry) {
        const uint16_t key = lengthKeyOfEntry(keyMap, entry);
        if (key != 0 && key == keyCode)
            return entry;
    }
    return std::nullopt;
}

std::optional<int> lengthEntryOfCode(char16_t code) {
    if (code < u'A' || code > u'J')
        return std::nullopt;
    const int offset = code - u'A';
    return offset < kLengthGapEntry ? offset : offset + 1;
}

} // namespace sarvo::melody
