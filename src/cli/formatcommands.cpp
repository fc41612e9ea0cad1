// The commands of the ringtone formats: encode and decode over a table with one row per format,
// and import of other editors' text-notation files.

#include "cli/commandgroups.h"

#include "common/filebytes.h"
#include "common/textcodec.h"
#include "formats/kyaramail.h"
#include "formats/mld.h"
#include "formats/notationfiles.h"
#include "formats/pdxmail.h"
#include "formats/smd.h"

#include <charconv>
#include <functional>
#include <iterator>
#include <optional>
#include <utility>

namespace sarvo::cli {
namespace {

using formats::Bytes;
using formats::DecodeResult;
using formats::Ringtone;

struct EncodeOptions {
    bool noLimit = false; // --no-limit: the i-melody track is not cut at its size limit
};

// One ringtone format. A byte format sets the two byte functions and reads and writes raw bytes;
// a text format sets the two text functions and reads and writes text in UTF-8 (or code page 932
// with --sjis). An encoder's error is its reason for refusing the melody.
struct RingtoneFormat {
    std::string name;
    std::function<Converted<Bytes>(const Ringtone&, const EncodeOptions&, IInteractive&)>
        encodeBytes;
    std::function<DecodeResult(const Bytes&, int part)> decodeBytes;
    std::function<Converted<std::u16string>(const Ringtone&)> encodeText;
    std::function<DecodeResult(std::u16string_view, int part)> decodeText;
};

// The decoder of a format that carries one melody: part 0 is that melody, other parts are none.
template <class Input>
std::function<DecodeResult(Input, int)> singlePart(DecodeResult (*decode)(Input)) {
    return [decode](Input input, int part) {
        if (part != 0)
            return DecodeResult{std::nullopt, u"this format carries one part, part 0"};
        return decode(input);
    };
}

const std::vector<RingtoneFormat>& ringtoneFormats() {
    static const std::vector<RingtoneFormat> formats = {
        {"mld",
         [](const Ringtone& ringtone, const EncodeOptions& options, IInteractive& ui) {
             return Converted<Bytes>{formats::encodeMld(ringtone,
                                                        options.noLimit
                                                            ? formats::MldSizeLimit::Lifted
                                                            : formats::MldSizeLimit::Applied,
                                                        ui),
                                     {}};
         },
         formats::decodeMldBytes, nullptr, nullptr},
        {"smd",
         [](const Ringtone& ringtone, const EncodeOptions&, IInteractive&) {
             return formats::encodeSmd(ringtone);
         },
         formats::decodeSmdBytes, nullptr, nullptr},
        {"pdx-melody",
         [](const Ringtone& ringtone, const EncodeOptions&, IInteractive&) {
             return Converted<Bytes>{formats::encodePdxMelody(ringtone), {}};
         },
         singlePart(formats::decodePdxMelodyBytes), nullptr, nullptr},
        {"pdx-codes",
         [](const Ringtone& ringtone, const EncodeOptions&, IInteractive&) {
             return formats::encodePdxCodes(ringtone);
         },
         singlePart(formats::decodePdxCodesBytes), nullptr, nullptr},
        {"kyara", nullptr, nullptr, formats::encodeKyara, singlePart(formats::decodeKyara)},
    };
    return formats;
}

std::string formatNames() {
    std::string names;
    for (const RingtoneFormat& format : ringtoneFormats())
        names += (names.empty() ? "" : "|") + format.name;
    return names;
}

const RingtoneFormat* formatNamed(std::string_view name) {
    for (const RingtoneFormat& format : ringtoneFormats())
        if (format.name == name)
            return &format;
    return nullptr;
}

std::optional<int> integerOf(std::string_view text, int lowest, int highest) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < lowest ||
        value > highest)
        return std::nullopt;
    return value;
}

std::string readAll(std::istream& in) {
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A melody text file without the line break at its end; nullopt (reported) when it cannot be
// read or decoded.
std::optional<std::u16string> readPartFile(const std::string& path, Io& io) {
    std::optional<std::string> read = readFileBytes(path);
    if (!read) {
        io.err << "sarvo-cli: cannot read " << path << "\n";
        return std::nullopt;
    }
    std::string bytes = std::move(*read);
    while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r'))
        bytes.pop_back();
    auto text = io.sjis ? fromCp932(bytes) : fromUtf8(bytes);
    if (!text)
        io.err << "sarvo-cli: " << path << " is not valid " << (io.sjis ? "Shift_JIS" : "UTF-8")
               << " text\n";
    return text;
}

int reportFailure(Io& io, std::u16string_view reason) {
    io.err << "sarvo-cli: " << toUtf8(reason) << "\n";
    return kInputError;
}

int runEncode(const Args& args, Io& io) {
    const RingtoneFormat* format = formatNamed(args.required("--format"));
    if (!format)
        return usageError(io.err, "unknown format '" + args.required("--format") + "'", "encode");
    const auto tempo = integerOf(args.required("--tempo"), 1, 65535);
    if (!tempo)
        return usageError(io.err, "--tempo takes a whole number from 1", "encode");
    const auto voice = integerOf(args.value("--voice").value_or("7"), 0, 127);
    if (!voice)
        return usageError(io.err, "--voice takes a program number from 0 to 127", "encode");
    const auto title = fromUtf8(args.value("--title").value_or(""));
    if (!title)
        return usageError(io.err, "--title is not valid UTF-8", "encode");

    Ringtone ringtone;
    ringtone.title = *title;
    ringtone.tempo = formats::TempoUnit::quarterNotes(*tempo);
    if (args.positionals.empty()) {
        auto melodyText = io.readInput();
        if (!melodyText)
            return kInputError;
        ringtone.parts.push_back({*melodyText, *voice});
    }
    for (const std::string& path : args.positionals) {
        auto melodyText = readPartFile(path, io);
        if (!melodyText)
            return kInputError;
        ringtone.parts.push_back({*melodyText, *voice});
    }

    StderrInteractive ui(io.err);
    if (format->encodeText) {
        const Converted<std::u16string> text = format->encodeText(ringtone);
        if (!text.ok())
            return reportFailure(io, text.error);
        return io.write(text.value + u'\n') ? 0 : kInputError;
    }
    const Converted<Bytes> bytes =
        format->encodeBytes(ringtone, EncodeOptions{args.has("--no-limit")}, ui);
    if (!bytes.ok())
        return reportFailure(io, bytes.error);
    io.out.write(reinterpret_cast<const char*>(bytes.value.data()),
                 static_cast<std::streamsize>(bytes.value.size()));
    return 0;
}

std::u16string jsonString(std::u16string_view text) {
    std::u16string json = u"\"";
    for (char16_t c : text) {
        if (c == u'"' || c == u'\\') {
            json += u'\\';
            json += c;
        } else if (c < 0x20) {
            static constexpr std::u16string_view kHex = u"0123456789abcdef";
            json += u"\\u00";
            json += kHex[c >> 4];
            json += kHex[c & 0x0F];
        } else {
            json += c;
        }
    }
    return json + u'"';
}

std::u16string jsonNumber(std::optional<int> value) {
    if (!value)
        return u"null";
    const std::string digits = std::to_string(*value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string jsonOf(const formats::DecodedPart& part) {
    return u"{\"title\": " + jsonString(part.title) + u", \"tempo\": " + jsonNumber(part.tempo) +
           u", \"voice\": " + jsonNumber(part.voice) + u", \"melody\": " + jsonString(part.melody) +
           u"}";
}

int runDecode(const Args& args, Io& io) {
    const RingtoneFormat* format = formatNamed(args.required("--format"));
    if (!format)
        return usageError(io.err, "unknown format '" + args.required("--format") + "'", "decode");
    const auto part = integerOf(args.value("--part").value_or("0"), 0, 1 << 20);
    if (!part)
        return usageError(io.err, "--part takes a part number from 0", "decode");

    DecodeResult result;
    if (format->decodeText) {
        auto text = io.readInput();
        if (!text)
            return kInputError;
        result = format->decodeText(*text, *part);
    } else {
        const std::string input = readAll(io.in);
        result = format->decodeBytes(Bytes(input.begin(), input.end()), *part);
    }
    if (!result.part)
        return reportFailure(io, result.error);
    const std::u16string output = args.has("--json") ? jsonOf(*result.part) : result.part->melody;
    return io.write(output + u'\n') ? 0 : kInputError;
}

int runImport(const Args& args, Io& io) {
    const std::string& name = args.required("--format");
    const auto notation = formats::notationOfFormat(name);
    if (!notation)
        return usageError(io.err, "unknown format '" + name + "'", "import");
    const Converted<std::u16string> melodyText =
        formats::readNotationFile(args.positionals.front(), *notation);
    if (!melodyText.ok())
        return reportFailure(io, melodyText.error);
    return io.write(melodyText.value + u'\n') ? 0 : kInputError;
}

} // namespace

std::vector<Command> formatCommands() {
    const std::string names = formatNames();
    return {
        {"encode",
         "write melodies in a ringtone format",
         {{"--format", true, "--format (" + names + ")"},
          {"--title", true},
          {"--tempo", true, "--tempo (quarter notes per minute)"},
          {"--voice", true},
          {"--no-limit"}},
         0,
         kUnlimited,
         "usage: sarvo-cli encode --format " + names +
             " [--title TITLE] --tempo N [--voice PROGRAM]\n"
             "                        [--no-limit] [--sjis] [PART-FILE ...]\n\n"
             R"(Writes the ringtone of one to four parts on standard output: bytes, or text for a
text format. Each PART-FILE holds the melody text of one part (UTF-8, or code page 932 with
--sjis); with no file the melody text is read from standard input as the only part.
An encoder that refuses the melody says why on standard error and writes nothing.

  --format NAME      the ringtone format
  --title TITLE      the title the format carries (default none)
  --tempo N          quarter notes per minute
  --voice PROGRAM    General MIDI program number 0-127 of every part (default 7)
  --no-limit         do not cut an i-melody track at the size a mail may carry
)",
         runEncode},
        {"decode",
         "read one part of a ringtone back into melody text",
         {{"--format", true, "--format (" + names + ")"}, {"--part", true}, {"--json"}},
         0,
         0,
         "usage: sarvo-cli decode --format " + names + " [--part N] [--json] [--sjis]\n\n" +
             R"(Reads a ringtone on standard input (bytes, or text for a text format) and writes
the melody text of one part on standard output. Input that yields no melody is refused.

  --part N   the part, counting from 0 (default 0)
  --json     write an object with title, tempo, voice and melody instead
)",
         runDecode},
        {"import",
         "read another editor's text-notation file into melody text",
         {{"--format", true, "--format (omd|ked|cml)"}},
         1,
         1,
         R"(usage: sarvo-cli import --format omd|ked|cml [--sjis] FILE

Reads FILE, a code page 932 text in the letter notation (.omd, .ked: "+C4", "#F8.", "R2") or
in two-character codes (.cml: "<d", " h"), and writes its melody text on standard output.
)",
         runImport},
    };
}

} // namespace sarvo::cli
