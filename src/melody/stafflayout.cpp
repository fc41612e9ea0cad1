#include "melody/stafflayout.h"

#include <algorithm>

namespace sarvo::melody {

using namespace staffgeometry;

namespace {

// Print height of a pitch offset on a row.
int printY(int row, int offset) {
    return rowTop(row) + kReferenceY + offset;
}

LedgerLines ledgersFor(int row, int headY, int noteX, bool wholeNote) {
    LedgerLines ledgers;
    const int head = wholeNote ? kWholeHeadWidth : kHeadWidth;
    ledgers.x0 = noteX + kHeadLeft - kLedgerOverhang;
    ledgers.x1 = noteX + kHeadLeft + head + kLedgerOverhang;
    const int slack = kLineSpacing / 4;
    // Above the top line: a line every staff space from the one above the staff to the head.
    for (int y = staffLineY(row, 1) - kLineSpacing; y >= headY - slack; y -= kLineSpacing)
        ledgers.ys.push_back(y);
    for (int y = staffLineY(row, 5) + kLineSpacing; y <= headY + slack; y += kLineSpacing)
        ledgers.ys.push_back(y);
    return ledgers;
}

PlacedNote place(const StaffNote& note, const StaffNote* tiedFrom, int index, int row, int x) {
    PlacedNote placed;
    placed.index = index;
    placed.row = row;
    placed.x = x;
    placed.selected = note.selected;
    placed.glyph = chooseGlyph(note, tiedFrom);
    const StaffGlyph& glyph = placed.glyph;
    int noteX = x + kNoteInset;
    switch (glyph.kind) {
    case StaffGlyphKind::Unknown: return placed;
    case StaffGlyphKind::Rest:
        placed.note = {noteX, printY(row, kRestOffset), glyph.text};
        return placed;
    case StaffGlyphKind::Note:
    case StaffGlyphKind::Tie: break;
    }
    const int base = printY(row, glyph.pitchOffset);
    if (glyph.sharp) {
        // The high-octave sharp is drawn for the stem-down height.
        const int drop = glyph.sharp == notefont::kHighSharp ? kStemDownDrop : 0;
        placed.sharp = GlyphRun{x + kSharpX, base + drop, std::u16string(1, glyph.sharp)};
        noteX += kSharpShift;
    }
    if (glyph.kind == StaffGlyphKind::Tie) {
        const bool over = glyph.tieArc == notefont::kTieOver;
        placed.tie = GlyphRun{x + kTieArcX, base + (over ? kTieOverDrop : kTieUnderDrop),
                              std::u16string(1, glyph.tieArc)};
    }
    placed.note = {noteX, base + (glyph.stemDown ? kStemDownDrop : 0), glyph.text};
    placed.headY = base + kHeadBelowPrint;
    if (!glyph.text.empty())
        placed.ledgers = ledgersFor(row, placed.headY, noteX, glyph.wholeNote);
    return placed;
}

} // namespace

int notesPerRow(int widthTwips) {
    return std::max(1, (staffLineEnd(widthTwips) - kFirstNoteX) / kNoteAdvance);
}

int rowTop(int row) {
    return row * kRowHeight;
}

int markerLineY(int row) {
    return rowTop(row) + kMarkerLine;
}

int staffLineY(int row, int line) {
    return markerLineY(row) + kLineSpacing * line;
}

int staffLineEnd(int widthTwips) {
    return widthTwips - kRightMargin;
}

GlyphRun clefRun(int row) {
    return {kClefX, printY(row, kClefOffset), std::u16string(1, notefont::kClef)};
}

StaffLayout layoutStaff(const std::vector<StaffNote>& notes, int widthTwips) {
    StaffLayout layout;
    layout.width = widthTwips;
    layout.notesPerRow = notesPerRow(widthTwips);
    const int count = static_cast<int>(notes.size());
    layout.rows = count / layout.notesPerRow + 1;
    layout.notes.reserve(notes.size());
    const StaffNote* tiedFrom = nullptr;
    for (int i = 0; i < count; ++i) {
        const StaffNote& note = notes[static_cast<size_t>(i)];
        const SlotPosition slot = slotAfter(layout, i);
        layout.notes.push_back(place(note, tiedFrom, i + 1, slot.row, slot.x));
        if (!note.isTie())
            tiedFrom = &note;
    }
    return layout;
}

SlotPosition slotAfter(const StaffLayout& layout, int count) {
    const int n = layout.notesPerRow;
    return {count / n, kFirstNoteX + kNoteAdvance * (count % n)};
}

int noteCountBefore(const StaffLayout& layout, int x, int y) {
    const int row = std::max(0, y) / kRowHeight;
    int onRow = 0;
    if (x > kFirstNoteX)
        onRow = std::min(layout.notesPerRow, (x - kFirstNoteX + kNoteAdvance - 1) / kNoteAdvance);
    const long before = static_cast<long>(row) * layout.notesPerRow + onRow;
    return static_cast<int>(std::min<long>(before, static_cast<long>(layout.notes.size())));
}

int contentHeight(int rows) {
    return (rows + 1) * kRowHeight;
}

int scrollMaximum(int rows) {
    return (rows + 1) * kScrollUnitsPerRow;
}

} // namespace sarvo::melody
