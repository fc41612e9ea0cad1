#pragma once
// The program's message interface. The core libraries report user-facing failures (the fixed
// Japanese texts such as "変換エラー！") through it and ask the user's yes/no questions (such as
// "…を保存しますか？"); the GUI shows a message box, the command line writes to stderr and takes
// its answers from options, and tests record what was said and answer from a script.

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace sarvo {

// The buttons a question offers.
enum class QuestionButtons { YesNo, YesNoCancel };

enum class Answer { Yes, No, Cancel };

// The answer that changes nothing: No for a yes/no question, Cancel when Cancel is offered.
inline Answer declined(QuestionButtons buttons) {
    return buttons == QuestionButtons::YesNoCancel ? Answer::Cancel : Answer::No;
}

class IInteractive {
public:
    virtual ~IInteractive() = default;
    // A plain message box with an OK button.
    virtual void showMessage(std::u16string_view text) = 0;
    // A question with the given buttons; returns the button chosen (Cancel also when the box is
    // closed without a choice).
    virtual Answer askQuestion(std::u16string_view text, QuestionButtons buttons) = 0;
};

// Keeps every message and question, for tests and for callers that report messages later.
// Questions are answered from a queue of scripted answers; when the queue is empty the question
// is declined, so an unexpected question never overwrites or deletes anything.
class RecordingInteractive final : public IInteractive {
public:
    void showMessage(std::u16string_view text) override { m_messages.emplace_back(text); }
    Answer askQuestion(std::u16string_view text, QuestionButtons buttons) override {
        m_questions.emplace_back(text);
        if (m_answers.empty())
            return declined(buttons);
        Answer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    // Queues the answer to the next question not yet answered.
    void queueAnswer(Answer answer) { m_answers.push_back(answer); }

    const std::vector<std::u16string>& messages() const { return m_messages; }
    const std::vector<std::u16string>& questions() const { return m_questions; }
    // Scripted answers that no question used yet.
    size_t pendingAnswers() const { return m_answers.size(); }

private:
    std::vector<std::u16string> m_messages;
    std::vector<std::u16string> m_questions;
    std::deque<Answer> m_answers;
};

} // namespace sarvo
