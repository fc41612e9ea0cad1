#include "keyguide/keyreading.h"

#include "keyguide/keycells.h"
#include "melody/notecodes.h"
#include "melody/noteparser.h"

namespace sarvo::keyguide {

bool KeyReading::readFixedFieldNote() {
    const long pos = state.readPos;
    if (pos < 1 || pos > static_cast<long>(keyText.size()))
        return false;
    const size_t at = static_cast<size_t>(pos - 1);
    for (size_t i = 0; i < keys.size(); ++i)
        keys[i] = at + i < keyText.size() ? std::u16string(1, keyText[at + i]) : std::u16string();
    for (size_t i = 0; i < lookahead.size(); ++i) {
        const size_t start = at + kCellWidth * (i + 1);
        lookahead[i] = start < keyText.size() ? std::u16string(keyText.substr(start, kCellWidth))
                                              : std::u16string();
    }
    state.readPos += static_cast<int>(kCellWidth);
    return true;
}

void KeyReading::skipCells(int count) {
    state.readPos += count * static_cast<int>(kCellWidth);
}

void KeyReading::appendToken(std::u16string_view token) {
    if (!melody.empty() && melody.back() != u' ')
        melody += u' ';
    melody += token;
}

void KeyReading::appendNote() {
    // A cell whose key names no pitch still stands for the time of a note. It is written as the
    // rest of that length, as decoders append a note without a pitch, so that the melody keeps
    // a valid token and every note after it reads as typed.
    if (note.pitch.empty() && !note.length.empty()) {
        appendToken(std::u16string(1, melody::restCodeOf(note.length[0])) + note.dot);
        return;
    }
    appendToken(note.token());
}

void KeyReading::conversionError() {
    ui.showMessage(kConversionError);
    stopped = true;
}

std::u16string readKeys(int typeIndex, std::u16string_view keyText, melody::ParserState& state,
                        IInteractive& ui) {
    KeyReading reading{state, ui, keyText};
    if (const PhoneTypeRules* rules = rulesFor(typeIndex); rules) {
        state.readPos = 1;
        melody::resetPreviousNote(state);
        while (!reading.stopped && reading.readFixedFieldNote()) {
            reading.note = rules->readerDefault;
            rules->readCell(reading);
        }
    }
    if (reading.melody.empty() || reading.melody.back() != u' ')
        reading.melody += u' ';
    return std::move(reading.melody);
}

} // namespace sarvo::keyguide
