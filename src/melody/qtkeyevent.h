#pragma once
// Translation of Qt key events into the key events of note input: letters and digits as their
// upper-case character, the editing, arrow and function keys, the dot and minus keys, and the
// modifier bits. Shift turns a digit key into a symbol in Qt; the digit is recovered from the
// physical key when the platform reports it, otherwise from the symbol.

#include "melody/keyboardinput.h"

#include <optional>

class QKeyEvent;

namespace sarvo::melody {

// nullopt for keys note input does not know (Tab, Return, lone modifiers, ...).
std::optional<KeyEvent> toKeyEvent(const QKeyEvent& event);

} // namespace sarvo::melody
