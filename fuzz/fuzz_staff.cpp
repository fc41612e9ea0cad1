// libFuzzer target over the staff: rebuild from any melody text, note-by-note edits, the layout
// at any width and clicks anywhere. Every check is a property the staff view relies on; a
// violated one aborts, so that libFuzzer keeps the input as a crash.
//
// Input: two bytes give the width of the drawing surface, the next byte how many of the
// following bytes form the melody text (each byte picks a character of kAlphabet); the rest are
// edits, two bytes each (operation, argument).

#include "melody/parserstate.h"
#include "melody/stafflayout.h"
#include "melody/staffmodel.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace sarvo::melody;

constexpr std::u16string_view kAlphabet =
    u"ABCDEFGHIJKLMNOP23456\\]_`^.#,$%  低中高ドレミフソラシ#ファ";
constexpr std::u16string_view kPitches[] = {u"低ド", u"中シ", u"高ソ#", u"中ラ#", u"", u"中"};
constexpr std::u16string_view kLengths[] = {u"C", u"D.", u"A", u"^", u"H", u"3", u"`", u""};

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "staff property violated: %s\n", what);
        std::abort();
    }
}

void checkLayout(const StaffModel& model, int width) {
    const StaffLayout layout = layoutStaff(model.notes(), width);
    check(static_cast<int>(layout.notes.size()) == model.count(), "one placed note per note");
    check(layout.notesPerRow >= 1, "at least one note a row");
    check(layout.rows >= 1 && layout.rows == model.count() / layout.notesPerRow + 1,
          "rows hold every note and the caret's slot");
    for (const PlacedNote& note : layout.notes) {
        check(note.row >= 0 && note.row < layout.rows, "a note lies on a row");
        check(note.x >= staffgeometry::kFirstNoteX, "a note starts after the clef");
        check(note.glyph.kind != StaffGlyphKind::Unknown || note.note.text.empty(),
              "an unknown note prints nothing");
        if (note.glyph.kind == StaffGlyphKind::Tie)
            check(note.tie.has_value(), "a tie has its arc");
    }
    for (int y : {-100, 0, 900, layout.rows * staffgeometry::kRowHeight + 500})
        for (int x : {-50, 0, 700, width / 2, width + 1000}) {
            const int before = noteCountBefore(layout, x, y);
            check(before >= 0 && before <= model.count(), "a click counts existing notes");
        }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3)
        return 0;
    const int width = 200 + ((data[0] << 8) | data[1]) % 30000;
    const size_t textBytes = std::min<size_t>(data[2], size - 3);
    std::u16string text;
    for (size_t i = 0; i < textBytes; ++i)
        text += kAlphabet[data[3 + i] % kAlphabet.size()];

    ParserState state;
    StaffModel model;
    int notifications = 0;
    model.setChangeListener([&] { ++notifications; });
    rebuildStaff(state, text, model);
    checkLayout(model, width);

    for (size_t i = 3 + textBytes; i + 1 < size; i += 2) {
        const int arg = data[i + 1];
        const int before = model.count();
        switch (data[i] % 8) {
        case 0:
            model.ins(std::u16string(kPitches[arg % 6]), std::u16string(kLengths[arg % 8]));
            check(model.count() == before + 1, "ins adds one note");
            break;
        case 1: model.remove(arg % (before + 2)); break;
        case 2: model.setCurrentIndex(arg - 20); break;
        case 3: model.setTen(arg % 2 == 0); break;
        case 4: model.setRen(kLengths[arg % 8]); break;
        case 5: model.setSel(arg % (before + 2)); break;
        case 6: model.setSelection(arg % 7, arg % 11); break;
        case 7: model.clearSelection(); break;
        }
        check(model.currentIndex() >= 0 && model.currentIndex() <= model.count(),
              "the current index stays on the staff");
    }
    check(notifications > 0 || text.empty(), "a rebuild is heard");
    checkLayout(model, width);
    return 0;
}
