#pragma once
// Which characters of the note font draw a staff note, and the pitch heights of the staff.
//
// A length code is drawn as its own character: A to E notes, F to J rests, the tuplet digits
// and tuplet rest codes. Notes from 中シ up (中シ and the high octave) take their stem-down form,
// the letter's character + 16 or the digit's + 8, except the whole note, which has no stem; a
// stem-down form takes "," as its dot instead of ".". A sharp is drawn before its note as "$",
// or "%" in the high octave. A tie entry is drawn as an arc and the note it continues.

#include "melody/staffnote.h"

#include <optional>
#include <string>
#include <string_view>

namespace sarvo::melody {

// Characters of the note font that are not length codes.
namespace notefont {
inline constexpr char16_t kClef = u'ト';
inline constexpr char16_t kSharp = u'$';
inline constexpr char16_t kHighSharp = u'%';
inline constexpr char16_t kDot = u'.';
inline constexpr char16_t kStemDownDot = u',';
inline constexpr char16_t kTieUnder = u'^'; // under a stem-up head
inline constexpr char16_t kTieOver = u'~';  // over a stem-down head
inline constexpr char16_t kStemDownLetterShift = 16;
inline constexpr char16_t kStemDownDigitShift = 8;
} // namespace notefont

enum class StaffGlyphKind { Note, Rest, Tie, Unknown };

struct StaffGlyph {
    StaffGlyphKind kind = StaffGlyphKind::Unknown;
    // The note or rest characters with the dot glyph; for a tie, the continued note.
    std::u16string text;
    char16_t sharp = 0;  // kSharp or kHighSharp, 0 without a sharp
    char16_t tieArc = 0; // kTieUnder or kTieOver for a tie entry
    bool stemDown = false;
    bool wholeNote = false;
    int pitchOffset = 0; // twips below the reference height (negative above); notes and ties

    bool operator==(const StaffGlyph&) const = default;
};

// Height of a pitch ("中ド", "高ソ#") in twips below the reference height, 60 twips per
// diatonic step from 低ド 720 to 高シ -480; a sharp takes its natural's height.
std::optional<int> pitchOffset(std::u16string_view pitch);
// 中シ and the whole high octave.
bool isStemDownPitch(std::u16string_view pitch);
bool isHighOctave(std::u16string_view pitch);

// The glyphs of one staff note. tiedFrom is the nearest earlier note that is not a tie (for a
// tie entry; it may be null), whose length the tie repeats.
StaffGlyph chooseGlyph(const StaffNote& note, const StaffNote* tiedFrom = nullptr);

} // namespace sarvo::melody
