#pragma once
// What each phone type makes of a melody, as data for the contract suite: the pitch it plays
// for a pitch of the melody, and the time it gives a note or rest.

#include "keyguide/phonetypes.h"
#include "melody/note.h"
#include "melody/notecodes.h"

#include <array>
#include <optional>

namespace sarvo::keyguide {

using PlayedPitch = std::optional<int> (*)(int midi);

// How a phone's lengths round a melody's: every plain and dotted length is kept, a quarter
// triplet becomes a dotted eighth and the shorter tuplets a sixteenth, and
enum class Grid {
    Own,              // not on a common grid; the type's examples pin its lengths
    Exact,            // nothing else changes
    Sixteenths,       // a dotted sixteenth becomes a sixteenth
    Eighths,          // and everything shorter than a quarter, tuplets included, lasts one eighth
    NoteEighths,      // as Eighths, but rests are left out
    OneEighthPerNote, // every note, whatever its length and ties, one eighth; rests left out
};

struct PhoneSound {
    PlayedPitch played;
    Grid grid;
};

namespace sound {

inline int natural(int midi) {
    return melody::sharpMarkOf(midi % 12).empty() ? midi : midi - 1;
}
inline std::optional<int> all(int midi) {
    return midi;
}
inline std::optional<int> noLow(int midi) {
    return midi < 72 ? std::nullopt : std::optional<int>(midi);
}
inline std::optional<int> lowUp(int midi) {
    return midi < 72 ? midi + 12 : midi;
}
inline std::optional<int> naturals(int midi) {
    return natural(midi);
}
inline std::optional<int> middleNaturals(int midi) {
    return 72 + natural(midi) % 12;
}
inline std::optional<int> middleNaturalsNoLow(int midi) {
    return midi < 72 ? std::nullopt : middleNaturals(midi);
}
inline std::optional<int> middleOctave(int midi) {
    return 72 + midi % 12;
}
// Type-B: the middle octave and the high ド, no sharps.
inline std::optional<int> middleAndHighDo(int midi) {
    const int n = natural(midi);
    return n >= 72 && n <= 84 ? std::optional<int>(n) : std::nullopt;
}
// Type-P: low ド to high ド without sharps, higher notes an octave down.
inline std::optional<int> naturalsToHighDo(int midi) {
    const int n = natural(midi);
    return n > 84 ? n - 12 : n;
}
// Type-W: low ファ to high ド, notes outside an octave nearer.
inline std::optional<int> foldLowFaToHighDo(int midi) {
    return midi < 65 ? midi + 12 : midi > 84 ? midi - 12 : midi;
}
// Type-AH: middle ド to high ミ, notes outside an octave nearer.
inline std::optional<int> foldMiddleDoToHighMi(int midi) {
    return midi < 72 ? midi + 12 : midi > 88 ? midi - 12 : midi;
}

} // namespace sound

// One row per type, in catalogue order (Type-A first).
inline const PhoneSound& phoneSoundOf(int typeIndex) {
    using enum Grid;
    static constexpr std::array<PhoneSound, kPhoneTypeCount> kRows = {{
        {sound::noLow, Eighths},                   // A
        {sound::middleAndHighDo, Sixteenths},      // B
        {sound::all, Sixteenths},                  // C
        {sound::noLow, Eighths},                   // D
        {sound::all, Sixteenths},                  // E
        {sound::noLow, Sixteenths},                // F
        {sound::lowUp, Eighths},                   // G
        {sound::naturals, Sixteenths},             // H
        {sound::naturals, Sixteenths},             // I
        {sound::all, Sixteenths},                  // J
        {sound::all, Sixteenths},                  // K
        {sound::all, Sixteenths},                  // L
        {sound::middleNaturals, Sixteenths},       // M
        {sound::middleOctave, Sixteenths},         // N
        {sound::lowUp, NoteEighths},               // O
        {sound::naturalsToHighDo, Sixteenths},     // P
        {sound::middleNaturalsNoLow, Eighths},     // Q
        {sound::lowUp, OneEighthPerNote},          // R
        {sound::noLow, Exact},                     // S
        {sound::all, Own},                         // T
        {sound::all, Sixteenths},                  // U
        {sound::all, Sixteenths},                  // V
        {sound::foldLowFaToHighDo, Sixteenths},    // W
        {sound::noLow, Sixteenths},                // X
        {sound::all, Own},                         // Y
        {sound::all, Sixteenths},                  // Z
        {sound::all, Sixteenths},                  // AA
        {sound::all, Sixteenths},                  // AB
        {sound::all, Sixteenths},                  // AC
        {sound::all, Sixteenths},                  // AD
        {sound::all, Sixteenths},                  // AE
        {sound::all, Sixteenths},                  // AF
        {sound::all, Sixteenths},                  // AG
        {sound::foldMiddleDoToHighMi, Sixteenths}, // AH
        {sound::all, Eighths},                     // AI
        {sound::all, Eighths},                     // AJ
        {sound::all, Sixteenths},                  // AK
        {sound::all, Sixteenths},                  // AL
        {sound::all, Sixteenths},                  // AM
    }};
    return kRows[typeIndex - kFirstPhoneType];
}

// The ticks a note or rest of the melody lasts on the phone, its ties included; nullopt on a
// grid of the type's own.
inline std::optional<int> ticksOnPhone(Grid grid, const melody::Note& note) {
    const char16_t code = note.length[0];
    const bool rest = melody::isRestCode(code);
    const char16_t asNote = rest ? melody::noteCodeOf(code) : code;
    const int exact = melody::lengthTicks(code, note.dot == u".");
    constexpr int sixteenth = melody::kTicksPerSixteenth;
    int ticks = exact;
    switch (grid) {
    case Grid::Own: return std::nullopt;
    case Grid::OneEighthPerNote: return rest ? 0 : 2 * sixteenth;
    case Grid::Exact:
    case Grid::Sixteenths:
        if (asNote == u'2')
            ticks = 3 * sixteenth;
        else if (asNote == u'3' || asNote == u'5' || asNote == u'6' ||
                 (asNote == u'E' && grid == Grid::Sixteenths))
            ticks = sixteenth;
        break;
    case Grid::Eighths:
    case Grid::NoteEighths:
        if (rest && grid == Grid::NoteEighths)
            return 0;
        if (asNote != u'A' && asNote != u'B' && asNote != u'C')
            ticks = 2 * sixteenth;
        break;
    }
    return ticks * (note.tieCount + 1);
}

} // namespace sarvo::keyguide
