#pragma once
// Where the staff view puts everything, in twips of its drawing surface (1440 to the inch).
//
// Rows are 1440 twips high. Each row has a cyan marker line 500 twips below its top and five
// staff lines 120 twips apart below that; notes start at x = 600 and advance 420 twips each.
// A glyph is printed at a point whose y is the reference height (row top + 480) plus the pitch
// offset; the font's baseline lies kBaselineBelowPrint below that point, and a stem-up head's
// centre kHeadBelowPrint below it.

#include "melody/staffglyphs.h"
#include "melody/staffnote.h"

#include <optional>
#include <string>
#include <vector>

namespace sarvo::melody {

namespace staffgeometry {
inline constexpr int kRowHeight = 1440;
inline constexpr int kMarkerLine = 500;  // below the row top
inline constexpr int kLineSpacing = 120; // one staff space
inline constexpr int kRightMargin = 100; // the lines end this far from the right edge
inline constexpr int kFirstNoteX = 600;
inline constexpr int kNoteAdvance = 420;
inline constexpr int kReferenceY = 480;   // below the row top
inline constexpr int kStemDownDrop = 170; // stem-down forms are printed this much lower
inline constexpr int kTieUnderDrop = 340; // a tie under a stem-up head
inline constexpr int kTieOverDrop = 170;  // a tie over a stem-down head
inline constexpr int kRestOffset = -60;   // rests centre on the middle line (the height of 中シ)
inline constexpr int kClefOffset = 60;    // the clef winds round the G line (the height of 中ソ)
inline constexpr int kClefX = 100;
inline constexpr int kNoteInset = 100;   // the note glyph's origin from its slot's left
inline constexpr int kSharpX = 40;       // the sharp's origin from the slot's left
inline constexpr int kSharpShift = 100;  // a sharp moves its note right by this much
inline constexpr int kTieArcX = -120;    // the tie arc starts under the previous head
inline constexpr int kCursorX = 30;      // the insertion bar from the next slot's left
inline constexpr int kFontEmTwips = 400; // the note font's em: 1000 units, a staff space 300
inline constexpr int kBaselineBelowPrint = 500;
inline constexpr int kHeadBelowPrint = 440;
inline constexpr int kHeadLeft = 19;        // from the note glyph's origin
inline constexpr int kHeadWidth = 154;      // a black or half note head
inline constexpr int kWholeHeadWidth = 192; // a whole note head
inline constexpr int kLedgerOverhang = 45;
inline constexpr int kScrollUnitsPerRow = 12; // the scroll bar counts staff spaces
} // namespace staffgeometry

// Characters printed with their print point (see above).
struct GlyphRun {
    int x = 0;
    int y = 0;
    std::u16string text;
    bool operator==(const GlyphRun&) const = default;
};

struct LedgerLines {
    int x0 = 0;
    int x1 = 0;
    std::vector<int> ys;
    bool operator==(const LedgerLines&) const = default;
};

struct PlacedNote {
    int index = 0; // 1-based, as in the staff model
    int row = 0;
    int x = 0; // the slot's left edge
    StaffGlyph glyph;
    GlyphRun note;                 // note or rest with its dot; for a tie the continued note
    std::optional<GlyphRun> sharp; // before the note
    std::optional<GlyphRun> tie;   // the arc of a tie entry
    LedgerLines ledgers;           // short lines for heads above or below the staff
    int headY = 0;                 // the head's centre (notes and ties)
    bool selected = false;
};

struct StaffLayout {
    int width = 0; // twips
    int notesPerRow = 1;
    int rows = 1;
    std::vector<PlacedNote> notes;
};

int notesPerRow(int widthTwips);
int rowTop(int row);
int markerLineY(int row);
// line 1 (top) to 5 (bottom)
int staffLineY(int row, int line);
int staffLineEnd(int widthTwips);
// Print point of the clef at the start of a row.
GlyphRun clefRun(int row);

// Lays the notes out on rows for a drawing surface of the given width. The staff always has one
// row; a full last row is followed by an empty one, where the next note goes.
StaffLayout layoutStaff(const std::vector<StaffNote>& notes, int widthTwips);

// The number of notes before a click: the notes on rows above the clicked one and the notes of
// the clicked row whose slot begins left of the click, at most the number of notes.
int noteCountBefore(const StaffLayout& layout, int x, int y);

// Slot position of the gap after `count` notes, where the insertion cursor stands.
struct SlotPosition {
    int row = 0;
    int x = 0;
    bool operator==(const SlotPosition&) const = default;
};
SlotPosition slotAfter(const StaffLayout& layout, int count);

// Height of everything drawn, and the scroll bar's maximum in staff spaces, (rows + 1) × 12.
int contentHeight(int rows);
int scrollMaximum(int rows);

} // namespace sarvo::melody
