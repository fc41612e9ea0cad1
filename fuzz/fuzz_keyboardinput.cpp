// libFuzzer target over note input: any key map, any starting melody, any clipboard text and any
// run of keys, on-screen keys, toolbar buttons, clicks and selections. After every step the text
// must still be a melody text, the caret must stand between tokens, and the staff model the
// edits kept in step must equal the staff rebuilt from the text; a violation aborts, so that
// libFuzzer keeps the input as a crash.
//
// Input: byte 0 picks the key map; byte 1 how many of the following bytes build the starting
// melody and byte 2 how many build the clipboard (each byte a character of kAlphabet, the
// melody kept to its well-formed tokens); every remaining byte is one step.

#include "common/interaction.h"
#include "melody/caretediting.h"
#include "melody/keyboardinput.h"
#include "melody/keyinputrecording.h"
#include "melody/parserstate.h"
#include "melody/staffmodel.h"
#include "melody/staffmodelfollower.h"
#include "melody/tokenvalidation.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace sarvo::melody;

constexpr std::u16string_view kAlphabet = u"ABCDEFGHIJ2356\\]_`^.#  低中高ドレミフソラシx\n";

// Keys with the modifiers that change what they do.
constexpr std::array<KeyEvent, 40> kKeys = {{
    {u'1', 0},
    {u'2', modifiers::Shift},
    {u'3', modifiers::Ctrl},
    {u'3', modifiers::Shift},
    {u'7', 0},
    {u'Q', 0},
    {u'Y', modifiers::Shift},
    {u'A', 0},
    {u'C', 0},
    {u'C', modifiers::Ctrl},
    {u'D', 0},
    {u'E', 0},
    {u'F', modifiers::Shift},
    {u'H', 0},
    {u'J', 0},
    {u'W', 0},
    {u'U', modifiers::Ctrl},
    {u'0', 0},
    {u'4', 0},
    {u'5', 0},
    {u'9', 0},
    {keys::Minus, 0},
    {keys::Period, 0},
    {keys::Backspace, 0},
    {keys::Delete, 0},
    {keys::Left, 0},
    {keys::Right, 0},
    {keys::Home, 0},
    {keys::End, 0},
    {keys::Escape, 0},
    {keys::Escape, modifiers::Shift},
    {keys::Right, modifiers::Shift},
    {u'X', modifiers::Ctrl},
    {u'V', modifiers::Ctrl},
    {u'B', modifiers::Alt},
    {keys::Up, modifiers::Alt},
    {keys::F1 + 4, 0},
    {u'1', 0, true},
    {u'G', modifiers::Ctrl | modifiers::Shift},
    {u'K', 0},
}};

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "note input property violated: %s\n", what);
        std::abort();
    }
}

std::u16string charactersOf(const uint8_t*& data, size_t& size, size_t count) {
    std::u16string text;
    for (; count > 0 && size > 0; --count, ++data, --size)
        text += kAlphabet[*data % kAlphabet.size()];
    return text;
}

struct NoteInput {
    sarvo::RecordingInteractive ui;
    RecordingKeyInputHost host;
    ParserState state;
    ParserState staffWalk;
    MelodyText melody;
    StaffModel staff;
    StaffModelFollower follower{staff, staffWalk, melody};
    KeyboardInput input{host, follower, ui, state};
};

void step(NoteInput& n, uint8_t byte) {
    const unsigned choice = byte % (kKeys.size() + 6);
    const unsigned argument = byte / (kKeys.size() + 6);
    if (choice < kKeys.size()) {
        n.input.keyDown(kKeys[choice], n.melody);
        n.input.keyUp(kKeys[choice]);
        n.ui.queueAnswer(argument % 2 ? sarvo::Answer::Yes : sarvo::Answer::No);
        return;
    }
    switch (choice - kKeys.size()) {
    case 0: n.input.pressTupletButton(argument % 2 ? u'3' : u'6', n.melody); break;
    case 1:
        n.input.pressKeyPanel(static_cast<int>(argument % 12), static_cast<int>(argument % 3),
                              n.melody);
        n.input.releaseKeyPanel(static_cast<int>(argument % 12), static_cast<int>(argument % 3));
        break;
    case 2: n.input.pressLengthButton(static_cast<int>(argument % 11), n.melody); break;
    case 3: n.input.clickText(n.melody, static_cast<int>(argument * 3) - 1); break;
    case 4:
        n.melody.selection = static_cast<int>(argument);
        KeyboardInput::widenSelectionToTokens(n.melody);
        break;
    default: n.input.typeKeyTimeout(); break;
    }
}

void checkInStep(NoteInput& n) {
    const std::u16string& text = n.melody.text;
    check(isValidMelodyText(text), "the text is a melody text");
    const size_t caret = static_cast<size_t>(n.melody.caret);
    check(n.melody.caret >= 0 && caret <= text.size(), "the caret lies in the text");
    check(caret == 0 || text[caret - 1] == u' ', "the caret stands between tokens");
    check(n.melody.selection >= 0 && caret + static_cast<size_t>(n.melody.selection) <= text.size(),
          "the selection lies in the text");
    StaffModel fresh;
    ParserState walk;
    rebuildStaff(walk, text, fresh);
    check(n.staff.notes() == fresh.notes(), "the staff follows the text");
    check(n.staff.currentIndex() == tokenIndexAtCaret(n.melody), "the staff's note is the caret's");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3)
        return 0;
    NoteInput n;
    n.input.setKeyMap(data[0] % 3);
    const size_t melodyLength = data[1];
    const size_t clipboardLength = data[2];
    data += 3;
    size -= 3;
    n.melody.text = keepValidTokens(charactersOf(data, size, melodyLength));
    n.melody.caret = static_cast<int>(n.melody.text.size());
    n.host.clipboard = charactersOf(data, size, clipboardLength);
    n.follower.rebuild();
    for (; size > 0; ++data, --size) {
        step(n, *data);
        checkInStep(n);
    }
    return 0;
}
