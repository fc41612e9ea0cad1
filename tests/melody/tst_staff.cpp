// The staff view's core: glyph choice by the length code and pitch, the note list kept in step
// with edits and the geometry of rows, notes and clicks.

#include "melody/staffglyphs.h"
#include "melody/stafflayout.h"
#include "melody/staffmodel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sarvo::melody {
namespace {

using namespace staffgeometry;


// The glyph by the length code and pitch; a tie repeats the note it continues, with an arc
// opposite its stem and no accidental.
TEST(GlyphChoice, FollowsTheLengthCodeAndPitch) {
    struct Case {
        const char* name;
        StaffNote note;
        std::optional<StaffNote> tiedFrom;
        StaffGlyphKind kind;
        std::u16string text;
        char16_t sharp; // for a tie: the arc
        bool stemDown;
    };
    constexpr auto kNote = StaffGlyphKind::Note;
    constexpr auto kRest = StaffGlyphKind::Rest;
    constexpr auto kTie = StaffGlyphKind::Tie;
    constexpr auto kUnknown = StaffGlyphKind::Unknown;
    constexpr std::nullopt_t kNone = std::nullopt;
    // clang-format off
    const Case cases[] = {
        {"QuarterMiddle", {u"中ラ", u"C"}, kNone, kNote, u"C", 0, false},
        // From 中シ up the stem turns down: the letter + 16.
        {"HalfMiddleSi", {u"中シ", u"B"}, kNone, kNote, u"R", 0, true},
        // A whole note has no stem and keeps its letter.
        {"SharpDottedWholeHigh", {u"高ソ#", u"A."}, kNone, kNote, u"A.", u'%', false},
        // Dots: "." after a stem-up form, "," after a stem-down form.
        {"DottedEighthHigh", {u"高レ", u"D."}, kNone, kNote, u"T,", 0, true},
        // Tuplets: the digit, + 8 from 中シ up, never a dot.
        {"TripletEighthSi", {u"中シ", u"3"}, kNone, kNote, u";", 0, true},
        {"SextupletEighthLow", {u"低ラ", u"6"}, kNone, kNote, u"6", 0, false},
        // Sharps: "$" in the low and middle octave, "%" in the high one.
        {"SharpMiddle", {u"中ラ#", u"D."}, kNone, kNote, u"D.", u'$', false},
        {"SharpHigh", {u"高フ#", u"E"}, kNone, kNote, u"U", u'%', true},
        {"Rest", {u"", u"G."}, kNone, kRest, u"G.", 0, false},
        {"NoteCodeWithoutPitch", {u"", u"C"}, kNone, kUnknown, u"", 0, false},
        {"RestCodeWithPitch", {u"中ド", u"H"}, kNone, kUnknown, u"", 0, false},
        {"UnusedCode", {u"中ド", u"K"}, kNone, kUnknown, u"", 0, false},
        {"EmptyLength", {u"中ド", u""}, kNone, kUnknown, u"", 0, false},
        {"BrokenPitch", {u"中", u"C"}, kNone, kUnknown, u"", 0, false},
        {"NoSuchOctave", {u"上ド", u"C"}, kNone, kUnknown, u"", 0, false},
        {"NoSuchName", {u"中ファ", u"C"}, kNone, kUnknown, u"", 0, false},
        {"TwoSharps", {u"中ド##", u"C"}, kNone, kUnknown, u"", 0, false},
        {"DottedHalf", {u"低ソ", u"^"}, StaffNote{u"低ソ", u"B."}, kTie, u"B.", u'^', false},
        {"SharpedHigh", {u"高ソ", u"^"}, StaffNote{u"高ソ#", u"D"}, kTie, u"T", u'~', true},
        {"DottedHigh", {u"中シ", u"^"}, StaffNote{u"中シ", u"C."}, kTie, u"S,", u'~', true},
        {"WholeHigh", {u"高ド", u"^"}, StaffNote{u"高ド", u"A"}, kTie, u"A", u'~', false},
        // Nothing to continue: the arc alone.
        {"AtTheStart", {u"中ミ", u"^"}, kNone, kTie, u"", u'^', false},
        {"AfterARest", {u"中ミ", u"^"}, StaffNote{u"", u"H"}, kTie, u"", u'^', false},
    };
    // clang-format on
    for (const Case& c : cases) {
        const StaffGlyph glyph = chooseGlyph(c.note, c.tiedFrom ? &*c.tiedFrom : nullptr);
        SCOPED_TRACE(c.name);
        EXPECT_EQ(glyph.kind, c.kind);
        EXPECT_EQ(glyph.text, c.text);
        EXPECT_EQ(c.kind == kTie ? glyph.tieArc : glyph.sharp, c.sharp);
        EXPECT_EQ(glyph.stemDown, c.stemDown);
        EXPECT_TRUE(c.kind != kTie || glyph.sharp == 0) << "a tied note repeats no accidental";
    }
}


struct Entry {
    std::u16string pitch;
    std::u16string length;
};

std::vector<StaffNote> notesOf(std::initializer_list<Entry> entries) {
    std::vector<StaffNote> notes;
    for (const Entry& e : entries)
        notes.push_back(StaffNote{e.pitch, e.length});
    return notes;
}

StaffModel modelOf(std::initializer_list<Entry> entries, int current) {
    StaffModel model;
    for (const Entry& e : entries)
        model.add(e.pitch, e.length);
    model.setCurrentIndex(current);
    return model;
}

// The edits the key handler's follower makes are checked against the rebuilt staff by its key
// tables; here the edges: each keeps the notes and the current index as the caret in the text
// would be, and a view of the model hears of every change.
TEST(StaffEdit, KeepsNotesAndCurrentIndexInStep) {
    struct Case {
        const char* name;
        std::vector<StaffNote> before;
        int current;
        std::function<void(StaffModel&)> edit;
        std::vector<StaffNote> after;
        int currentAfter;
    };
    const auto doReMi = notesOf({{u"中ド", u"C"}, {u"中レ", u"D"}, {u"中ミ", u"E"}});
    // clang-format off
    const Case cases[] = {
        {"InsIntoEmpty", {}, 0, [](StaffModel& m) { m.ins(u"低ド#", u"A"); }, notesOf({{u"低ド#", u"A"}}), 1},
        {"RemoveInvalidIsIgnored", doReMi, 2, [](StaffModel& m) { m.remove(0); m.remove(4); }, doReMi, 2},
        {"RemoveAll", doReMi, 3, [](StaffModel& m) { m.removeAll(); }, {}, 0},
        {"SetTenBeforeFirstNote", doReMi, 0, [](StaffModel& m) { m.setTen(false); }, doReMi, 0},
        {"CurrentIndexIsClamped", doReMi, 0, [](StaffModel& m) { m.setCurrentIndex(9); }, doReMi, 3},
    };
    // clang-format on
    for (const Case& c : cases) {
        StaffModel model;
        for (const StaffNote& note : c.before)
            model.add(note.pitch, note.length);
        model.setCurrentIndex(c.current);
        int notified = 0;
        model.setChangeListener([&] { ++notified; });
        c.edit(model);
        EXPECT_EQ(model.notes(), c.after) << c.name;
        EXPECT_EQ(model.currentIndex(), c.currentAfter) << c.name;
        EXPECT_TRUE(notified > 0 || (c.after == c.before && c.currentAfter == c.current)) << c.name;
    }
}

TEST(StaffSelection, SelectingMakesTheLastSelectedNoteCurrentAndAnEditEndsIt) {
    StaffModel model = modelOf({{u"中ド", u"C"}, {u"中レ", u"D"}, {u"中ミ", u"E"}}, 0);
    model.setSel(2);
    EXPECT_EQ(model.currentIndex(), 2);
    EXPECT_FALSE(model.item(1)->selected);
    EXPECT_TRUE(model.item(2)->selected);
    model.setSelection(1, 3);
    EXPECT_EQ(model.currentIndex(), 3);
    model.ins(u"中ファ", u"C");
    for (const StaffNote& note : model)
        EXPECT_FALSE(note.selected);
    model.setSel(9); // outside the staff: only clears
    EXPECT_EQ(model.currentIndex(), 4);
    EXPECT_EQ(model.item(0), nullptr);
}

TEST(StaffListener, StaysWithItsModel) {
    int heard = 0;
    StaffModel model = modelOf({{u"中ド", u"C"}}, 1);
    model.setChangeListener([&] { ++heard; });
    StaffModel copy = model;
    copy.add(u"中レ", u"D");
    EXPECT_EQ(heard, 0) << "a copy must not call the original's listener";
    model = copy;
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(model.count(), 2);
    model.add(u"中ミ", u"E");
    EXPECT_EQ(heard, 2);
}


// 12000 twips: 800 pixels at 96 dpi; (12000 - 100 - 600) / 420 = 26 notes a row.
constexpr int kWidth = 12000;

std::vector<StaffNote> quarters(int count, std::u16string pitch = u"中ラ") {
    return std::vector<StaffNote>(static_cast<size_t>(count), StaffNote{pitch, u"C"});
}

// Rows of 420 twips a note; a full row is followed by the row of the caret.
TEST(RowLayout, WrapsNotesIntoRowsOf420Twips) {
    for (auto [width, notes, perRow, rows] :
         {std::tuple{kWidth, 0, 26, 1}, {kWidth, 25, 26, 1}, {kWidth, 26, 26, 2}, {kWidth, 27, 26, 2},
          {kWidth, 700, 26, 27}, {1120, 3, 1, 4}, {300, 2, 1, 3}, {1540, 5, 2, 3}}) {
        const StaffLayout layout = layoutStaff(quarters(notes), width);
        EXPECT_EQ(layout.notesPerRow, perRow) << width << " " << notes;
        EXPECT_EQ(layout.rows, rows) << width << " " << notes;
        for (const PlacedNote& note : layout.notes) {
            EXPECT_EQ(note.row, (note.index - 1) / perRow);
            EXPECT_EQ(note.x, kFirstNoteX + kNoteAdvance * ((note.index - 1) % perRow));
            EXPECT_LE(note.x + kNoteAdvance, std::max(staffLineEnd(width), 1020))
                << "a note must end before the lines do";
        }
    }
}

// The note in the second slot of the second row, after a note it may be tied to, prints at the
// reference height plus its pitch's offset; ledger lines and ties below the row top.
TEST(NotePlacement, PrintsAtTheReferenceHeightPlusThePitchOffset) {
    struct Case {
        const char* name;
        StaffNote note;
        int noteX;                 // from the slot's left
        int noteY;                 // print height below the row top
        std::optional<int> sharpY; // print height of the sharp
        std::optional<int> tieY;   // print height of a tie arc
        int headY;                 // the head's centre below the row top, 0 for a rest
        std::vector<int> ledgers;  // below the row top
    };
    // clang-format off
    const Case cases[] = {
        // 中ラ: offset 0, stem up, head in the second space from the bottom.
        {"MiddleLa", {u"中ラ", u"C"}, 100, 480, {}, {}, 920, {}},
        // 中シ: stem down, printed 170 lower; the head stays at its pitch.
        {"MiddleSi", {u"中シ", u"D"}, 100, 590, {}, {}, 860, {}},
        {"HighSi", {u"高シ", u"E"}, 100, 170, {}, {}, 440, {500}},
        {"HighWhole", {u"高ド", u"A"}, 100, 360, {}, {}, 800, {}},
        {"LowDo", {u"低ド", u"C"}, 100, 1200, {}, {}, 1640, {1220, 1340, 1460, 1580}},
        {"MiddleDo", {u"中ド", u"B"}, 100, 780, {}, {}, 1220, {1220}},
        // A sharp moves its note right; the high sharp is printed 170 lower.
        {"SharpMiddle", {u"中フ#", u"C"}, 200, 600, 600, {}, 1040, {}},
        {"SharpHigh", {u"高ド#", u"C"}, 200, 530, 530, {}, 800, {}},
        // Rests centre on the middle line.
        {"Rest", {u"", u"H"}, 100, 420, {}, {}, 0, {}},
        // Ties: under a stem-up head 340 lower, over a stem-down head 170 lower.
        {"TieUnder", {u"中ラ", u"^"}, 100, 480, {}, 820, 920, {}},
        {"TieOver", {u"高ミ", u"^"}, 100, 410, {}, 410, 680, {}}
    };
    // clang-format on
    for (const Case& c : cases) {
        std::vector<StaffNote> notes = quarters(27, c.note.pitch.substr(0, 2));
        notes.push_back(c.note);
        const StaffLayout layout = layoutStaff(notes, kWidth);
        const PlacedNote& placed = layout.notes.back();
        const int slotX = kFirstNoteX + kNoteAdvance;
        const int top = kRowHeight;
        SCOPED_TRACE(c.name);
        ASSERT_EQ(placed.row, 1);
        EXPECT_EQ(placed.note.x - slotX, c.noteX);
        EXPECT_EQ(placed.note.y - top, c.noteY);
        EXPECT_EQ(placed.sharp ? std::optional(placed.sharp->y - top) : std::nullopt, c.sharpY);
        EXPECT_EQ(placed.sharp ? placed.sharp->x - slotX : kSharpX, kSharpX);
        EXPECT_EQ(placed.tie ? std::optional(placed.tie->y - top) : std::nullopt, c.tieY);
        EXPECT_EQ(placed.glyph.kind == StaffGlyphKind::Rest ? 0 : placed.headY - top, c.headY);
        std::vector<int> ledgers;
        for (int y : placed.ledgers.ys)
            ledgers.push_back(y - top);
        EXPECT_EQ(ledgers, c.ledgers);
    }
}

// Notes, point, count: the clef, the first note, both sides of the third slot's edge, the second
// row's start, past the last note, below all, the first row's margin, no notes, above the top.
TEST(Click, CountsTheNotesBeforeThePoint) {
    for (auto [notes, x, y, count] :
         {std::tuple{40, 200, 900, 0}, {40, 700, 900, 1}, {40, 1441, 900, 3}, {40, 1440, 900, 2},
          {40, 300, 1440 + 900, 26}, {40, 11000, 1440 + 900, 40}, {40, 700, 20 * 1440, 40},
          {40, 11990, 100, 26}, {0, 5000, 900, 0}, {40, 5000, -50, 11}})
        EXPECT_EQ(noteCountBefore(layoutStaff(quarters(notes), kWidth), x, y), count) << x << y;
}

TEST(StaffGeometry, ClefAndSlots) {
    // The clef winds round the G line, the second line from the bottom.
    EXPECT_EQ(clefRun(1).y + kHeadBelowPrint, staffLineY(1, 4));
    const StaffLayout layout = layoutStaff(quarters(26), kWidth);
    EXPECT_EQ(slotAfter(layout, 0), (SlotPosition{0, 600}));
    EXPECT_EQ(slotAfter(layout, 25), (SlotPosition{0, 600 + 25 * 420}));
    EXPECT_EQ(slotAfter(layout, 26), (SlotPosition{1, 600}));
}

} // namespace
} // namespace sarvo::melody
