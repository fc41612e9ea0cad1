#include "cli/cliio.h"

#include "common/textcodec.h"

#include <charconv>
#include <iostream>
#include <iterator>

namespace sarvo::cli {

void StderrInteractive::showMessage(std::u16string_view text) {
    m_err << toUtf8(text) << '\n';
}

Answer StderrInteractive::askQuestion(std::u16string_view text, QuestionButtons buttons) {
    m_err << toUtf8(text) << '\n';
    if (m_answer)
        return *m_answer;
    m_unanswered = true;
    m_err << "sarvo-cli: this needs an answer; give --yes or --no\n";
    return declined(buttons);
}

std::optional<std::u16string> Io::readInput() {
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!bytes.empty() && bytes.back() == '\n')
        bytes.pop_back();
    if (!bytes.empty() && bytes.back() == '\r')
        bytes.pop_back();
    auto text = sjis ? fromCp932(bytes) : fromUtf8(bytes);
    if (!text)
        err << "sarvo-cli: the input is not valid " << (sjis ? "Shift_JIS" : "UTF-8") << " text\n";
    return text;
}

bool Io::write(std::u16string_view text) {
    if (!sjis) {
        out << toUtf8(text);
        return true;
    }
    auto bytes = toCp932(text);
    if (!bytes) {
        err << "sarvo-cli: the output has characters that Shift_JIS cannot hold\n";
        return false;
    }
    out << *bytes;
    return true;
}

std::optional<int> integerIn(std::string_view text, int low, int high) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

int usageError(std::ostream& err, const std::string& message, const std::string& command) {
    err << "sarvo-cli: " << message << "\n";
    err << "Try 'sarvo-cli " << (command.empty() ? "" : command + " ") << "--help'.\n";
    return kUsageError;
}

} // namespace sarvo::cli
