#include "melody/keyboardinput.h"

#include "melody/lengthkeytable.h"
#include "melody/notecodes.h"
#include "melody/noteparser.h"
#include "melody/tokenvalidation.h"

#include <algorithm>
#include <array>

namespace sarvo::melody {
namespace {

constexpr int kMiddleColumn = 1;
constexpr int kBaseNote = 60;
constexpr int kTypeLetterCount = 26;
constexpr uint16_t kPlayKey = keys::F1 + 3;
constexpr uint16_t kRefreshKey = keys::F1 + 4;

size_t caretOf(const MelodyText& melody) {
    return std::min(static_cast<size_t>(std::max(melody.caret, 0)), melody.text.size());
}

// Position of the first character of the token before the caret (the nearest token start
// scanning back from the character before it), or -1 when there is none.
long tokenStartBefore(std::u16string_view text, size_t caret) {
    long at = static_cast<long>(caret) - 1;
    while (at >= 0 && !isTokenStart(text[static_cast<size_t>(at)]))
        --at;
    return at;
}

int spacesBefore(const std::u16string& text, size_t end) {
    return static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(end), u' '));
}

bool isTupletCode(char16_t code) {
    return isTupletNoteCode(code) || isTupletRestCode(code);
}

// The sharp row a natural row moves to after the sharp key; ミ and シ have none.
int sharpRowOf(int row) {
    static constexpr std::array<int, 7> kSharpRows = {7, 8, 2, 9, 10, 11, 6};
    return row >= 0 && row < static_cast<int>(kSharpRows.size()) ? kSharpRows[row] : row;
}

// Octave mark and pitch name of the note that the ties before the caret belong to: the token
// before the run of ties. Deleting can leave ties after a rest or at the start; such ties have
// no pitch, as when the staff is rebuilt from the text.
std::u16string tiedPitchBefore(const MelodyText& melody) {
    const std::u16string& text = melody.text;
    size_t end = caretOf(melody);
    while (end >= 2 && text[end - 2] == kTie && (end == 2 || text[end - 3] == u' '))
        end -= 2;
    const long start = tokenStartBefore(text, end);
    if (start < 0 || !isNoteCode(text[static_cast<size_t>(start)]))
        return {};
    size_t at = static_cast<size_t>(start) + 1;
    while (at < end && !isOctaveMark(text[at]))
        ++at;
    return at + 2 <= end ? text.substr(at, 2) : std::u16string();
}

int columnOf(uint16_t eventModifiers) {
    if (eventModifiers & modifiers::Shift)
        return 2;
    if (eventModifiers & modifiers::Ctrl)
        return 0;
    return kMiddleColumn;
}

bool has(const KeyEvent& event, uint16_t modifier) {
    return (event.modifiers & modifier) != 0;
}

} // namespace

KeyboardInput::KeyboardInput(IKeyInputHost& host, IStaffFollower& staff, IInteractive& ui,
                             const ParserState& state)
    : m_host(host)
    , m_staff(staff)
    , m_ui(ui)
    , m_state(state) {}

void KeyboardInput::setKeyMap(int keyMap) {
    if (keyMap < 0 || keyMap >= kKeyMapCount)
        return;
    m_keyMap = keyMap;
    m_pitchKeys.applyKeyMap(keyMap);
}

uint16_t slurKeyOf(int keyMap) {
    return keyMap == 0 ? u'0' : keys::Minus;
}

KeyResult KeyboardInput::keyDown(const KeyEvent& event, MelodyText& melody) {
    if (m_state.isPlaying) {
        if (event.keyCode == kPlayKey)
            m_host.pressFunctionKey(kPlayKey - keys::F1 + 1);
        return KeyResult::Handled;
    }
    KeyResult result = KeyResult::Handled;
    if (handleShiftKeys(event, melody, result))
        return result;
    if (has(event, modifiers::Alt)) {
        handleAltKeys(event, result);
        return result;
    }
    if (has(event, modifiers::Ctrl) && handleCtrlKeys(event, melody))
        return KeyResult::Handled;
    if (m_keyMap == 2 && has(event, modifiers::Shift) && event.keyCode == u'3') {
        m_sharpPrefix = true;
        return KeyResult::Handled;
    }
    if (handleFunctionKeys(event) || handleEditingKeys(event, melody))
        return KeyResult::Handled;
    if (event.keyCode == keys::Period) {
        toggleDot(melody);
        return KeyResult::Handled;
    }
    if (event.keyCode == slurKey()) {
        addTie(melody);
        return KeyResult::Handled;
    }
    if (int row = m_pitchKeys.findKeyByCode(event.keyCode); row >= 0) {
        if (m_sharpPrefix)
            row = sharpRowOf(row);
        enterPitch(row, columnOf(event.modifiers), event.keyCode, event.autoRepeat, melody);
        return KeyResult::Handled;
    }
    if (handleLengthKey(event, melody))
        return KeyResult::Handled;
    return KeyResult::NotHandled;
}

bool KeyboardInput::handleShiftKeys(const KeyEvent& event, MelodyText& melody, KeyResult& result) {
    if (!has(event, modifiers::Shift))
        return false;
    if (event.keyCode == keys::Escape) {
        clear(melody);
        result = KeyResult::Handled;
        return true;
    }
    if (event.keyCode == keys::Right) {
        // The text box extends the selection itself.
        result = KeyResult::NotHandled;
        return true;
    }
    return false;
}

bool KeyboardInput::handleAltKeys(const KeyEvent& event, KeyResult& result) {
    const uint16_t key = event.keyCode;
    result = KeyResult::Handled;
    if (key == u'1') {
        m_host.selectView(kNoteInputView);
    } else if (key == u'2') {
        m_host.selectView(kStaffInputView);
    } else if (key == keys::Up) {
        if (const int view = m_host.currentView(); view > 0)
            m_host.selectView(view - 1);
    } else if (key == keys::Down) {
        m_host.selectView(m_host.currentView() + 1);
    } else if (key >= u'A' && key <= u'Z') {
        int view = kFirstPhoneTypeView + (key - u'A');
        if (m_typeKeyArmed && key == m_typeKeyLetter)
            view += kTypeLetterCount;
        m_typeKeyArmed = true;
        m_typeKeyLetter = key;
        m_host.startTypeKeyTimer();
        m_host.selectView(view);
    } else {
        result = KeyResult::NotHandled;
    }
    return true;
}

bool KeyboardInput::handleCtrlKeys(const KeyEvent& event, MelodyText& melody) {
    switch (event.keyCode) {
    case u'C':
        if (melody.selection > 0)
            m_host.setClipboardText(
                std::u16string_view(melody.text)
                    .substr(caretOf(melody), static_cast<size_t>(melody.selection)));
        // Under the map whose low ド is Ctrl+C the user chooses between copy and note.
        if (m_pitchKeys.row(0).keyCode == u'C')
            return m_ui.askQuestion(kCopyKeyQuestion, QuestionButtons::YesNo) != Answer::Yes;
        return true;
    case u'V': paste(melody); return true;
    case u'X': cut(melody); return true;
    default: return false;
    }
}

bool KeyboardInput::handleFunctionKeys(const KeyEvent& event) {
    if (event.keyCode < keys::F1 || event.keyCode > keys::F12)
        return false;
    m_host.pressFunctionKey(event.keyCode - keys::F1 + 1);
    return true;
}

bool KeyboardInput::handleEditingKeys(const KeyEvent& event, MelodyText& melody) {
    switch (event.keyCode) {
    case keys::Escape: melody.selection = 0; return true;
    case keys::Backspace: deleteBeforeCaret(melody); return true;
    case keys::Delete: deleteAfterCaret(melody); return true;
    case keys::Home: melody.caret = 0; break;
    case keys::End: melody.caret = static_cast<int>(melody.text.size()); break;
    case keys::Left: {
        const size_t caret = caretOf(melody);
        const bool atBoundary = caret == 0 || melody.text[caret - 1] == u' ';
        const int index = tokenIndexAtCaret(melody);
        moveCaretToToken(melody, std::max(atBoundary ? index - 1 : index, 0));
        break;
    }
    case keys::Right: moveCaretToToken(melody, tokenIndexAtCaret(melody) + 1); break;
    case keys::Up:
    case keys::Down: return true;
    default: return false;
    }
    // The caret moved: the staff's current note follows it.
    melody.selection = 0;
    m_staff.setCurrent(tokenIndexAtCaret(melody));
    return true;
}

bool KeyboardInput::handleLengthKey(const KeyEvent& event, MelodyText& melody) {
    const std::optional<int> entry = findLengthEntry(m_keyMap, event.keyCode);
    if (!entry)
        return false;
    const char16_t code = lengthCodeOfEntry(*entry);
    if (!isRestEntry(*entry)) {
        m_currentLength = code;
        if (!has(event, modifiers::FromToolbar))
            m_host.setLengthButton(*entry);
        return true;
    }
    melody.selection = 0;
    const int index = tokenIndexAtCaret(melody);
    const std::u16string length(1, code);
    insertToken(melody, length);
    staffInsert(melody, index, u"", length);
    return true;
}

void KeyboardInput::enterPitch(int row, int column, uint16_t keyCode, bool autoRepeat,
                               MelodyText& melody) {
    if (m_pressedRow >= 0 && (m_pressedRow != row || m_pressedColumn != column))
        m_host.setKeyPanelPressed(m_pressedRow, m_pressedColumn, false);
    m_host.setKeyPanelPressed(row, column, true);
    m_pressedRow = row;
    m_pressedColumn = column;

    const PitchKeyRow& key = m_pitchKeys.row(row);
    const int note = kBaseNote + key.midiOffset[static_cast<size_t>(column)];
    m_host.previewNoteOn(keyCode, note, m_currentLength, autoRepeat);

    melody.selection = 0;
    const int index = tokenIndexAtCaret(melody);
    std::u16string pitch(octaveMark(column));
    pitch += key.name;
    insertToken(melody, std::u16string(1, m_currentLength) + pitch);
    staffInsert(melody, index, pitch, std::u16string(1, m_currentLength));

    m_sharpPrefix = false;
    m_lastPitchKey = keyCode;
    m_lastNote = note;
}

void KeyboardInput::toggleDot(MelodyText& melody) {
    const long start = tokenStartBefore(melody.text, caretOf(melody));
    if (start < 0)
        return;
    const size_t at = static_cast<size_t>(start);
    const char16_t code = melody.text[at];
    if (isTupletCode(code)) {
        refuse(kDotAfterTupletRefusal);
        return;
    }
    if (!isPlainNoteCode(code) && !isPlainRestCode(code))
        return; // the tie and codes that carry no length of their own
    const size_t caret = caretOf(melody);
    const bool hadDot = at + 1 < melody.text.size() && melody.text[at + 1] == u'.';
    if (hadDot)
        melody.text.erase(at + 1, 1);
    else
        melody.text.insert(at + 1, 1, u'.');
    // The dot sits before the caret, so the caret moves with the text behind it.
    melody.caret = static_cast<int>(hadDot ? caret - 1 : caret + 1);
    melody.selection = 0;
    m_staff.setNoteDot(spacesBefore(melody.text, at), !hadDot);
}

void KeyboardInput::addTie(MelodyText& melody) {
    const long start = tokenStartBefore(melody.text, caretOf(melody));
    const char16_t code = start >= 0 ? melody.text[static_cast<size_t>(start)] : 0;
    if (isTupletCode(code)) {
        refuse(kSlurAfterTupletRefusal);
        return;
    }
    if (code != kTie && !isNoteCode(code)) {
        refuse(kSlurAfterRestRefusal);
        return;
    }
    melody.selection = 0;
    const std::u16string pitch = tiedPitchBefore(melody);
    const int index = tokenIndexAtCaret(melody);
    insertToken(melody, std::u16string(1, kTie));
    m_staff.insertNote(index, pitch, std::u16string(1, kTie));
}

void KeyboardInput::deleteBeforeCaret(MelodyText& melody) {
    melody.selection = 0;
    const size_t caret = caretOf(melody);
    if (caret == 0)
        return;
    size_t start = caret - 1;
    while (start > 0 && !isTokenStart(melody.text[start]))
        --start;
    melody.text.erase(start, caret - start);
    melody.caret = static_cast<int>(start);
    staffRemove(melody);
}

void KeyboardInput::deleteAfterCaret(MelodyText& melody) {
    melody.selection = 0;
    const size_t caret = caretOf(melody);
    if (caret >= melody.text.size())
        return;
    size_t end = melody.text.find(u' ', caret);
    if (end == std::u16string::npos)
        end = melody.text.size() - 1;
    melody.text.erase(caret, end - caret + 1);
    melody.caret = static_cast<int>(caret);
    staffRemove(melody);
}

bool KeyboardInput::tieAtCaret(const MelodyText& melody) {
    const size_t caret = caretOf(melody);
    return caret < melody.text.size() && melody.text[caret] == kTie;
}

void KeyboardInput::staffInsert(const MelodyText& melody, int index, std::u16string_view pitch,
                                std::u16string_view length) {
    // Ties after the caret now belong to the new token: their staff notes take its pitch.
    if (length != std::u16string_view(&kTie, 1) && tieAtCaret(melody))
        m_staff.rebuild();
    else
        m_staff.insertNote(index, pitch, length);
}

void KeyboardInput::staffRemove(const MelodyText& melody) {
    // Ties after the removed token now belong to the token before it.
    if (tieAtCaret(melody)) {
        m_staff.rebuild();
        return;
    }
    const int index = tokenIndexAtCaret(melody);
    m_staff.removeNote(index);
    m_staff.setCurrent(index);
}

void KeyboardInput::paste(MelodyText& melody) {
    const std::u16string tokens = keepValidTokens(m_host.clipboardText());
    if (tokens.empty() && melody.selection <= 0)
        return;
    const size_t caret = caretOf(melody);
    const size_t selected =
        std::min(static_cast<size_t>(std::max(melody.selection, 0)), melody.text.size() - caret);
    melody.text.replace(caret, selected, tokens);
    melody.caret = static_cast<int>(caret + tokens.size());
    melody.selection = 0;
    m_staff.rebuild();
}

void KeyboardInput::cut(MelodyText& melody) {
    if (melody.selection <= 0)
        return;
    const size_t caret = caretOf(melody);
    const size_t selected =
        std::min(static_cast<size_t>(melody.selection), melody.text.size() - caret);
    m_host.setClipboardText(std::u16string_view(melody.text).substr(caret, selected));
    melody.text.erase(caret, selected);
    melody.caret = static_cast<int>(caret);
    melody.selection = 0;
    m_staff.rebuild();
}

void KeyboardInput::clear(MelodyText& melody) {
    melody = MelodyText{};
    m_staff.rebuild();
    reshowView();
}

void KeyboardInput::refuse(std::u16string_view message) {
    m_host.beep();
    const int view = m_host.currentView();
    if (view == kNoteInputView || view == kStaffInputView)
        m_host.showStatus(message);
}

void KeyboardInput::reshowView() {
    m_host.selectView(m_host.currentView());
}

void KeyboardInput::keyUp(const KeyEvent& event) {
    if (event.autoRepeat)
        return;
    if (m_pressedRow >= 0) {
        m_host.setKeyPanelPressed(m_pressedRow, m_pressedColumn, false);
        m_pressedRow = m_pressedColumn = -1;
    }
    if (event.keyCode == m_lastPitchKey && m_lastNote >= 0) {
        m_host.previewNoteOff(m_lastPitchKey, m_lastNote, false);
        m_lastNote = -1;
    }
}

void KeyboardInput::pressKeyPanel(int row, int column, MelodyText& melody) {
    if (m_state.isPlaying || row < 0 || row >= kPitchRows || column < 0 || column > 2)
        return;
    enterPitch(row, column, m_pitchKeys.row(row).keyCode, false, melody);
}

void KeyboardInput::releaseKeyPanel(int row, int column) {
    if (row < 0 || row >= kPitchRows || column < 0 || column > 2)
        return;
    m_host.setKeyPanelPressed(row, column, false);
    if (row == m_pressedRow && column == m_pressedColumn)
        m_pressedRow = m_pressedColumn = -1;
    const PitchKeyRow& key = m_pitchKeys.row(row);
    const int note = kBaseNote + key.midiOffset[static_cast<size_t>(column)];
    m_host.previewNoteOff(key.keyCode, note, true);
    if (note == m_lastNote)
        m_lastNote = -1;
}

void KeyboardInput::pressSlurPanel(MelodyText& melody) {
    keyDown({slurKey(), 0}, melody);
}

void KeyboardInput::pressClearPanel(MelodyText& melody) {
    keyDown({keys::Escape, modifiers::Shift}, melody);
}

void KeyboardInput::pressRefreshPanel(MelodyText& melody) {
    keyDown({kRefreshKey, 0}, melody);
}

void KeyboardInput::pressLengthButton(int entry, MelodyText& melody) {
    if (const uint16_t key = lengthKeyOfEntry(m_keyMap, entry); key != 0)
        keyDown({key, modifiers::FromToolbar}, melody);
}

void KeyboardInput::pressDotButton(MelodyText& melody) {
    keyDown({keys::Period, modifiers::FromToolbar}, melody);
}

void KeyboardInput::pressTupletButton(char16_t kind, MelodyText& melody) {
    if (m_state.isPlaying)
        return;
    melody.selection = 0;
    const TupletToggleResult result = toggleTuplet(melody, kind);
    if (result.outcome == TupletToggleResult::Outcome::Refused)
        refuse(result.refusal);
    else if (result.outcome == TupletToggleResult::Outcome::Changed)
        m_staff.setNoteTuplet(result.tokenIndex, result.newCode);
}

void KeyboardInput::typeKeyTimeout() {
    m_typeKeyArmed = false;
}

void KeyboardInput::clickText(MelodyText& melody, int position) {
    melody.selection = 0;
    if (position < 0 || static_cast<size_t>(position) >= melody.text.size()) {
        melody.caret = static_cast<int>(melody.text.size());
    } else {
        // A click on a token's space belongs to that token.
        size_t at = static_cast<size_t>(position);
        while (at > 0 && (melody.text[at] == u' ' || !isTokenStart(melody.text[at])))
            --at;
        melody.caret = static_cast<int>(at);
    }
    m_staff.setCurrent(tokenIndexAtCaret(melody));
}

void KeyboardInput::widenSelectionToTokens(MelodyText& melody) {
    const std::u16string& text = melody.text;
    size_t start = caretOf(melody);
    size_t end = std::min(start + static_cast<size_t>(std::max(melody.selection, 0)), text.size());
    if (end == start) {
        melody.selection = 0; // nothing of the text is selected
        return;
    }
    while (start > 0 && text[start - 1] != u' ')
        --start;
    while (end < text.size() && text[end - 1] != u' ')
        ++end;
    melody.caret = static_cast<int>(start);
    melody.selection = static_cast<int>(end - start);
}

} // namespace sarvo::melody
