#pragma once
// Note input from the keyboard: the one key handler behind the computer keyboard, the on-screen
// keyboard and the length and tuplet toolbars. It edits the melody text at its caret and reports
// everything else it does (beeps, status messages, preview notes, the staff view following the
// text, window commands) through the host interfaces, so that the window and the tests see the
// same calls.

#include "common/interaction.h"
#include "melody/caretediting.h"
#include "melody/parserstate.h"
#include "melody/pitchkeytable.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace sarvo::melody {

// Key codes of the keys the handler knows. Letters and digits are their upper-case character.
namespace keys {
inline constexpr uint16_t Backspace = 8;
inline constexpr uint16_t Escape = 27;
inline constexpr uint16_t End = 35;
inline constexpr uint16_t Home = 36;
inline constexpr uint16_t Left = 37;
inline constexpr uint16_t Up = 38;
inline constexpr uint16_t Right = 39;
inline constexpr uint16_t Down = 40;
inline constexpr uint16_t Delete = 46;
inline constexpr uint16_t F1 = 112; // F1 to F12 are consecutive
inline constexpr uint16_t F12 = 123;
inline constexpr uint16_t Minus = 189;
inline constexpr uint16_t Period = 190;
} // namespace keys

// Modifier bits of a key event.
namespace modifiers {
inline constexpr uint16_t Shift = 1;
inline constexpr uint16_t Ctrl = 2;
inline constexpr uint16_t Alt = 4;
// The press came from a length toolbar button, which is already shown pressed.
inline constexpr uint16_t FromToolbar = 256;
} // namespace modifiers

struct KeyEvent {
    uint16_t keyCode = 0;
    uint16_t modifiers = 0;
    bool autoRepeat = false; // a repeat of a key held down
};

// Views of the view selector that note input knows: the two input views come first.
inline constexpr int kNoteInputView = 0;
inline constexpr int kStaffInputView = 1;
inline constexpr int kFirstPhoneTypeView = 2;

// Messages of refused edits.
inline constexpr std::u16string_view kDotAfterTupletRefusal =
    u"付点音符は、３連符／６連符の後に入力できません。m(_ _)m";
inline constexpr std::u16string_view kSlurAfterTupletRefusal =
    u"スラーは３連符／６連符の後に入力できません。m(_ _)m";
inline constexpr std::u16string_view kSlurAfterRestRefusal =
    u"スラーは音の後か、連続して入力してください。休符の後は駄目です。m(_ _)m";
// Asked when Ctrl+C is both the copy key and the low ド of the key map.
inline constexpr std::u16string_view kCopyKeyQuestion =
    u"コピーのキー割り当てと重なっています。\n音の入力を行いますか？";

// What the window does for note input: feedback, the clipboard and its own commands.
class IKeyInputHost {
public:
    virtual ~IKeyInputHost() = default;

    virtual void beep() = 0;
    // Writes a message into the first panel of the status bar.
    virtual void showStatus(std::u16string_view message) = 0;
    // A pitch key or on-screen key went down: the preview of its note (the input sound mode
    // decides what sounds). keyCode is the pitch key (the row's key for an on-screen key),
    // lengthCode the current note length, for the mode that sounds a note for its length.
    virtual void previewNoteOn(uint16_t keyCode, int midiNote, char16_t lengthCode,
                               bool autoRepeat) = 0;
    // The last pitch key came up, or an on-screen key was released (fromPanel).
    virtual void previewNoteOff(uint16_t keyCode, int midiNote, bool fromPanel) = 0;
    // Lowers or raises the on-screen key of a PitchKeyTable row and octave column.
    virtual void setKeyPanelPressed(int row, int column, bool pressed) = 0;
    // Shows the length toolbar button of a note entry (0 to 4) pressed and the others released.
    virtual void setLengthButton(int entry) = 0;

    virtual std::u16string clipboardText() = 0;
    virtual void setClipboardText(std::u16string_view text) = 0;

    // The view selector's entry; selectView of the current entry shows it again, an index
    // outside the selector is ignored.
    virtual int currentView() const = 0;
    virtual void selectView(int index) = 0;
    // A function key F1 to F12 (number 1 to 12): the window runs the command of that key.
    virtual void pressFunctionKey(int number) = 0;
    // (Re)starts the one-second timer of the phone-type letter keys; when it fires the window
    // calls KeyboardInput::typeKeyTimeout.
    virtual void startTypeKeyTimer() = 0;
};

// The staff view following the edits of the melody text. Staff notes correspond one to one to
// the tokens; index is the 0-based position of a note, and the current note is given as the
// number of notes before the caret.
class IStaffFollower {
public:
    virtual ~IStaffFollower() = default;
    // A new staff note at index; the staff's current note becomes it. pitch is octave mark and
    // pitch name (with "#"), "" for a rest; length the length code, "^" for a tie.
    virtual void insertNote(int index, std::u16string_view pitch, std::u16string_view length) = 0;
    virtual void removeNote(int index) = 0;
    virtual void setNoteDot(int index, bool dotted) = 0;
    virtual void setNoteTuplet(int index, std::u16string_view lengthCode) = 0;
    virtual void setCurrent(int notesBeforeCaret) = 0;
    // The text changed as a whole (paste, cut, clear): refill the staff from the melody text.
    virtual void rebuild() = 0;
};

// The key that adds a tie under a key map: "0" under map 0; under the other maps, whose digits
// are length keys, the minus key.
uint16_t slurKeyOf(int keyMap);

// Whether the window's controls should still see a key.
enum class KeyResult { Handled, NotHandled };

class KeyboardInput {
public:
    // All references must outlive the object. state is read for IsPlaying; ui asks questions.
    KeyboardInput(IKeyInputHost& host, IStaffFollower& staff, IInteractive& ui,
                  const ParserState& state);

    // The key-down handler. Edits melody (text, caret and selection) as the key says.
    KeyResult keyDown(const KeyEvent& event, MelodyText& melody);
    // The key-up handler: raises the on-screen key and ends the preview of the last pitch key.
    void keyUp(const KeyEvent& event);

    // The on-screen keyboard: pressing enters exactly that note (row of the PitchKeyTable,
    // octave column) under every key map; releasing ends its preview.
    void pressKeyPanel(int row, int column, MelodyText& melody);
    void releaseKeyPanel(int row, int column);
    void pressSlurPanel(MelodyText& melody);
    void pressClearPanel(MelodyText& melody);
    void pressRefreshPanel(MelodyText& melody);

    // The length toolbar: a note or rest entry (0 to 10), the dot button, and the triplet ('3')
    // and sextuplet ('6') buttons.
    void pressLengthButton(int entry, MelodyText& melody);
    void pressDotButton(MelodyText& melody);
    void pressTupletButton(char16_t kind, MelodyText& melody);

    // The timer started by startTypeKeyTimer fired: a letter pressed now starts afresh.
    void typeKeyTimeout();

    // A click in the melody text box at a character position: the caret goes to the start of
    // the clicked token (or stays at the end of the text) and the staff follows.
    void clickText(MelodyText& melody, int position);
    // The selection is widened to whole tokens with their spaces (after Shift+Right or a drag).
    static void widenSelectionToTokens(MelodyText& melody);

    int keyMap() const { return m_keyMap; }
    // Chooses key map 0, 1 or 2 (others are ignored) and rewrites the pitch keys.
    void setKeyMap(int keyMap);
    const PitchKeyTable& pitchKeys() const { return m_pitchKeys; }
    uint16_t slurKey() const { return slurKeyOf(m_keyMap); }
    // The length code the next pitch key uses; the window starts with the eighth note.
    char16_t currentLength() const { return m_currentLength; }
    bool sharpPrefixArmed() const { return m_sharpPrefix; }

private:
    bool handleShiftKeys(const KeyEvent& event, MelodyText& melody, KeyResult& result);
    bool handleAltKeys(const KeyEvent& event, KeyResult& result);
    // False when Ctrl+C is to go on as the low ド of the key map.
    bool handleCtrlKeys(const KeyEvent& event, MelodyText& melody);
    bool handleFunctionKeys(const KeyEvent& event);
    bool handleEditingKeys(const KeyEvent& event, MelodyText& melody);
    bool handleLengthKey(const KeyEvent& event, MelodyText& melody);

    void enterPitch(int row, int column, uint16_t keyCode, bool autoRepeat, MelodyText& melody);
    void toggleDot(MelodyText& melody);
    void addTie(MelodyText& melody);
    void deleteBeforeCaret(MelodyText& melody);
    void deleteAfterCaret(MelodyText& melody);
    void paste(MelodyText& melody);
    void cut(MelodyText& melody);
    void clear(MelodyText& melody);
    // The staff follows an insertion or removal at the caret, note by note where it can.
    void staffInsert(const MelodyText& melody, int index, std::u16string_view pitch,
                     std::u16string_view length);
    void staffRemove(const MelodyText& melody);
    static bool tieAtCaret(const MelodyText& melody);
    void refuse(std::u16string_view message);
    void reshowView();

    IKeyInputHost& m_host;
    IStaffFollower& m_staff;
    IInteractive& m_ui;
    const ParserState& m_state;

    PitchKeyTable m_pitchKeys;
    int m_keyMap = 0;
    char16_t m_currentLength = u'D';
    bool m_sharpPrefix = false;

    // The last pitch key and its note, for the note-off when it comes up.
    uint16_t m_lastPitchKey = 0;
    int m_lastNote = -1;
    // The on-screen key shown pressed, -1 when none.
    int m_pressedRow = -1;
    int m_pressedColumn = -1;

    // Set for a second after Alt+letter: the same letter again picks the two-letter type.
    bool m_typeKeyArmed = false;
    uint16_t m_typeKeyLetter = 0;
};

} // namespace sarvo::melody
