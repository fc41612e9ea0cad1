// The staff view's core: glyph choice by the length code and pitch, the note list kept in step
// with edits, the rebuild from the melody text and the geometry of rows, notes and clicks.

#include "melody/caretediting.h"
#include "melody/parserstate.h"
#include "melody/staffglyphs.h"
#include "melody/stafflayout.h"
#include "melody/staffmodel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace sarvo::melody {

// Readable failures for the tables below.
void PrintTo(const StaffNote& note, std::ostream* os) {
    std::string pitch(note.pitch.size(), '?'); // UTF-16 Japanese: the length says enough
    *os << "{pitch of " << note.pitch.size() << " chars, length ";
    for (char16_t c : note.length)
        *os << static_cast<char>(c < 128 ? c : '?');
    *os << (note.selected ? ", selected}" : "}");
}

namespace {

using namespace staffgeometry;

// ---------------------------------------------------------------------------------- heights

struct OffsetCase {
    std::u16string pitch;
    std::optional<int> offset;
};

class PitchOffset : public ::testing::TestWithParam<OffsetCase> {};

TEST_P(PitchOffset, FollowsTheTwipsTable) {
    EXPECT_EQ(pitchOffset(GetParam().pitch), GetParam().offset);
}

// Both ends and the middle of each octave; a sharp sits at its natural's height.
INSTANTIATE_TEST_SUITE_P(
    Pitches, PitchOffset,
    ::testing::Values(OffsetCase{u"低ド", 720}, OffsetCase{u"低シ", 360}, OffsetCase{u"中ド", 300},
                      OffsetCase{u"中ラ", 0}, OffsetCase{u"中シ", -60}, OffsetCase{u"高ド", -120},
                      OffsetCase{u"高シ", -480}, OffsetCase{u"中フ#", 120},
                      OffsetCase{u"", std::nullopt}, OffsetCase{u"上ド", std::nullopt},
                      OffsetCase{u"中ファ", std::nullopt}, OffsetCase{u"中ド##", std::nullopt}));

// ----------------------------------------------------------------------------- glyph choice

struct GlyphCase {
    const char* name;
    StaffNote note;
    StaffGlyphKind kind;
    std::u16string text;
    char16_t sharp;
    bool stemDown;
};

std::ostream& operator<<(std::ostream& os, const GlyphCase& c) {
    return os << c.name;
}

class GlyphChoice : public ::testing::TestWithParam<GlyphCase> {};

TEST_P(GlyphChoice, FollowsTheLengthCodeAndPitch) {
    const GlyphCase& c = GetParam();
    const StaffGlyph glyph = chooseGlyph(c.note);
    EXPECT_EQ(glyph.kind, c.kind);
    EXPECT_EQ(glyph.text, c.text);
    EXPECT_EQ(glyph.sharp, c.sharp);
    EXPECT_EQ(glyph.stemDown, c.stemDown);
}

constexpr auto kNote = StaffGlyphKind::Note;
constexpr auto kRest = StaffGlyphKind::Rest;
constexpr auto kUnknown = StaffGlyphKind::Unknown;

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Notes, GlyphChoice,
    ::testing::Values(GlyphCase{"QuarterMiddle", {u"中ラ", u"C"}, kNote, u"C", 0, false},
                      // From 中シ up the stem turns down: the letter + 16.
                      GlyphCase{"HalfMiddleSi", {u"中シ", u"B"}, kNote, u"R", 0, true},
                      GlyphCase{"SixteenthHigh", {u"高シ", u"E"}, kNote, u"U", 0, true},
                      // A whole note has no stem and keeps its letter.
                      GlyphCase{"DottedWholeHigh", {u"高ソ", u"A."}, kNote, u"A.", 0, false},
                      // Dots: "." after a stem-up form, "," after a stem-down form.
                      GlyphCase{"DottedQuarter", {u"中ミ", u"C."}, kNote, u"C.", 0, false},
                      GlyphCase{"DottedEighthHigh", {u"高レ", u"D."}, kNote, u"T,", 0, true},
                      // Tuplets: the digit, + 8 from 中シ up, never a dot.
                      GlyphCase{"TripletEighthSi", {u"中シ", u"3"}, kNote, u";", 0, true},
                      GlyphCase{"SextupletEighthLow", {u"低ラ", u"6"}, kNote, u"6", 0, false},
                      // Sharps: "$" in the low and middle octave, "%" in the high one.
                      GlyphCase{"SharpMiddle", {u"中ラ#", u"D."}, kNote, u"D.", u'$', false},
                      GlyphCase{"SharpHigh", {u"高フ#", u"E"}, kNote, u"U", u'%', true},
                      GlyphCase{"SharpHighWhole", {u"高ソ#", u"A"}, kNote, u"A", u'%', false},
                      GlyphCase{"Rest", {u"", u"G."}, kRest, u"G.", 0, false},
                      GlyphCase{"TupletRest", {u"", u"`"}, kRest, u"`", 0, false}));
// clang-format on


INSTANTIATE_TEST_SUITE_P(
    Malformed, GlyphChoice,
    ::testing::Values(GlyphCase{"NoteCodeWithoutPitch", {u"", u"C"}, kUnknown, u"", 0, false},
                      GlyphCase{"RestCodeWithPitch", {u"中ド", u"H"}, kUnknown, u"", 0, false},
                      GlyphCase{"UnusedCode", {u"中ド", u"K"}, kUnknown, u"", 0, false},
                      GlyphCase{"EmptyLength", {u"中ド", u""}, kUnknown, u"", 0, false},
                      GlyphCase{"BrokenPitch", {u"中", u"C"}, kUnknown, u"", 0, false}));

struct TieCase {
    const char* name;
    std::u16string tiePitch;
    std::optional<StaffNote> tiedFrom;
    std::u16string text; // the continued note
    char16_t arc;
    bool stemDown;
};

std::ostream& operator<<(std::ostream& os, const TieCase& c) {
    return os << c.name;
}

class TieGlyph : public ::testing::TestWithParam<TieCase> {};

TEST_P(TieGlyph, RepeatsTheTiedNoteWithAnArcOppositeItsStem) {
    const TieCase& c = GetParam();
    const StaffGlyph glyph =
        chooseGlyph(StaffNote{c.tiePitch, u"^"}, c.tiedFrom ? &*c.tiedFrom : nullptr);
    EXPECT_EQ(glyph.kind, StaffGlyphKind::Tie);
    EXPECT_EQ(glyph.text, c.text);
    EXPECT_EQ(glyph.tieArc, c.arc);
    EXPECT_EQ(glyph.stemDown, c.stemDown);
    EXPECT_EQ(glyph.sharp, 0) << "a tied note repeats no accidental";
    EXPECT_EQ(glyph.pitchOffset, pitchOffset(c.tiePitch).value_or(-1));
}

INSTANTIATE_TEST_SUITE_P(
    Ties, TieGlyph,
    ::testing::Values(TieCase{"Quarter", u"中ド", StaffNote{u"中ド", u"C"}, u"C", u'^', false},
                      TieCase{"DottedHalf", u"低ソ", StaffNote{u"低ソ", u"B."}, u"B.", u'^', false},
                      TieCase{"SharpedHigh", u"高ソ", StaffNote{u"高ソ#", u"D"}, u"T", u'~', true},
                      TieCase{"DottedHigh", u"中シ", StaffNote{u"中シ", u"C."}, u"S,", u'~', true},
                      TieCase{"WholeHigh", u"高ド", StaffNote{u"高ド", u"A"}, u"A", u'~', false},
                      // Nothing to continue: the arc alone.
                      TieCase{"AtTheStart", u"中ミ", std::nullopt, u"", u'^', false},
                      TieCase{"AfterARest", u"中ミ", StaffNote{u"", u"H"}, u"", u'^', false}));

// ------------------------------------------------------------------------------ staff model

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

struct EditCase {
    const char* name;
    std::vector<StaffNote> before;
    int current;
    std::function<void(StaffModel&)> edit;
    std::vector<StaffNote> after;
    int currentAfter;
};

std::ostream& operator<<(std::ostream& os, const EditCase& c) {
    return os << c.name;
}

class StaffEdit : public ::testing::TestWithParam<EditCase> {};

TEST_P(StaffEdit, KeepsNotesAndCurrentIndexInStep) {
    const EditCase& c = GetParam();
    // [GIVEN] a staff with notes and a current index
    StaffModel model;
    for (const StaffNote& note : c.before)
        model.add(note.pitch, note.length);
    model.setCurrentIndex(c.current);
    int notified = 0;
    model.setChangeListener([&] { ++notified; });
    // [WHEN] the edit is applied
    c.edit(model);
    // [THEN] the notes and the current index are as the caret in the text would be
    EXPECT_EQ(model.notes(), c.after);
    EXPECT_EQ(model.currentIndex(), c.currentAfter);
    if (c.after != c.before || c.currentAfter != c.current)
        EXPECT_GT(notified, 0) << "a view of the model must hear of the edit";
}

const auto kDoReMi = notesOf({{u"中ド", u"C"}, {u"中レ", u"D"}, {u"中ミ", u"E"}});

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Edits, StaffEdit,
    ::testing::Values(
        EditCase{"InsAtStart", kDoReMi, 0, [](StaffModel& m) { m.ins(u"高ソ", u"B"); },
                 notesOf({{u"高ソ", u"B"}, {u"中ド", u"C"}, {u"中レ", u"D"}, {u"中ミ", u"E"}}), 1},
        EditCase{"InsAfterCurrent", kDoReMi, 2, [](StaffModel& m) { m.ins(u"", u"H"); },
                 notesOf({{u"中ド", u"C"}, {u"中レ", u"D"}, {u"", u"H"}, {u"中ミ", u"E"}}), 3},
        EditCase{"InsIntoEmpty", {}, 0, [](StaffModel& m) { m.ins(u"低ド#", u"A"); }, notesOf({{u"低ド#", u"A"}}), 1},
        EditCase{"RemoveBeforeCaret", kDoReMi, 2, [](StaffModel& m) { m.remove(2); }, notesOf({{u"中ド", u"C"}, {u"中ミ", u"E"}}), 1},
        EditCase{"RemoveAfterCaret", kDoReMi, 1, [](StaffModel& m) { m.remove(2); }, notesOf({{u"中ド", u"C"}, {u"中ミ", u"E"}}), 1},
        EditCase{"RemoveInvalidIsIgnored", kDoReMi, 2, [](StaffModel& m) { m.remove(0); m.remove(4); }, kDoReMi, 2},
        EditCase{"RemoveAll", kDoReMi, 3, [](StaffModel& m) { m.removeAll(); }, {}, 0},
        EditCase{"SetTenAddsDot", kDoReMi, 1, [](StaffModel& m) { m.setTen(false); }, notesOf({{u"中ド", u"C."}, {u"中レ", u"D"}, {u"中ミ", u"E"}}), 1},
        EditCase{"SetTenRemovesDot", notesOf({{u"中ド", u"C."}}), 1, [](StaffModel& m) { m.setTen(true); }, notesOf({{u"中ド", u"C"}}), 1},
        EditCase{"SetTenBeforeFirstNote", kDoReMi, 0, [](StaffModel& m) { m.setTen(false); }, kDoReMi, 0},
        EditCase{"SetRenToTriplet", kDoReMi, 1, [](StaffModel& m) { m.setRen(u"2"); }, notesOf({{u"中ド", u"2"}, {u"中レ", u"D"}, {u"中ミ", u"E"}}), 1},
        EditCase{"CurrentIndexIsClamped", kDoReMi, 0, [](StaffModel& m) { m.setCurrentIndex(9); }, kDoReMi, 3}));
// clang-format on

TEST(StaffSelection, SelectingMakesTheLastSelectedNoteCurrentAndAnEditEndsIt) {
    StaffModel model = modelOf({{u"中ド", u"C"}, {u"中レ", u"D"}, {u"中ミ", u"E"}}, 0);
    model.setSel(2);
    EXPECT_EQ(model.currentIndex(), 2);
    EXPECT_FALSE(model.item(1)->selected);
    EXPECT_TRUE(model.item(2)->selected);
    model.setSelection(1, 3);
    EXPECT_EQ(model.currentIndex(), 3);
    for (const StaffNote& note : model)
        EXPECT_TRUE(note.selected);
    model.ins(u"中ファ", u"C");
    for (const StaffNote& note : model)
        EXPECT_FALSE(note.selected);
    model.setSel(9); // outside the staff: only clears
    EXPECT_EQ(model.currentIndex(), 4);
    EXPECT_EQ(model.item(9), nullptr);
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

// ---------------------------------------------------------------------------------- rebuild

struct RebuildCase {
    const char* name;
    std::u16string text;
    std::vector<StaffNote> staff;
};

std::ostream& operator<<(std::ostream& os, const RebuildCase& c) {
    return os << c.name;
}

class Rebuild : public ::testing::TestWithParam<RebuildCase> {};

TEST_P(Rebuild, MakesOneEntryPerTokenAndOnePerTie) {
    ParserState state;
    // Fields a rest must not inherit from a walk before.
    state.currentNote.octave = u"高";
    state.currentNote.pitch = u"ソ";
    StaffModel model = modelOf({{u"中ド", u"C"}}, 1);
    rebuildStaff(state, GetParam().text, model);
    EXPECT_EQ(model.notes(), GetParam().staff);
}

INSTANTIATE_TEST_SUITE_P(
    Melodies, Rebuild,
    ::testing::Values(
        RebuildCase{"Empty", u"", {}},
        RebuildCase{"NotesAndRests", u"C中ド H. D.高ソ# ",
                    notesOf({{u"中ド", u"C"}, {u"", u"H."}, {u"高ソ#", u"D."}})},
        RebuildCase{"TiesDropTheSharp", u"C中ド# ^ ^ D中レ ",
                    notesOf({{u"中ド#", u"C"}, {u"中ド", u"^"}, {u"中ド", u"^"}, {u"中レ", u"D"}})},
        RebuildCase{"Tuplets", u"3中ミ 3中フ# ] ",
                    notesOf({{u"中ミ", u"3"}, {u"中フ#", u"3"}, {u"", u"]"}})},
        RebuildCase{"RestAfterNote", u"E低ラ J ", notesOf({{u"低ラ", u"E"}, {u"", u"J"}})}));

// ----------------------------------------------------------------------------------- layout

// 12000 twips: 800 pixels at 96 dpi; (12000 - 100 - 600) / 420 = 26 notes a row.
constexpr int kWidth = 12000;

std::vector<StaffNote> quarters(int count, std::u16string pitch = u"中ラ") {
    return std::vector<StaffNote>(static_cast<size_t>(count), StaffNote{pitch, u"C"});
}

struct RowCase {
    int width;
    int notes;
    int perRow;
    int rows;
};

class RowLayout : public ::testing::TestWithParam<RowCase> {};

TEST_P(RowLayout, WrapsNotesIntoRowsOf420Twips) {
    const RowCase& c = GetParam();
    const StaffLayout layout = layoutStaff(quarters(c.notes), c.width);
    EXPECT_EQ(layout.notesPerRow, c.perRow);
    EXPECT_EQ(layout.rows, c.rows);
    for (const PlacedNote& note : layout.notes) {
        const int column = (note.index - 1) % c.perRow;
        EXPECT_EQ(note.row, (note.index - 1) / c.perRow);
        EXPECT_EQ(note.x, kFirstNoteX + kNoteAdvance * column);
        EXPECT_LE(note.x + kNoteAdvance, std::max(staffLineEnd(c.width), 1020))
            << "a note must end before the lines do";
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, RowLayout,
                         ::testing::Values(RowCase{kWidth, 0, 26, 1}, RowCase{kWidth, 1, 26, 1},
                                           RowCase{kWidth, 25, 26, 1},
                                           // A full row is followed by the row of the caret.
                                           RowCase{kWidth, 26, 26, 2}, RowCase{kWidth, 27, 26, 2},
                                           RowCase{kWidth, 700, 26, 27}, RowCase{1120, 3, 1, 4},
                                           RowCase{300, 2, 1, 3}, RowCase{1540, 5, 2, 3}));

struct PlaceCase {
    const char* name;
    StaffNote note;
    int noteX;                 // from the slot's left
    int noteY;                 // print height below the row top
    std::optional<int> sharpY; // print height of the sharp
    std::optional<int> tieY;   // print height of a tie arc
    int headY;                 // the head's centre below the row top
    std::vector<int> ledgers;  // below the row top
};

std::ostream& operator<<(std::ostream& os, const PlaceCase& c) {
    return os << c.name;
}

class NotePlacement : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(NotePlacement, PrintsAtTheReferenceHeightPlusThePitchOffset) {
    const PlaceCase& c = GetParam();
    // The note in the second slot of the second row, after a note it may be tied to.
    std::vector<StaffNote> notes = quarters(27, c.note.pitch.substr(0, 2));
    notes.push_back(c.note);
    const StaffLayout layout = layoutStaff(notes, kWidth);
    const PlacedNote& placed = layout.notes.back();
    const int slotX = kFirstNoteX + kNoteAdvance;
    const int top = kRowHeight;
    ASSERT_EQ(placed.row, 1);
    EXPECT_EQ(placed.note.x - slotX, c.noteX);
    EXPECT_EQ(placed.note.y - top, c.noteY);
    ASSERT_EQ(placed.sharp.has_value(), c.sharpY.has_value());
    if (c.sharpY) {
        EXPECT_EQ(placed.sharp->y - top, *c.sharpY);
        EXPECT_EQ(placed.sharp->x - slotX, kSharpX);
    }
    ASSERT_EQ(placed.tie.has_value(), c.tieY.has_value());
    if (c.tieY)
        EXPECT_EQ(placed.tie->y - top, *c.tieY);
    if (placed.glyph.kind != StaffGlyphKind::Rest)
        EXPECT_EQ(placed.headY - top, c.headY);
    std::vector<int> ledgers;
    for (int y : placed.ledgers.ys)
        ledgers.push_back(y - top);
    EXPECT_EQ(ledgers, c.ledgers);
}

INSTANTIATE_TEST_SUITE_P(
    Notes, NotePlacement,
    ::testing::Values(
        // 中ラ: offset 0, stem up, head in the second space from the bottom.
        PlaceCase{"MiddleLa", {u"中ラ", u"C"}, 100, 480, {}, {}, 920, {}},
        PlaceCase{"MiddleMi", {u"中ミ", u"C"}, 100, 660, {}, {}, 1100, {}},
        // 中シ: stem down, printed 170 lower; the head stays at its pitch.
        PlaceCase{"MiddleSi", {u"中シ", u"D"}, 100, 590, {}, {}, 860, {}},
        PlaceCase{"HighSi", {u"高シ", u"E"}, 100, 170, {}, {}, 440, {500}},
        PlaceCase{"HighWhole", {u"高ド", u"A"}, 100, 360, {}, {}, 800, {}},
        PlaceCase{"LowDo", {u"低ド", u"C"}, 100, 1200, {}, {}, 1640, {1220, 1340, 1460, 1580}},
        PlaceCase{"MiddleDo", {u"中ド", u"B"}, 100, 780, {}, {}, 1220, {1220}},
        // A sharp moves its note right; the high sharp is printed 170 lower.
        PlaceCase{"SharpMiddle", {u"中フ#", u"C"}, 200, 600, 600, {}, 1040, {}},
        PlaceCase{"SharpHigh", {u"高ド#", u"C"}, 200, 530, 530, {}, 800, {}},
        // Rests centre on the middle line.
        PlaceCase{"Rest", {u"", u"H"}, 100, 420, {}, {}, 0, {}},
        // Ties: under a stem-up head 340 lower, over a stem-down head 170 lower.
        PlaceCase{"TieUnder", {u"中ラ", u"^"}, 100, 480, {}, 820, 920, {}},
        PlaceCase{"TieOver", {u"高ミ", u"^"}, 100, 410, {}, 410, 680, {}}));

struct ClickCase {
    const char* name;
    int notes;
    int x;
    int y;
    int count;
};

std::ostream& operator<<(std::ostream& os, const ClickCase& c) {
    return os << c.name;
}

class Click : public ::testing::TestWithParam<ClickCase> {};

TEST_P(Click, CountsTheNotesBeforeThePoint) {
    const ClickCase& c = GetParam();
    const StaffLayout layout = layoutStaff(quarters(c.notes), kWidth);
    EXPECT_EQ(noteCountBefore(layout, c.x, c.y), c.count);
}

INSTANTIATE_TEST_SUITE_P(
    Points, Click,
    ::testing::Values(ClickCase{"OnTheClef", 40, 200, 900, 0},
                      ClickCase{"OnFirstNote", 40, 700, 900, 1},
                      ClickCase{"OnThirdSlotLeftEdge", 40, 1441, 900, 3},
                      ClickCase{"JustBeforeThirdSlot", 40, 1440, 900, 2},
                      ClickCase{"SecondRowStart", 40, 300, 1440 + 900, 26},
                      ClickCase{"SecondRowFifth", 40, 600 + 4 * 420 + 10, 1440 + 900, 31},
                      ClickCase{"BeyondTheLastNote", 40, 11000, 1440 + 900, 40},
                      ClickCase{"BelowEverything", 40, 700, 20 * 1440, 40},
                      ClickCase{"RightMarginOfFirstRow", 40, 11990, 100, 26},
                      ClickCase{"EmptyStaff", 0, 5000, 900, 0},
                      ClickCase{"AboveTheTop", 40, 5000, -50, 11}));

// ------------------------------------------------------------- edits in step with the text

// Random editing sessions: every edit is made to the melody text with the caret routines and to
// the staff with its note operations, as the keyboard input does. After each edit the staff must
// equal the staff rebuilt from the text, and its current index the token index at the caret.
class EditSession : public ::testing::TestWithParam<unsigned> {};

TEST_P(EditSession, IncrementalStaffEqualsTheRebuiltOne) {
    std::mt19937 random(GetParam());
    auto pick = [&](int n) {
        return static_cast<int>(random() % static_cast<unsigned>(n));
    };
    const std::u16string_view pitches[] = {u"低ド", u"中レ#", u"中シ", u"高ソ", u"高ラ#"};
    const std::u16string_view lengths[] = {u"C", u"D", u"B", u"E", u"A"};
    const std::u16string_view rests[] = {u"F", u"H", u"I"};
    MelodyText melody;
    StaffModel staff;
    ParserState state;
    for (int step = 0; step < 400; ++step) {
        const int tokens =
            static_cast<int>(std::count(melody.text.begin(), melody.text.end(), u' '));
        staff.setCurrentIndex(tokenIndexAtCaret(melody));
        switch (pick(5)) {
        case 0: { // a pitch key
            const std::u16string pitch(pitches[pick(5)]);
            const std::u16string length(lengths[pick(5)]);
            insertToken(melody, length + pitch);
            staff.ins(pitch, length);
            break;
        }
        case 1: { // a rest key
            const std::u16string rest(rests[pick(3)]);
            insertToken(melody, rest);
            staff.ins(u"", rest);
            break;
        }
        case 2: // a caret move
            moveCaretToToken(melody, pick(tokens + 1));
            break;
        case 3: { // the triplet toggle on the note before the caret
            const TupletToggleResult result = toggleTuplet(melody, u'3');
            if (result.outcome == TupletToggleResult::Outcome::Changed) {
                staff.setCurrentIndex(result.tokenIndex + 1);
                staff.setRen(result.newCode);
            }
            break;
        }
        case 4: { // Backspace: the token before the caret goes
            const int index = tokenIndexAtCaret(melody);
            if (index == 0)
                break;
            moveCaretToToken(melody, index - 1);
            const size_t start = static_cast<size_t>(melody.caret);
            const size_t end = melody.text.find(u' ', start);
            melody.text.erase(start, end - start + 1);
            staff.remove(index);
            break;
        }
        }
        staff.setCurrentIndex(tokenIndexAtCaret(melody));
        StaffModel rebuilt;
        rebuildStaff(state, melody.text, rebuilt);
        ASSERT_EQ(staff.notes(), rebuilt.notes()) << "step " << step;
        ASSERT_EQ(staff.currentIndex(), tokenIndexAtCaret(melody)) << "step " << step;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, EditSession, ::testing::Values(1u, 7u, 42u, 2026u));

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
