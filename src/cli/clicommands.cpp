#include "cli/clicommands.h"

#include "cli/cliio.h"
#include "common/textcodec.h"
#include "keyguide/alltypes.h"
#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/keytextexport.h"
#include "keyguide/phonetypes.h"
#include "melody/transpose.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <iostream>
#include <optional>

namespace sarvo::cli {
namespace {

constexpr const char* kMainHelp = R"(usage: sarvo-cli <command> [options]

Commands:
  keys       convert a melody to the keypad presses of a phone type
  read       read keypad presses of a phone type back into a melody
  convert    convert keypad presses of one phone type into every phone type
  export     write the key texts of a melody for some phone types to files
  transpose  move every note of a melody one semitone up or down
  types      list the phone types

Run 'sarvo-cli <command> --help' for the options of a command.
)";

constexpr const char* kSjisOption =
    "  --sjis       read and write code page 932 (Shift_JIS) instead of UTF-8\n";

// The options a command takes, besides --help and --sjis.
enum OptionSet : unsigned {
    kNone = 0,
    kType = 1,      // --type TYPE
    kFrom = 2,      // --from TYPE
    kDirection = 4, // --up | --down
    kExport = 8,    // --dir DIR --types LIST
};

struct Options {
    std::string command;
    std::optional<std::string> type;
    std::optional<std::string> from;
    std::optional<int> direction;
    std::optional<std::string> dir;
    std::optional<std::string> types;
    bool sjis = false;
    bool help = false;
};

struct Command {
    const char* name;
    unsigned options;
    const char* help;
    int (*run)(const Options&, Io&);
};

// The type index of a short name such as "Type-A"; nullopt when unknown.
std::optional<int> typeIndexOf(const std::string& name) {
    auto text = fromUtf8(name);
    if (!text)
        return std::nullopt;
    const keyguide::PhoneType* type = keyguide::phoneTypeByShortName(*text);
    return type ? std::optional<int>(type->index) : std::nullopt;
}

std::u16string linesOf(const std::vector<keyguide::TypeKeyText>& texts) {
    std::u16string output;
    for (const keyguide::TypeKeyText& text : texts) {
        output += keyguide::phoneTypeByIndex(text.typeIndex)->shortName();
        output += u'\t';
        output += text.keyText;
        output += u'\n';
    }
    return output;
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
    const std::u16string output =
        all ? linesOf(keyguide::keyTextsOfAllTypes(*melodyText, state, ui))
            : keyguide::convertToKeys(*typeIndex, *melodyText, state, ui) + u'\n';
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

int runConvert(const Options& options, Io& io) {
    std::optional<int> typeIndex = typeIndexOf(*options.from);
    if (!typeIndex)
        return usageError(io.err, "unknown phone type '" + *options.from + "'", "convert");
    auto keyText = io.readInput();
    if (!keyText)
        return kInputError;
    melody::ParserState state;
    StderrInteractive ui(io.err);
    return io.write(linesOf(keyguide::convertToAllTypes(*typeIndex, *keyText, state, ui)))
               ? 0
               : kInputError;
}

int runExport(const Options& options, Io& io) {
    std::vector<int> typeIndexes;
    const std::string& list = *options.types;
    for (size_t start = 0; start <= list.size();) {
        const size_t comma = std::min(list.find(',', start), list.size());
        const std::string name = list.substr(start, comma - start);
        const std::optional<int> index = typeIndexOf(name);
        if (!index)
            return usageError(io.err, "unknown phone type '" + name + "' in --types", "export");
        typeIndexes.push_back(*index);
        start = comma + 1;
    }
    auto melodyText = io.readInput();
    if (!melodyText)
        return kInputError;
    melody::ParserState state;
    StderrInteractive ui(io.err);
    const keyguide::ExportResult result =
        keyguide::exportKeyTexts(*options.dir, typeIndexes, *melodyText, state, ui);
    if (!result.error.empty()) {
        io.err << "sarvo-cli: " << result.error << "\n";
        return kInputError;
    }
    io.out << result.filesWritten << " files written to " << *options.dir << "\n";
    return 0;
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

int runTypes(const Options&, Io& io) {
    std::u16string output;
    for (const keyguide::PhoneType& type : keyguide::phoneTypes()) {
        const std::string index = std::to_string(type.index);
        output += std::u16string(index.begin(), index.end());
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

constexpr std::array<Command, 6> kCommands = {{
    {"keys", kType, R"(usage: sarvo-cli keys --type TYPE [--sjis]

Reads melody text (for example "C中ド D中レ ") on standard input and writes the key text
of the phone type TYPE ("Type-A" ... "Type-AM") on standard output. With --type all, writes
one line per phone type: its short name, a tab and its key text.

  --type TYPE  the phone type, by short name, or all
)",
     runKeys},
    {"read", kType, R"(usage: sarvo-cli read --type TYPE [--sjis]

Reads the key text of the phone type TYPE on standard input and writes the melody text it
types on standard output.

  --type TYPE  the phone type, by short name
)",
     runRead},
    {"convert", kFrom, R"(usage: sarvo-cli convert --from TYPE [--sjis]

Reads the key text of the phone type TYPE on standard input, reads it back into a melody and
writes that melody's key text for every phone type, one line each: short name, tab, key text.

  --from TYPE  the phone type the key text is for, by short name
)",
     runConvert},
    {"export", kExport, R"(usage: sarvo-cli export --dir DIR --types TYPE[,TYPE...] [--sjis]

Reads melody text on standard input and writes, for each phone type listed, its key text to
DIR/TYPE.txt and, for the types that have them, its macro texts to DIR/TYPEMac.txt and
DIR/TYPEMac2.txt: one line each in code page 932. DIR is created when missing.

  --dir DIR          the folder to write to
  --types LIST       phone types by short name, separated by commas
)",
     runExport},
    {"transpose", kDirection, R"(usage: sarvo-cli transpose (--up | --down) [--sjis]

Reads melody text on standard input and writes it with every note one semitone higher
(--up) or lower (--down). Notes at the ends of the range (低ド, 高シ) stay.
)",
     runTranspose},
    {"types", kNone, R"(usage: sarvo-cli types [--sjis]

Lists the 39 phone types, one a line: index, short name, label and capacity text,
separated by tabs.
)",
     runTypes},
}};

const Command* commandNamed(const std::string& name) {
    for (const Command& command : kCommands)
        if (name == command.name)
            return &command;
    return nullptr;
}

// Takes the value of an option given as "--name value" or "--name=value"; false when it is not
// this option. A missing value is reported through error.
bool takeValue(const std::vector<std::string>& args, size_t& i, const std::string& name,
               std::optional<std::string>& value, std::string& error) {
    const std::string& arg = args[i];
    if (arg.starts_with(name + "=")) {
        value = arg.substr(name.size() + 1);
        return true;
    }
    if (arg != name)
        return false;
    if (i + 1 >= args.size())
        error = name + " needs a value";
    else
        value = args[++i];
    return true;
}

// Parses the options of a command; returns an error message, or "" when they are fine.
std::string parseOptions(const Command& command, const std::vector<std::string>& args,
                         Options& options) {
    std::string error;
    for (size_t i = 1; i < args.size() && error.empty(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--sjis") {
            options.sjis = true;
        } else if ((command.options & kType) && takeValue(args, i, "--type", options.type, error)) {
        } else if ((command.options & kFrom) && takeValue(args, i, "--from", options.from, error)) {
        } else if ((command.options & kExport) && takeValue(args, i, "--dir", options.dir, error)) {
        } else if ((command.options & kExport) &&
                   takeValue(args, i, "--types", options.types, error)) {
        } else if ((command.options & kDirection) && (arg == "--up" || arg == "--down")) {
            const int direction = arg == "--up" ? 1 : -1;
            if (options.direction && *options.direction != direction)
                return "give either --up or --down, not both";
            options.direction = direction;
        } else {
            return "unknown option '" + arg + "'";
        }
    }
    if (!error.empty() || options.help)
        return error;
    if ((command.options & kType) && !options.type)
        return "missing --type (for example --type Type-A)";
    if ((command.options & kFrom) && !options.from)
        return "missing --from (for example --from Type-A)";
    if ((command.options & kExport) && (!options.dir || options.dir->empty()))
        return "missing --dir";
    if ((command.options & kExport) && (!options.types || options.types->empty()))
        return "missing --types (for example --types Type-A,Type-E)";
    if ((command.options & kDirection) && !options.direction)
        return "missing --up or --down";
    return {};
}

} // namespace

int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
        std::ostream& err) {
    if (args.empty())
        return usageError(err, "missing command", "");
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        out << kMainHelp;
        return 0;
    }
    const Command* command = commandNamed(args[0]);
    if (!command)
        return usageError(err, "unknown command '" + args[0] + "'", "");
    Options options;
    options.command = args[0];
    if (std::string error = parseOptions(*command, args, options); !error.empty())
        return usageError(err, error, options.command);
    if (options.help) {
        out << command->help << kSjisOption;
        return 0;
    }
    Io io{in, out, err, options.sjis};
    return command->run(options, io);
}

} // namespace sarvo::cli
