#pragma once
// The rule set of one phone type: its note limit, what the limit counts, and the two small
// functions that turn a note into key cells and a key cell back into notes. The frame that
// walks the melody (keyconversion.h) and the key text (keyreading.h) is shared by all types;
// each type registers its rules in the one table of phonetyperegistry.cpp.

#include "melody/note.h"

#include <optional>
#include <string_view>

namespace sarvo::keyguide {

// The message of a note a converter cannot express, or a key a reader did not expect.
inline constexpr std::u16string_view kConversionError = u"変換エラー！";

struct KeyConversion;
struct KeyReading;

enum class LimitRule {
    None,           // no limit
    StopAtLimit,    // stop before the next note once the counter has reached the limit
    StopAfterLimit, // stop before the next note once the counter has exceeded the limit
};

// What the counter of a type's limit counts.
enum class LimitCount {
    // The units a note is typed as. The limit is tested before each note, so the last note may
    // carry the guide past it.
    Units,
    // The melody's notes and rests, each once however it is typed; tested before each note.
    Notes,
    // The entries the phone stores: each note or rest it takes, a sharp note as sharpEntries. A
    // guide never asks for more than the limit allows; it ends with the last entry that fits.
    Entries,
};

struct PhoneTypeRules {
    int index = 0;
    int limit = 0;
    LimitRule limitRule = LimitRule::None;
    LimitCount limitCounts = LimitCount::Entries;
    int sharpEntries = 1; // entries a sharp note takes, where the limit counts entries
    // The converters of some types merge identical following notes while playing; the player
    // and the chord writer read this flag.
    bool mergeRepeats = false;
    // Turns state.currentNote into cells appended to the key text; units go through emitUnits,
    // which counts them as limitCounts says.
    void (*convertNote)(KeyConversion&) = nullptr;
    // The note a reader starts each cell with.
    melody::Note readerDefault;
    // Decodes the cell at the reader position (and the look-ahead cells it needs).
    void (*readCell)(KeyReading&) = nullptr;
};

// The most the counter may reach before the conversion stops: the limit, or one more for a type
// that stops once the limit is exceeded; nullopt for a type without a limit.
std::optional<int> mostCounted(const PhoneTypeRules& rules);

// nullptr for an index outside 2 to 40.
const PhoneTypeRules* rulesFor(int typeIndex);

} // namespace sarvo::keyguide
