#pragma once
// Standard input and output of sarvo-cli in UTF-8 or code page 932, and messages for the user
// on standard error.

#include "common/interaction.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace sarvo::cli {

inline constexpr int kUsageError = 2;
inline constexpr int kInputError = 1;

// Prints messages for the user (such as a conversion error) on standard error, one a line.
// Questions are printed too and answered by the answer the command line gave (--yes or --no);
// without one a question is declined and remembered, so the command can refuse instead of
// guessing.
class StderrInteractive final : public IInteractive {
public:
    explicit StderrInteractive(std::ostream& err, std::optional<Answer> answer = std::nullopt)
        : m_err(err)
        , m_answer(answer) {}
    void showMessage(std::u16string_view text) override;
    Answer askQuestion(std::u16string_view text, QuestionButtons buttons) override;

    // True when a question came without an answer from the command line.
    bool unanswered() const { return m_unanswered; }

private:
    std::ostream& m_err;
    std::optional<Answer> m_answer;
    bool m_unanswered = false;
};

struct Io {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    bool sjis = false;

    // All of standard input without one final newline; nullopt (reported) when it cannot be
    // decoded.
    std::optional<std::u16string> readInput();
    // Writes text; false (reported) when code page 932 cannot hold it.
    bool write(std::u16string_view text);
};

// A whole number from low to high written in decimal; nullopt for any other text.
std::optional<int> integerIn(std::string_view text, int low, int high);

// Reports a usage error with a hint to the command's help; returns kUsageError.
int usageError(std::ostream& err, const std::string& message, const std::string& command);

} // namespace sarvo::cli
