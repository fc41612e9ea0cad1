#include "cli/commandgroups.h"

#include "cli/typenames.h"
#include "common/textcodec.h"
#include "keyguide/alltypes.h"
#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/keytextexport.h"
#include "keyguide/phonetypes.h"
#include "melody/transpose.h"

namespace sarvo::cli {
namespace {

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

int runKeys(const Args& args, Io& io) {
    const std::string& type = args.required("--type");
    const bool all = type == "all";
    std::optional<int> typeIndex = all ? std::nullopt : typeIndexOf(type);
    if (!all && !typeIndex)
        return usageError(io.err, "unknown phone type '" + type + "'", "keys");
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

int runRead(const Args& args, Io& io) {
    const std::string& type = args.required("--type");
    std::optional<int> typeIndex = typeIndexOf(type);
    if (!typeIndex)
        return usageError(io.err, "unknown phone type '" + type + "'", "read");
    auto keyText = io.readInput();
    if (!keyText)
        return kInputError;
    melody::ParserState state;
    StderrInteractive ui(io.err);
    return io.write(keyguide::readKeys(*typeIndex, *keyText, state, ui) + u'\n') ? 0 : kInputError;
}

int runConvert(const Args& args, Io& io) {
    const std::string& from = args.required("--from");
    std::optional<int> typeIndex = typeIndexOf(from);
    if (!typeIndex)
        return usageError(io.err, "unknown phone type '" + from + "'", "convert");
    auto keyText = io.readInput();
    if (!keyText)
        return kInputError;
    melody::ParserState state;
    StderrInteractive ui(io.err);
    return io.write(linesOf(keyguide::convertToAllTypes(*typeIndex, *keyText, state, ui)))
               ? 0
               : kInputError;
}

int runExport(const Args& args, Io& io) {
    const std::string& dir = args.required("--dir");
    const TypeList types = typeListOf(args.required("--types"));
    if (!types.unknownName.empty())
        return usageError(io.err, "unknown phone type '" + types.unknownName + "' in --types",
                          "export");
    auto melodyText = io.readInput();
    if (!melodyText)
        return kInputError;
    melody::ParserState state;
    StderrInteractive ui(io.err);
    const keyguide::ExportResult result =
        keyguide::exportKeyTexts(dir, types.typeIndexes, *melodyText, state, ui);
    if (!result.error.empty()) {
        io.err << "sarvo-cli: " << result.error << "\n";
        return kInputError;
    }
    io.out << result.filesWritten << " files written to " << dir << "\n";
    return 0;
}

int runTranspose(const Args& args, Io& io) {
    const bool up = args.has("--up");
    if (up == args.has("--down"))
        return usageError(io.err,
                          up ? "give either --up or --down, not both" : "missing --up or --down",
                          "transpose");
    auto melodyText = io.readInput();
    if (!melodyText)
        return kInputError;
    melody::ParserState state;
    return io.write(melody::transposeMelody(state, *melodyText, up ? 1 : -1) + u'\n') ? 0
                                                                                      : kInputError;
}

int runTypes(const Args&, Io& io) {
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

} // namespace

std::vector<Command> keyguideCommands() {
    return {
        {"keys",
         "convert a melody to the keypad presses of a phone type",
         {{"--type", true, "--type (for example --type Type-A)"}},
         0,
         0,
         R"(usage: sarvo-cli keys --type TYPE [--sjis]

Reads melody text (for example "C中ド D中レ ") on standard input and writes the key text
of the phone type TYPE ("Type-A" ... "Type-AM") on standard output. With --type all, writes
one line per phone type: its short name, a tab and its key text.

  --type TYPE  the phone type, by short name, or all
)",
         runKeys},
        {"read",
         "read keypad presses of a phone type back into a melody",
         {{"--type", true, "--type (for example --type Type-A)"}},
         0,
         0,
         R"(usage: sarvo-cli read --type TYPE [--sjis]

Reads the key text of the phone type TYPE on standard input and writes the melody text it
types on standard output.

  --type TYPE  the phone type, by short name
)",
         runRead},
        {"convert",
         "convert keypad presses of one phone type into every phone type",
         {{"--from", true, "--from (for example --from Type-A)"}},
         0,
         0,
         R"(usage: sarvo-cli convert --from TYPE [--sjis]

Reads the key text of the phone type TYPE on standard input, reads it back into a melody and
writes that melody's key text for every phone type, one line each: short name, tab, key text.

  --from TYPE  the phone type the key text is for, by short name
)",
         runConvert},
        {"export",
         "write the key texts of a melody for some phone types to files",
         {{"--dir", true, "--dir"},
          {"--types", true, "--types (for example --types Type-A,Type-E)"}},
         0,
         0,
         R"(usage: sarvo-cli export --dir DIR --types TYPE[,TYPE...] [--sjis]

Reads melody text on standard input and writes, for each phone type listed, its key text to
DIR/TYPE.txt and, for the types that have them, its macro texts to DIR/TYPEMac.txt and
DIR/TYPEMac2.txt: one line each in code page 932. DIR is created when missing.

  --dir DIR          the folder to write to
  --types LIST       phone types by short name, separated by commas
)",
         runExport},
        {"transpose",
         "move every note of a melody one semitone up or down",
         {{"--up"}, {"--down"}},
         0,
         0,
         R"(usage: sarvo-cli transpose (--up | --down) [--sjis]

Reads melody text on standard input and writes it with every note one semitone higher
(--up) or lower (--down). Notes at the ends of the range (低ド, 高シ) stay.
)",
         runTranspose},
        {"types",
         "list the phone types",
         {},
         0,
         0,
         R"(usage: sarvo-cli types [--sjis]

Lists the 39 phone types, one a line: index, short name, label and capacity text,
separated by tabs.
)",
         runTypes},

    };
}

} // namespace sarvo::cli
