// sarvo-cli mail: compose and recognise ringtone mails, and send and receive them over SMTP and
// POP3 with the same engines as the mail dialog.

#include "cli/commandgroups.h"

#include "common/textcodec.h"
#include "library/songlibrary.h"
#include "mail/mailcompose.h"
#include "mail/mailparse.h"
#include "mail/mailsongs.h"
#include "mail/net/exchangedriver.h"
#include "mail/pop3session.h"
#include "mail/receivedsongs.h"
#include "mail/serversettings.h"
#include "mail/smtpsession.h"
#include "settings/settingsfile.h"
#include "sound/voicelist.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <fstream>
#include <iterator>
#include <memory>
#include <optional>

namespace sarvo::cli {
namespace {

using mail::MailKind;

std::optional<Answer> answerOf(const Args& args) {
    if (args.has("--yes"))
        return Answer::Yes;
    if (args.has("--no"))
        return Answer::No;
    return std::nullopt;
}

// The state of one mail command: its arguments, the library when one is named, the answers.
struct MailCommand {
    const Args& args;
    Io& io;
    MailKind kind = MailKind::IMelody;
    std::optional<library::SongLibrary> library;
    StderrInteractive ui;

    MailCommand(const Args& a, Io& i)
        : args(a)
        , io(i)
        , ui(i.err, answerOf(a)) {
        if (auto folder = a.value("--library"))
            library.emplace(library::LibraryFolders(*folder));
    }

    std::optional<settings::SettingsFile> settingsFile() const {
        if (!library)
            return std::nullopt;
        return settings::SettingsFile(library->folders().settingsFile());
    }

    // An option's text (UTF-8, or code page 932 with --sjis); fallback when not given.
    std::optional<std::u16string> text(std::string_view option, std::u16string_view fallback = {}) {
        const auto value = args.value(option);
        if (!value)
            return std::u16string(fallback);
        auto decoded = io.sjis ? fromCp932(*value) : fromUtf8(*value);
        if (!decoded)
            io.err << "sarvo-cli: " << option << " is not valid "
                   << (io.sjis ? "Shift_JIS" : "UTF-8") << " text\n";
        return decoded;
    }

    int fail(std::u16string_view reason) {
        io.err << "sarvo-cli: " << toUtf8(reason) << "\n";
        return kInputError;
    }
};

struct ServerAddressText {
    std::string host;
    int port = 0;
};

std::optional<int> numberOption(const Args& args, std::string_view option, int fallback, int low,
                                int high) {
    const auto value = args.value(option);
    return value ? integerIn(*value, low, high) : std::optional<int>(fallback);
}

// The mail of the compose options; nullopt after the reason was reported. The songs come from
// the library when songs are named, else from standard input and the song options.
std::optional<mail::OutgoingMail> outgoingMail(MailCommand& c, int& status) {
    status = kInputError;
    mail::OutgoingMail out;
    out.kind = c.kind;
    struct TextOption {
        const char* option;
        std::u16string mail::OutgoingMail::*field;
        std::u16string_view fallback;
    };
    const TextOption textOptions[] = {
        {"--from", &mail::OutgoingMail::ownAddress, u""},
        {"--to", &mail::OutgoingMail::destination, u""},
        {"--user", &mail::OutgoingMail::userName, u""},
        {"--subject", &mail::OutgoingMail::subject, u""},
        {"--body", &mail::OutgoingMail::body, mail::kDefaultBody},
        {"--imail", &mail::OutgoingMail::imodeAddress, u""},
        {"--name", &mail::OutgoingMail::songName, u""},
        {"--kashu", &mail::OutgoingMail::kashu, u""},
        {"--jan", &mail::OutgoingMail::jan, u""},
    };
    for (const TextOption& option : textOptions) {
        auto value = c.text(option.option, option.fallback);
        if (!value)
            return std::nullopt;
        out.*option.field = *value;
    }
    if (auto date = c.args.value("--date")) {
        const auto time = mail::MailTime::parse(*date);
        if (!time) {
            status = usageError(c.io.err, "--date takes \"YYYY-MM-DD HH:MM\"", "mail");
            return std::nullopt;
        }
        out.time = *time;
    } else {
        out.time = mail::MailTime::now();
    }
    const auto settingsFile = c.settingsFile();
    const settings::Preferences preferences =
        settingsFile ? settingsFile->preferences() : settings::Preferences{};
    if (c.kind == MailKind::IMelodyUrl)
        out.destination =
            (settingsFile ? mail::songServerSettings(*settingsFile) : mail::SongServerSettings{})
                .uploadMailbox;

    formats::Ringtone ringtone;
    const std::vector<std::string> songArgs(c.args.positionals.begin() + 1,
                                            c.args.positionals.end());
    if (!songArgs.empty()) {
        if (!c.library) {
            status = usageError(c.io.err, "songs are named with --library DIR", "mail");
            return std::nullopt;
        }
        std::vector<std::u16string> names;
        for (const std::string& arg : songArgs) {
            auto name = c.io.sjis ? fromCp932(arg) : fromUtf8(arg);
            if (!name)
                return c.fail(u"a song name is not valid text"), std::nullopt;
            names.push_back(*name);
        }
        if (mail::mailKindInfo(c.kind).chord) {
            names = mail::chordParts(names, c.ui);
            if (names.empty()) {
                status = c.ui.unanswered() ? kInputError : kInputError;
                return std::nullopt;
            }
        }
        auto songs =
            mail::loadMailSongs(*c.library, names, preferences.tempoNote, preferences.tempo);
        if (!songs.ok())
            return c.fail(songs.error), std::nullopt;
        out.songName = songs.value.name;
        out.kashu = songs.value.kashu;
        out.jan = songs.value.jan;
        ringtone = songs.value.ringtone;
    } else {
        const auto tempo = numberOption(c.args, "--tempo", 100, 1, 65535);
        const auto voice = numberOption(c.args, "--voice", formats::kDefaultVoice, 0, 127);
        if (!tempo || !voice) {
            status = usageError(c.io.err, "--tempo takes 1-65535, --voice 0-127", "mail");
            return std::nullopt;
        }
        const auto melody = c.io.readInput();
        if (!melody)
            return std::nullopt;
        ringtone.title = out.songName;
        ringtone.tempo = formats::TempoUnit::quarterNotes(*tempo);
        ringtone.parts.push_back({*melody, *voice});
    }
    if (ringtone.parts.front().melody.find_first_not_of(u" \r\n") == std::u16string::npos)
        return c.fail(u"曲が入力されていないので送信はできません。"), std::nullopt;
    auto attachment = mail::encodeAttachment(c.kind, ringtone, out.subject, c.ui);
    if (!attachment.ok())
        return c.fail(u"音符の変換エラー: " + attachment.error), std::nullopt;
    out.attachment = std::move(attachment.value);
    status = 0;
    return out;
}

int runCompose(MailCommand& c) {
    int status = 0;
    const auto out = outgoingMail(c, status);
    if (!out)
        return status;
    const Converted<std::string> text = mail::composeMail(*out);
    if (!text.ok())
        return c.fail(text.error);
    c.io.out << text.value;
    return 0;
}

std::u16string jsonText(std::u16string_view text) {
    std::u16string json = u"\"";
    for (const char16_t c : text) {
        if (c == u'"' || c == u'\\')
            json += {u'\\', c};
        else if (c < 0x20)
            json +=
                u"\\u00" + std::u16string{u"0123456789abcdef"[c >> 4], u"0123456789abcdef"[c & 15]};
        else
            json += c;
    }
    return json + u'"';
}

std::u16string songJson(const mail::ReceivedSong& song) {
    std::u16string json = u"{";
    const std::pair<const char16_t*, const std::u16string*> fields[] = {{u"name", &song.name},
                                                                        {u"kashu", &song.kashu},
                                                                        {u"jan", &song.jan},
                                                                        {u"from", &song.from},
                                                                        {u"date", &song.date}};
    for (const auto& [key, value] : fields)
        json += jsonText(key) + u": " + jsonText(*value) + u", ";
    json += u"\"tempo\": " +
            (song.tempo ? mail::asciiText(std::to_string(*song.tempo)) : std::u16string(u"null"));
    json += u", \"melody\": " + jsonText(song.melody) + u", \"body\": " + jsonText(song.body);
    return json + u"}";
}

// The voice of received songs: the program of the voice chosen in the settings.
std::u16string settingsVoice(const MailCommand& c) {
    const auto settingsFile = c.settingsFile();
    const auto row = sound::voiceRowOfText(settingsFile ? settingsFile->preferences().voice
                                                        : settings::Preferences{}.voice);
    const int program = row ? sound::voiceList()[*row].program : formats::kDefaultVoice;
    return mail::asciiText(std::to_string(program));
}

// Stores recognised songs when a library is named; prints their JSON or their stored names.
int runParse(MailCommand& c) {
    const std::string message((std::istreambuf_iterator<char>(c.io.in)),
                              std::istreambuf_iterator<char>());
    const auto songs = mail::parseMail(c.kind, message, c.ui);
    if (!songs || songs->empty())
        return kInputError;
    std::u16string output;
    for (const mail::ReceivedSong& song : *songs)
        output += songJson(song) + u'\n';
    if (c.library) {
        const auto settingsFile = c.settingsFile();
        const mail::StoredSongs stored = mail::storeReceivedSongs(
            *c.library, *songs, settingsVoice(c), settingsFile->preferences().phoneTypes,
            mail::fixedNameClashChoice(*c.library, answerOf(c.args)), c.ui);
        if (!stored.error.empty())
            return c.fail(mail::asciiText(stored.error));
    }
    return c.io.write(output) ? 0 : kInputError;
}

// HOST or HOST:PORT; the port by the TLS mode when none is given.
std::optional<ServerAddressText> serverOf(std::string_view text, mail::TlsMode tls, int plainPort,
                                          int implicitPort) {
    ServerAddressText server{std::string(text),
                             tls == mail::TlsMode::Implicit ? implicitPort : plainPort};
    if (const size_t colon = text.rfind(':'); colon != std::string_view::npos) {
        const auto port = integerIn(text.substr(colon + 1), 1, 65535);
        if (!port)
            return std::nullopt;
        server = {std::string(text.substr(0, colon)), *port};
    }
    if (server.host.empty())
        return std::nullopt;
    return server;
}

std::optional<mail::TlsMode> tlsOf(const Args& args) {
    const std::string mode = args.value("--tls").value_or("none");
    if (mode == "none")
        return mail::TlsMode::None;
    if (mode == "starttls")
        return mail::TlsMode::StartTls;
    if (mode == "implicit")
        return mail::TlsMode::Implicit;
    return std::nullopt;
}

// The first line of a file; nullopt (reported) when it cannot be read.
std::optional<std::string> passwordOf(MailCommand& c) {
    const auto path = c.args.value("--password-file");
    if (!path)
        return std::string();
    std::ifstream file(*path, std::ios::binary);
    std::string line;
    if (!file || !std::getline(file, line)) {
        c.io.err << "sarvo-cli: cannot read " << *path << "\n";
        return std::nullopt;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

// Runs one exchange on an event loop of its own, writing the log on standard error as it
// grows; 0 when it completed, 1 with the error text otherwise.
int runExchange(MailCommand& c, mail::Exchange& exchange, const ServerAddressText& server,
                mail::TlsMode tls) {
    static int argc = 1;
    static char name[] = "sarvo-cli";
    static char* argv[] = {name, nullptr};
    std::unique_ptr<QCoreApplication> application;
    if (!QCoreApplication::instance())
        application = std::make_unique<QCoreApplication>(argc, argv);
    QList<QSslCertificate> extra;
    if (const auto caFile = c.args.value("--ca-file")) {
        QString error;
        extra = mail::certificatesFromFile(QString::fromStdString(*caFile), &error);
        if (extra.isEmpty())
            return c.fail(error.toStdU16String());
    }
    mail::ExchangeDriver driver(
        exchange, {QString::fromStdString(server.host).toStdU16String(), server.port, tls}, extra);
    QEventLoop loop;
    QObject::connect(&driver, &mail::ExchangeDriver::logged, [&](const QString& text) {
        c.io.err
            << QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).toStdString();
        c.io.err.flush();
    });
    QObject::connect(&driver, &mail::ExchangeDriver::finished, &loop, &QEventLoop::quit);
    driver.start();
    if (driver.running())
        loop.exec();
    if (!exchange.errorMessage().empty())
        return c.fail(exchange.errorMessage());
    return 0;
}

std::optional<std::chrono::seconds> idleTimeoutOf(const Args& args) {
    const auto seconds = numberOption(args, "--timeout", 60, 1, 86400);
    if (!seconds)
        return std::nullopt;
    return std::chrono::seconds(*seconds);
}

int runSend(MailCommand& c) {
    const auto tls = tlsOf(c.args);
    const auto server =
        tls ? serverOf(c.args.value("--smtp").value_or(""), *tls, 25, 465) : std::nullopt;
    const auto timeout = idleTimeoutOf(c.args);
    if (!server || !timeout)
        return usageError(c.io.err, "send needs --smtp HOST[:PORT], --tls none|starttls|implicit",
                          "mail");
    const auto password = passwordOf(c);
    if (!password)
        return kInputError;
    int status = 0;
    const auto out = outgoingMail(c, status);
    if (!out)
        return status;
    Converted<std::string> text = mail::composeMail(*out);
    if (!text.ok())
        return c.fail(text.error);
    mail::SystemMailClock clock;
    mail::SmtpSession session({*tls, c.args.value("--auth-user").value_or(""), *password,
                               out->ownAddress, out->destination, out->subject,
                               std::move(text.value)},
                              clock, *timeout);
    return runExchange(c, session, *server, *tls);
}

int runReceive(MailCommand& c) {
    const auto tls = tlsOf(c.args);
    const auto server =
        tls ? serverOf(c.args.value("--pop3").value_or(""), *tls, 110, 995) : std::nullopt;
    const auto timeout = idleTimeoutOf(c.args);
    const auto sizeLimit =
        numberOption(c.args, "--size-limit", mail::kDefaultSizeLimit, 1, 1 << 30);
    if (!server || !timeout || !sizeLimit || !c.library || !c.args.value("--user"))
        return usageError(c.io.err, "receive needs --pop3 HOST[:PORT], --user U and --library DIR",
                          "mail");
    const auto password = passwordOf(c);
    if (!password)
        return kInputError;
    const settings::SettingsFile settingsFile(c.library->folders().settingsFile());
    const std::vector<int> phoneTypes = settingsFile.preferences().phoneTypes;
    const std::u16string neiro = settingsVoice(c);
    const auto chooser = mail::fixedNameClashChoice(*c.library, answerOf(c.args));
    std::vector<std::u16string> stored;
    mail::Pop3Job job{*tls, *c.args.value("--user"), *password, c.args.has("--delete"), *sizeLimit,
                      {}};
    job.handleMessage = [&](std::string_view message) {
        const auto songs = mail::parseMail(c.kind, message, c.ui);
        if (!songs || songs->empty())
            return mail::MessageVerdict{};
        const mail::StoredSongs result =
            mail::storeReceivedSongs(*c.library, *songs, neiro, phoneTypes, chooser, c.ui);
        stored.insert(stored.end(), result.names.begin(), result.names.end());
        if (!result.error.empty())
            c.io.err << "sarvo-cli: " << result.error << "\n";
        // A mail counts once its songs are safely stored (or deliberately kept out).
        return mail::MessageVerdict{
            result.error.empty(), result.names.empty() ? songs->front().name : result.names.back()};
    };
    mail::SystemMailClock clock;
    mail::Pop3Session session(std::move(job), clock, *timeout);
    const int status = runExchange(c, session, *server, *tls);
    std::u16string names;
    for (const std::u16string& name : stored)
        names += name + u'\n';
    return c.io.write(names) ? status : kInputError;
}

int runMail(const Args& args, Io& io) {
    if (args.has("--yes") && args.has("--no"))
        return usageError(io.err, "give either --yes or --no, not both", "mail");
    MailCommand command(args, io);
    const auto type = integerIn(args.required("--type"), 0, 4);
    if (!type)
        return usageError(io.err, "--type takes a mail type 0-4", "mail");
    command.kind = *mail::mailKindOfIndex(*type);
    const std::string& action = args.positionals[0];
    if (action == "compose")
        return runCompose(command);
    if (action == "parse") {
        if (args.positionals.size() > 1)
            return usageError(io.err, "parse takes no song", "mail");
        return runParse(command);
    }
    if (action == "send")
        return runSend(command);
    if (action == "receive")
        return runReceive(command);
    return usageError(io.err, "unknown mail action '" + action + "'", "mail");
}

} // namespace

std::vector<Command> mailCommands() {
    return {
        {"mail",
         "compose, recognise, send and receive ringtone mails",
         {{"--type", true, "--type N (0-4)"},
          {"--from", true},
          {"--to", true},
          {"--user", true},
          {"--subject", true},
          {"--body", true},
          {"--imail", true},
          {"--date", true},
          {"--name", true},
          {"--kashu", true},
          {"--jan", true},
          {"--tempo", true},
          {"--voice", true},
          {"--library", true},
          {"--yes"},
          {"--no"},
          {"--smtp", true},
          {"--pop3", true},
          {"--tls", true},
          {"--auth-user", true},
          {"--password-file", true},
          {"--ca-file", true},
          {"--delete"},
          {"--timeout", true},
          {"--size-limit", true}},
         1,
         kUnlimited,
         R"help(usage: sarvo-cli mail compose --type N --from ADDR --to ADDR [--user NAME]
                 [--subject TEXT] [--body TEXT] [--imail TEXT] [--date "YYYY-MM-DD HH:MM"]
                 [--name NAME] [--kashu TEXT] [--jan TEXT] [--tempo T] [--voice V]
                 [--library DIR SONG...] [--yes]
       sarvo-cli mail parse --type N [--library DIR [--yes|--no]] < MESSAGE
       sarvo-cli mail send <compose options> --smtp HOST[:PORT] [--tls none|starttls|implicit]
                 [--auth-user U --password-file FILE] [--ca-file PEM] [--timeout S]
       sarvo-cli mail receive --type N --pop3 HOST[:PORT] --user U --password-file FILE
                 --library DIR [--delete] [--tls none|starttls|implicit] [--ca-file PEM]
                 [--yes|--no] [--timeout S] [--size-limit BYTES]

Mail types: 0 P-mail DX, 1 kyara-mail, 2 i-melody mail, 3 Sky Melody, 4 i-melody URL notice.

  compose  prints the mail text handed to SMTP's DATA phase (CRLF line ends). The melody is
           read from standard input with the song options, or the named songs of the library
           are sent (types 2-4: the parts of a chord; of more than four, --yes sends the first
           four). --date is the local time the boundary comes from (default now).
  parse    reads one retrieved message and prints one JSON object per song it carries; exit 1
           when it is no mail of that type. With --library the songs are stored; a name that
           is taken is overwritten with --yes, kept with --no, otherwise stored as "NAME(2)".
  send     composes the mail and delivers it by SMTP (AUTH PLAIN or LOGIN with --auth-user).
  receive  fetches the mails of type N by POP3, stores their songs in the library and prints
           their names; --delete removes the recognised mails from the server.

Both write the protocol log on standard error. TLS: none, starttls (STARTTLS / STLS) or
implicit (ports 465 and 995 by default); certificates are checked against the system's and
those of --ca-file. --timeout ends a wait on a silent server (default 60 s); --size-limit
skips larger mails (default 65536, 3072 as the old client did).
)help",
         runMail},
    };
}

} // namespace sarvo::cli
