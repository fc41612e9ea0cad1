#include "melody/qtkeyevent.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <array>
#include <utility>

namespace sarvo::melody {
namespace {

// X11 and Wayland (xkb) key codes of the digit row, 1 to 9 then 0, the same on every layout.
constexpr quint32 kFirstDigitScanCode = 10;
constexpr quint32 kLastDigitScanCode = 19;

bool hasXkbScanCodes() {
    static const bool xkb = QGuiApplication::platformName() == QLatin1String("xcb") ||
                            QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    return xkb;
}

// The digit under a shifted symbol. Where the US and the Japanese layouts agree, or only one of
// them has the symbol, the digit is certain; "&", "(" and ")" follow the US layout.
std::optional<char16_t> digitOfSymbol(int key) {
    static constexpr std::array<std::pair<int, char16_t>, 12> kSymbols = {{
        {Qt::Key_Exclam, u'1'},
        {Qt::Key_At, u'2'},
        {Qt::Key_QuoteDbl, u'2'},
        {Qt::Key_NumberSign, u'3'},
        {Qt::Key_Dollar, u'4'},
        {Qt::Key_Percent, u'5'},
        {Qt::Key_AsciiCircum, u'6'},
        {Qt::Key_Ampersand, u'7'},
        {Qt::Key_Apostrophe, u'7'},
        {Qt::Key_Asterisk, u'8'},
        {Qt::Key_ParenLeft, u'9'},
        {Qt::Key_ParenRight, u'0'},
    }};
    for (const auto& [symbol, digit] : kSymbols)
        if (symbol == key)
            return digit;
    return std::nullopt;
}

std::optional<uint16_t> keyCodeOf(const QKeyEvent& event) {
    const int key = event.key();
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return static_cast<uint16_t>(key); // Qt uses the upper-case character
    const quint32 scanCode = hasXkbScanCodes() ? event.nativeScanCode() : 0;
    if ((event.modifiers() & Qt::ShiftModifier) && scanCode >= kFirstDigitScanCode &&
        scanCode <= kLastDigitScanCode)
        return static_cast<uint16_t>(
            scanCode == kLastDigitScanCode ? u'0' : u'1' + (scanCode - kFirstDigitScanCode));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return static_cast<uint16_t>(keys::F1 + (key - Qt::Key_F1));
    switch (key) {
    case Qt::Key_Backspace: return keys::Backspace;
    case Qt::Key_Escape: return keys::Escape;
    case Qt::Key_End: return keys::End;
    case Qt::Key_Home: return keys::Home;
    case Qt::Key_Left: return keys::Left;
    case Qt::Key_Up: return keys::Up;
    case Qt::Key_Right: return keys::Right;
    case Qt::Key_Down: return keys::Down;
    case Qt::Key_Delete: return keys::Delete;
    case Qt::Key_Period: return keys::Period;
    case Qt::Key_Minus: return keys::Minus;
    default: break;
    }
    // Only a symbol typed with Shift stands for a digit key; keypad keys and the symbol keys of
    // their own (the apostrophe of a US keyboard, say) are not digits.
    const Qt::KeyboardModifiers held = event.modifiers();
    if ((held & Qt::ShiftModifier) && !(held & Qt::KeypadModifier))
        if (const std::optional<char16_t> digit = digitOfSymbol(key))
            return *digit;
    return std::nullopt;
}

} // namespace

std::optional<KeyEvent> toKeyEvent(const QKeyEvent& event) {
    const std::optional<uint16_t> code = keyCodeOf(event);
    if (!code)
        return std::nullopt;
    KeyEvent result;
    result.keyCode = *code;
    result.autoRepeat = event.isAutoRepeat();
    const Qt::KeyboardModifiers held = event.modifiers();
    if (held & Qt::ShiftModifier)
        result.modifiers |= modifiers::Shift;
    if (held & Qt::ControlModifier)
        result.modifiers |= modifiers::Ctrl;
    if (held & Qt::AltModifier)
        result.modifiers |= modifiers::Alt;
    return result;
}

} // namespace sarvo::melody
