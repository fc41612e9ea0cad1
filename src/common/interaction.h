#pragma once
// The program's message interface. The core libraries report user-facing failures (the fixed
// Japanese texts such as "変換エラー！") through it; the GUI shows a message box, the command
// line writes to stderr, and tests record what was said.

#include <string>
#include <string_view>
#include <vector>

namespace sarvo {

class IInteractive {
public:
    virtual ~IInteractive() = default;
    // A plain message box with an OK button.
    virtual void showMessage(std::u16string_view text) = 0;
};

// Keeps every message, for tests and for callers that report messages later.
class RecordingInteractive final : public IInteractive {
public:
    void showMessage(std::u16string_view text) override { m_messages.emplace_back(text); }
    const std::vector<std::u16string>& messages() const { return m_messages; }

private:
    std::vector<std::u16string> m_messages;
};

} // namespace sarvo
