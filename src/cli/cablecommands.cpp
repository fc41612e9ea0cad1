#include "cli/commandgroups.h"

#include "cable/posixserialport.h"
#include "cable/transferrunner.h"
#include "common/textcodec.h"
#include "library/songlibrary.h"

namespace sarvo::cli {
namespace {

using namespace sarvo::cable;

int runCable(const Args& args, Io& io) {
    const std::string& action = args.positionals[0];
    const bool writing = action == "write";
    if (!writing && action != "read")
        return usageError(io.err, "unknown cable action '" + action + "'", "cable");
    const bool withLibrary = args.has("--library");
    if (args.positionals.size() > 1 && (!writing || !withLibrary))
        return usageError(io.err, "songs are named only with write --library DIR", "cable");
    const auto slot = integerIn(args.required("--slot"), 1, kSlotCount);
    if (!slot)
        return usageError(io.err, "--slot takes a number from 1 to 20", "cable");
    std::optional<CableType> wanted;
    if (auto name = args.value("--type")) {
        wanted = cableTypeByName(std::u16string(name->begin(), name->end()));
        if (!wanted)
            return usageError(io.err, "unknown cable type '" + *name + "'", "cable");
    }
    auto text = [&](const std::string& bytes) {
        return io.sjis ? fromCp932(bytes) : fromUtf8(bytes);
    };

    TransferRequest request;
    request.direction = writing ? Direction::Write : Direction::Read;
    request.type = wanted.value_or(CableType::E);
    request.slot = *slot;
    request.slotName = ringtoneSlotName(*slot);
    if (auto pin = args.value("--pin"))
        request.pin = std::u16string(pin->begin(), pin->end());
    if (writing) {
        const auto melody = io.readInput();
        if (!melody)
            return kInputError;
        request.melody = *melody;
        if (auto name = args.value("--name")) {
            const auto title = text(*name);
            if (!title)
                return usageError(io.err, "--name is not valid text", "cable");
            request.title = *title;
        }
        if (withLibrary) {
            const library::SongLibrary songs{library::LibraryFolders(args.required("--library"))};
            for (size_t i = 1; i < args.positionals.size(); ++i) {
                const auto name = text(args.positionals[i]);
                const auto song = name ? songs.loadSong(*name) : std::nullopt;
                if (!song) {
                    io.err << "sarvo-cli: no song named " << args.positionals[i] << "\n";
                    return kInputError;
                }
                request.furtherParts.push_back(song->melody);
            }
        }
    }

    PosixSerialPort port(args.required("--port"));
    ProtocolLog log;
    io.err << toUtf8(log.text());
    log.setListener(
        [&](std::u16string_view shown, bool) { io.err << toUtf8(shown) << std::flush; });
    const sound::SystemClock clock;
    Link link(port, log, clock);
    // Naming the songs of a chord is the answer to the question whether to write them.
    StderrInteractive ui(io.err, Answer::Yes);
    auto typeFound = [&](CableType type, bool probed) {
        if (!probed && !wanted) {
            io.err << "\nsarvo-cli: the probe did not tell the phone type; give --type\n";
            return false;
        }
        if (wanted && type != *wanted) {
            io.err << "\nsarvo-cli: the phone is " << toUtf8(cableTypeInfo(type).shortName)
                   << ", not " << toUtf8(cableTypeInfo(*wanted).shortName) << "\n";
            return false;
        }
        return true;
    };
    TransferRunner runner(request, link, ui, typeFound);
    runTransfer(runner, port);
    io.err << "\n";
    const TransferOutcome& outcome = runner.outcome();
    if (!outcome.completed)
        return kInputError;
    if (!writing && !io.write(outcome.melody + u"\n"))
        return kInputError;
    return 0;
}

} // namespace

std::vector<Command> cableCommands() {
    return {
        {"cable",
         "write a melody into a phone's ringtone slot, or read one, over a serial cable",
         {{"--port", true, "--port DEV"},
          {"--slot", true, "--slot N"},
          {"--name", true},
          {"--pin", true},
          {"--type", true},
          {"--library", true}},
         1,
         kUnlimited,
         R"(usage: sarvo-cli cable write --port DEV --slot N [--name NAME] [--pin NNNN] [--type Type-X]
                             [--library DIR SONG...] < MELODY
       sarvo-cli cable read --port DEV --slot N [--pin NNNN] [--type Type-X]

Talks to a phone on the serial device DEV (a pseudo-terminal too) as the cable dialog does.
The phone's type is found by its answer to the probe; --type names the type expected and
stops (exit 1) when the phone is another. Type-O and Type-AB phones do not tell their type
by the probe: give --type for them.

  write    writes the melody text on standard input into ringtone slot N (1 to 20);
           --name gives the song's name, --library DIR SONG... the songs of DIR written as
           further parts of a chord (Type-E, Type-AB: three parts at most)
  read     reads slot N and prints its melody text

  --pin NNNN   the phone's PIN (Type-AC), "1357" when not given

The protocol log goes to standard error. Exit 0 after "♪♪♪ 送信完了 ♪♪♪" or
"♪♪♪ 受信完了 ♪♪♪", 1 otherwise.
)",
         runCable},
    };
}

} // namespace sarvo::cli
