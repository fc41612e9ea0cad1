#include "cli/clicommands.h"

#include "common/textcodec.h"
#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/phonetypes.h"
#include "melody/transpose.h"

#include <iostream>
#include <iterator>
#include <optional>

namespace sarvo::cli {
namespace {

constexpr int kUsageError = 2;
constexpr int kInputError = 1;

constexpr const char* kMainHelp = R"(usage: sarvo-cli <command> [options]

Commands:
  keys       convert a melody to the keypad presses of a phone type
  read       read keypad presses of a phone type back into a melody
  transpose  move every note of a melody one semitone up or down
  types      list the phone types

Run 'sarvo-cli <command> --help' for the options of a command.
)";

constexpr const char* kKeysHelp = R"(usage: sarvo-cli keys --type TYPE [--sjis]

Reads melody text (for example "C中ド D中レ ") on standard input and writes the key text
of the phone type TYPE ("Type-A" ... "Type-AM") on standard output. With --type all, writes
one line per phone type: its short name, a tab and its key text.

  --type TYPE  the phone type, by short name, or all
  --sjis       read and write code page 932 (Shift_JIS) instead of UTF-8
)";

constexpr const char* kReadHelp = R"(usage: sarvo-cli read --type TYPE [--sjis]

Reads the key text of the phone type TYPE on standard input and writes the melody text it
types on standard output.

  --type TYPE  the phone type, by short name
  --sjis       read and write code page 932 (Shift_JIS) instead of UTF-8
)";

constexpr const char* kTransposeHelp = R"(usage: sarvo-cli transpose (--up | --down) [--sjis]

Reads melody text on standard input and writes it with every note one semitone higher
(--up) or lower (--down). Notes at the ends of the range (低ド, 高シ) stay.

  --sjis       read and write code page 932 (Shift_JIS) instead of UTF-8
)";

constexpr const char* kTypesHelp = R"(usage: sarvo-cli types [--sjis]

Lists the 39 phone types, one a line: index, short name, label and capacity text,
separated by tabs.

  --sjis       write code page 932 (Shift_JIS) instead of UTF-8
)";

// Prints messages for the user (such as a conversion error) on standard error.
class StderrInteractive final : public IInteractive {
public:
    explicit StderrInteractive(std::ostream& err)
        : m_err(err) {}
    void showMessage(std::u16string_view text) override { m_err << toUtf8(text) << '\n'; }

private:
    std::ostream& m_err;
};

struct Options {
    std::string command;
    std::optional<std::string> type;
    std::optional<int> direction;
    bool sjis = false;
    bool help = false;
};

struct Io {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    bool sjis;

    std::optional<std::u16string> readInput() {
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!bytes.empty() && bytes.back() == '\n')
            bytes.pop_back();
        if (!bytes.empty() && bytes.back() == '\r')
            bytes.pop_back();
        auto text = sjis ? fromCp932(bytes) : fromUtf8(bytes);
        if (!text)
            err << "sarvo-cli: the input is not valid " << (sjis ? "Shift_JIS" : "UTF-8")
                << " text\n";
        return text;
    }

    bool write(std::u16string_view text) {
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
};

int usageError(std::ostream& err, const std::string& message, const std::string& command) {
    err << "sarvo-cli: " << message << "\n";
    err << "Try 'sarvo-cli " << (command.empty() ? "" : command + " ") << "--help'.\n";
    return kUsageError;
}

const char* helpOf(const std::string& command) {
    if (command == "keys")
        return kKeysHelp;
    if (command == "read")
        return kReadHelp;
    if (command == "transpose")
        return kTransposeHelp;
    if (command == "types")
        return kTypesHelp;
    return nullptr;
}

// Parses the options of a command; returns an error message, or "" when they are fine.
std::string parseOptions(const std::vector<std::string>& args, Options& options) {
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesType = options.command == "keys" || options.command == "read";
        const bool takesDirection = options.command == "transpose";
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--sjis") {
            options.sjis = true;
        } else if (takesType && (arg == "--type" || arg.starts_with("--type="))) {
            if (arg == "--type") {
                if (i + 1 >= args.size())
                    return "--type needs a phone type, for example --type Type-A";
                options.type = args[++i];
            } else {
                options.type = arg.substr(7);
            }
        } else if (takesDirection && (arg == "--up" || arg == "--down")) {
            const int direction = arg == "--up" ? 1 : -1;
            if (options.direction && *options.direction != direction)
                return "give either --up or --down, not both";
            options.direction = direction;
        } else {
            return "unknown option '" + arg + "'";
        }
    }
    if (options.help)
        return {};
    if ((options.command == "keys" || options.command == "read") && !options.type)
        return "missing --type (for example --type Type-A)";
    if (options.command == "transpose" && !options.direction)
        return "missing --up or --down";
    return {};
}

// The type index of a short name such as "Type-A"; nullopt when unknown.
std::optional<int> typeIndexOf(const std::string& name) {
    auto text = fromUtf8(name);
    if (!text)
        return std::nullopt;
    const keyguide::PhoneType* type = keyguide::phoneTypeByShortName(*text);
    return type ? std::optional<int>(type->index) : std::nullopt;
}

int runKeys(const Options& options, Io& io) {
    const bool all = options.type == "all";
    std::optional<int> typeIndex = all ? std::nullopt : typeIndexOf(*options.type);
    if (!all && !typeIndex)
        return usageError(io.err, "unknown phone type '" + *options.type + "'", "keys");
    auto melodyText = io.readInput();
    if (!melodyText)
        return kInputError;
    melody::ParserState state;
    StderrInteractive ui(io.err);
    std::u16string output;
    if (all) {
        for (const keyguide::PhoneType& type : keyguide::phoneTypes()) {
            output += type.shortName();
            output += u'\t';
            output += keyguide::convertToKeys(type.index, *melodyText, state, ui);
            output += u'\n';
        }
    } else {
        output = keyguide::convertToKeys(*typeIndex, *melodyText, state, ui) + u'\n';
    }
    return io.write(output) ? 0 : kInputError;
}

int runRead(const Options& options, Io& io) {
    std::optional<int> typeIndex = typeIndexOf(*options.type);
    if (!typeIndex)
        return usageError(io.err, "unknown phone type '" + *options.type + "'", "read");
    auto keyText = io.readInput();
    if (!keyText)
        return kInputError;
    melody::ParserState state;
    StderrInteractive ui(io.err);
    return io.write(keyguide::readKeys(*typeIndex, *keyText, state, ui) + u'\n') ? 0 : kInputError;
}

int runTranspose(const Options& options, Io& io) {
    auto melodyText = io.readInput();
    if (!melodyText)
        return kInputError;
    melody::ParserState state;
    return io.write(melody::transposeMelody(state, *melodyText, *options.direction) + u'\n')
               ? 0
               : kInputError;
}

int runTypes(Io& io) {
    std::u16string output;
    for (const keyguide::PhoneType& type : keyguide::phoneTypes()) {
        output += fromUtf8(std::to_string(type.index)).value_or(u"");
        output += u'\t';
        output += type.shortName();
        output += u'\t';
        output += type.label;
        output += u'\t';
        output += type.capacity;
        output += u'\n';
    }
    return io.write(output) ? 0 : kInputError;
}

} // namespace

int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
        std::ostream& err) {
    if (args.empty())
        return usageError(err, "missing command", "");
    Options options;
    options.command = args[0];
    if (options.command == "--help" || options.command == "-h" || options.command == "help") {
        out << kMainHelp;
        return 0;
    }
    const char* help = helpOf(options.command);
    if (!help)
        return usageError(err, "unknown command '" + options.command + "'", "");
    if (std::string error = parseOptions(args, options); !error.empty())
        return usageError(err, error, options.command);
    if (options.help) {
        out << help;
        return 0;
    }
    Io io{in, out, err, options.sjis};
    if (options.command == "keys")
        return runKeys(options, io);
    if (options.command == "read")
        return runRead(options, io);
    if (options.command == "transpose")
        return runTranspose(options, io);
    return runTypes(io);
}

} // namespace sarvo::cli
