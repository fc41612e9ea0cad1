#include "cli/commandgroups.h"

#include "cli/typenames.h"
#include "common/textcodec.h"
#include "library/songlibrary.h"
#include "settings/privateprofile.h"
#include "settings/settingsfile.h"

#include <chrono>

namespace sarvo::cli {
namespace {

using library::SongInfo;
using library::SongLibrary;

// The options that carry a song's properties, with the field each one sets.
struct PropertyOption {
    const char* option;
    std::u16string library::SongProperties::*field;
};

constexpr PropertyOption kPropertyOptions[] = {
    {"--kashu", &library::SongProperties::kashu}, {"--jan", &library::SongProperties::jan},
    {"--body", &library::SongProperties::body},   {"--tenpo", &library::SongProperties::tenpo},
    {"--neiro", &library::SongProperties::neiro},
};

// The state every song subcommand shares: the library, its settings and the user's answer.
struct SongCommand {
    const Args& args;
    Io& io;
    library::LibraryFolders folders;
    SongLibrary library;
    StderrInteractive ui;

    SongCommand(const Args& a, Io& i, std::optional<Answer> answer)
        : args(a)
        , io(i)
        , folders(a.required("--library"))
        , library(folders)
        , ui(i.err, answer) {}

    // Option values arrive as UTF-8 or, with --sjis, code page 932.
    std::optional<std::u16string> text(const std::string& bytes) {
        auto decoded = io.sjis ? fromCp932(bytes) : fromUtf8(bytes);
        if (!decoded)
            io.err << "sarvo-cli: an argument is not valid " << (io.sjis ? "Shift_JIS" : "UTF-8")
                   << " text\n";
        return decoded;
    }

    // Exit status after an operation: a question left without --yes or --no is a usage error.
    int finish(const std::string& error) {
        if (ui.unanswered())
            return kUsageError; // the interface said why
        if (!error.empty()) {
            io.err << "sarvo-cli: " << error << "\n";
            return kInputError;
        }
        return 0;
    }
};

std::u16string rowText(const SongInfo& info) {
    const library::SongProperties& p = info.properties;
    std::u16string line = p.name;
    for (const std::u16string* field :
         {&p.kashu, &info.from, &info.date, &p.jan, &p.body, &p.tenpo, &p.neiro})
        line += u'\t' + *field;
    return line + u'\n';
}

int runList(SongCommand& c) {
    std::u16string output;
    for (const SongInfo& info : c.library.listSongs())
        output += rowText(info);
    return c.io.write(output) ? 0 : kInputError;
}

int runShow(SongCommand& c, std::u16string_view name) {
    const auto stored = c.library.findSong(name);
    if (!stored) {
        c.io.err << "sarvo-cli: no song named " << toUtf8(name) << "\n";
        return kInputError;
    }
    const auto loaded = settings::PrivateProfile::load(c.library.songFile(*stored));
    if (!loaded.error.empty())
        return c.finish(loaded.error);
    std::u16string output;
    for (const auto& [key, value] : loaded.profile.entries(library::kSongSection))
        output += key + u'=' + value + u'\n';
    return c.io.write(output) ? 0 : kInputError;
}

int runSave(SongCommand& c, std::u16string_view name) {
    std::vector<int> types;
    if (auto list = c.args.value("--types")) {
        const TypeList parsed = typeListOf(*list);
        if (!parsed.unknownName.empty())
            return usageError(c.io.err,
                              "unknown phone type '" + parsed.unknownName + "' in --types", "song");
        types = parsed.typeIndexes;
    }
    const auto melody = c.io.readInput();
    if (!melody)
        return kInputError;

    std::optional<SongInfo> info;
    if (auto stored = c.library.findSong(name)) {
        if (auto song = c.library.loadSong(*stored))
            info = song->info;
    }
    // Saving over a stored song replaces its melody: ask, as naming a melody does.
    if (info &&
        c.ui.askQuestion(u"「" + info->name() + u"」が既に存在します。上書きしてよろしいですか？",
                         QuestionButtons::YesNo) != Answer::Yes)
        return c.finish({});
    library::SongProperties properties =
        info ? info->properties : library::SongProperties{std::u16string(name)};
    for (const PropertyOption& option : kPropertyOptions) {
        if (auto value = c.args.value(option.option)) {
            auto decoded = c.text(*value);
            if (!decoded)
                return kInputError;
            properties.*option.field = *decoded;
        }
    }
    if (!info) {
        const settings::SettingsFile settingsFile(c.folders.settingsFile());
        library::LibraryResult result;
        info = c.library.createSong(properties, settingsFile.preferences().userName,
                                    std::chrono::system_clock::now(), c.ui, &result);
        if (!info)
            return c.finish(result.ok() ? "the song was not named" : result.error);
    }
    properties.name = info->name();
    info->properties = properties;
    melody::ParserState state;
    return c.finish(c.library.saveSong(*info, *melody, types, state, c.ui).error);
}

int runDelete(SongCommand& c, std::u16string_view name) {
    const auto stored = c.library.findSong(name);
    if (!stored) {
        c.io.err << "sarvo-cli: no song named " << toUtf8(name) << "\n";
        return kInputError;
    }
    if (c.ui.askQuestion(u"「" + *stored + u"」を削除してよろしいですか？",
                         QuestionButtons::YesNo) != Answer::Yes)
        return c.finish({});
    return c.finish(c.library.deleteSong(*stored).error);
}

int runImport(SongCommand& c, const std::string& file) {
    const library::ImportResult result = c.library.importExternalFile(file, c.ui);
    if (!result.name.empty() && !c.io.write(result.name + u'\n'))
        return kInputError;
    return c.finish(result.error);
}

int runSong(const Args& args, Io& io) {
    if (args.has("--yes") && args.has("--no"))
        return usageError(io.err, "give either --yes or --no, not both", "song");
    std::optional<Answer> answer;
    if (args.has("--yes"))
        answer = Answer::Yes;
    else if (args.has("--no"))
        answer = Answer::No;
    SongCommand command(args, io, answer);

    const std::string& action = args.positionals[0];
    const bool takesName = action == "show" || action == "save" || action == "delete";
    if (action == "list" || takesName || action == "import") {
        if (args.positionals.size() != (action == "list" ? 1u : 2u))
            return usageError(io.err,
                              "'" + action + "' takes " +
                                  (action == "list" ? "no argument" : "one argument"),
                              "song");
    } else {
        return usageError(io.err, "unknown song action '" + action + "'", "song");
    }
    if (action == "list")
        return runList(command);
    if (action == "import")
        return runImport(command, args.positionals[1]);
    const auto name = command.text(args.positionals[1]);
    if (!name)
        return kInputError;
    if (action == "show")
        return runShow(command, *name);
    if (action == "save")
        return runSave(command, *name);
    return runDelete(command, *name);
}

} // namespace

std::vector<Command> libraryCommands() {
    return {
        {"song",
         "list, show, save, delete and import the songs of a library",
         {{"--library", true, "--library DIR"},
          {"--kashu", true},
          {"--jan", true},
          {"--body", true},
          {"--tenpo", true},
          {"--neiro", true},
          {"--types", true},
          {"--yes"},
          {"--no"}},
         1,
         2,
         R"(usage: sarvo-cli song --library DIR list
       sarvo-cli song --library DIR show NAME
       sarvo-cli song --library DIR save NAME [--kashu T] [--jan T] [--body T] [--tenpo N]
                                              [--neiro N] [--types TYPE[,TYPE...]] [--yes|--no]
       sarvo-cli song --library DIR delete NAME (--yes|--no)
       sarvo-cli song --library DIR import FILE.svo [--yes|--no]

Works on the song library in DIR: the song files in DIR/log, the key-guide texts in DIR/Text
and the settings in DIR/Sarvo.ini.

  list     one line per song: name, musician, author, date, genre, comment, tempo and voice,
           separated by tabs
  show     the keys of the song file as key=value lines
  save     reads the melody text on standard input and saves it under NAME with the
           properties given (a stored song keeps the properties not given); with --types,
           also writes the key-guide texts of those phone types
  delete   removes the song file and its key-guide texts
  import   copies a .svo song file into the library and stores the song it holds; prints
           the song's name

Replacing or deleting a song asks first: --yes or --no gives the answer. Without either the
command refuses (exit 2) instead of guessing.

  --library DIR   the library folder
  --kashu TEXT    musician          --jan TEXT     genre
  --body TEXT     comment           --tenpo N      tempo
  --neiro N       voice (GM program number)
  --types LIST    phone types by short name, separated by commas
  --yes, --no     the answer to a question
)",
         runSong},
    };
}

} // namespace sarvo::cli
