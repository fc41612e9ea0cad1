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
class StderrInteractive final : public IInteractive {
public:
    explicit StderrInteractive(std::ostream& err)
        : m_err(err) {}
    void showMessage(std::u16string_view text) override;

private:
    std::ostream& m_err;
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

// Reports a usage error with a hint to the command's help; returns kUsageError.
int usageError(std::ostream& err, const std::string& message, const std::string& command);

} // namespace sarvo::cli
