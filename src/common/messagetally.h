#pragma once
// Gathers the messages that a run of work would show one by one — a conversion error for every
// note, say — so that they can be shown once with their counts. Questions still reach the user.

#include "common/interaction.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sarvo {

class MessageTally final : public IInteractive {
public:
    // ui must outlive the tally.
    explicit MessageTally(IInteractive& ui)
        : m_ui(ui) {}

    void showMessage(std::u16string_view text) override {
        for (auto& [message, count] : m_counts)
            if (message == text) {
                ++count;
                return;
            }
        m_counts.emplace_back(std::u16string(text), 1);
    }
    Answer askQuestion(std::u16string_view text, QuestionButtons buttons) override {
        return m_ui.askQuestion(text, buttons);
    }

    // Each distinct message with how often it came, in the order they first came.
    const std::vector<std::pair<std::u16string, int>>& counts() const { return m_counts; }

private:
    IInteractive& m_ui;
    std::vector<std::pair<std::u16string, int>> m_counts;
};

} // namespace sarvo
