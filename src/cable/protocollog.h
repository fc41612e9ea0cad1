#pragma once
// The protocol log of a cable transfer (LogSet, LogClr). Received bytes and the transfer's
// messages are written into it; what it shows is disguised a little: a text whose second
// character is "D" or "6" shows "E" or "F" there, and the first "00", "01", "02" and "06" of a
// text show as "FC", "FF", "F8" and "FE".

#include <functional>
#include <string>
#include <string_view>

namespace sarvo::cable {

// The line break that starts a new line of the log.
inline constexpr std::u16string_view kNewLine = u"\n";
inline constexpr std::u16string_view kLogHeader =
    u"\n＊＊＊ シリアルデータ転送のプロトコルログです ＊＊＊";
// A longer log starts again from its header before the next text.
inline constexpr size_t kLogLimit = 30000;

// The text as the log shows it.
std::u16string disguisedLogText(std::u16string_view text);

class ProtocolLog {
public:
    // Told of every change: the text appended, or (reset true) the whole new text after the
    // log was emptied or started again.
    using Listener = std::function<void(std::u16string_view text, bool reset)>;

    ProtocolLog() { logClr(); }

    void setListener(Listener listener) { m_listener = std::move(listener); }

    // LogSet: appends the text as the log shows it; clear empties the log first.
    void logSet(std::u16string_view text, bool clear = false);
    // LogClr: the log becomes its header.
    void logClr();

    const std::u16string& text() const { return m_text; }

private:
    void reset(std::u16string text);

    std::u16string m_text;
    Listener m_listener;
};

} // namespace sarvo::cable
