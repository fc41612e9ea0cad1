// The commands of MIDI files: the MML text of songs, its compilation into a MIDI file, and the
// import of a MIDI file's melody.

#include "cli/commandgroups.h"
#include "cli/typenames.h"

#include "common/atomicfile.h"
#include "common/textcodec.h"
#include "formats/lenienttext.h"
#include "formats/mld.h"
#include "library/song.h"
#include "settings/privateprofile.h"
#include "sound/midiimport.h"
#include "sound/mml2midi.h"
#include "sound/mmlwriter.h"
#include "sound/smfreader.h"

#include <filesystem>

namespace sarvo::cli {
namespace {

constexpr int kDefaultTempo = 100;

// The value of a numeric option, the fallback when it is absent; nullopt (reported) when it is
// no number from low to high.
std::optional<int> numberOption(const Args& args, const std::string& option, int low, int high,
                                int fallback, Io& io) {
    const std::optional<std::string> text = args.value(option);
    if (!text)
        return fallback;
    const std::optional<int> value = integerIn(*text, low, high);
    if (!value)
        usageError(io.err,
                   option + " takes a number from " + std::to_string(low) + " to " +
                       std::to_string(high) + ", not '" + *text + "'",
                   args.command);
    return value;
}

// A song file's part: its melody, its tempo and its voice where they are numbers, the defaults
// otherwise. nullopt (reported) when the file cannot be read.
std::optional<sound::MmlPart> songPart(const std::filesystem::path& file, int tempo, int voice,
                                       Io& io) {
    const auto loaded = settings::PrivateProfile::load(file);
    if (!loaded.error.empty()) {
        io.err << "sarvo-cli: " << loaded.error << "\n";
        return std::nullopt;
    }
    const auto number = [&](std::u16string_view key, int low, int high, int fallback) {
        const std::string text = toUtf8(loaded.profile.value(library::kSongSection, key));
        return integerIn(text, low, high).value_or(fallback);
    };
    return sound::MmlPart{loaded.profile.value(library::kSongSection, u"Music"),
                          number(u"Tenpo", 1, 999, tempo), number(u"Neiro", 0, 127, voice)};
}

int runMml(const Args& args, Io& io) {
    const std::optional<int> tempo = numberOption(args, "--tempo", 4, 999, kDefaultTempo, io);
    const std::optional<int> voice =
        numberOption(args, "--voice", 0, 127, formats::kDefaultVoice, io);
    if (!tempo || !voice)
        return kUsageError;
    if (args.has("--yes") && args.has("--no"))
        return usageError(io.err, "give either --yes or --no, not both", "mml");
    std::vector<sound::MmlPart> parts;
    if (args.positionals.empty()) {
        const auto melody = io.readInput();
        if (!melody)
            return kInputError;
        parts.push_back({*melody, *tempo, *voice});
    }
    for (const std::string& path : args.positionals) {
        // A song whose file is missing is left out; the other parts are written.
        if (!std::filesystem::exists(path)) {
            io.err << "sarvo-cli: no song file " << path << ", left out\n";
            continue;
        }
        const std::optional<sound::MmlPart> part = songPart(path, *tempo, *voice, io);
        if (!part)
            return kInputError;
        parts.push_back(*part);
    }
    std::optional<Answer> answer;
    if (args.has("--yes") || args.has("--no"))
        answer = args.has("--yes") ? Answer::Yes : Answer::No;
    StderrInteractive ui(io.err, answer);
    parts = sound::partsToPlay(std::move(parts), ui);
    if (ui.unanswered())
        return kUsageError;
    const std::string text = sound::writeMml(parts, {args.has("--merge-repeats")});
    io.out << text;
    return 0;
}

int runMml2mid(const Args& args, Io& io) {
    const sound::Mml2MidiResult result = sound::mml2midi(args.positionals[0], args.positionals[1]);
    if (!sound::resultNamesFile(result.result, args.positionals[1])) {
        StderrInteractive(io.err).showMessage(u"MMLファイル→MIDIファイル変換失敗！（；＿；");
        io.err << "sarvo-cli: " << result.error << "\n";
        return kInputError;
    }
    io.out << result.result << "\n";
    return 0;
}

// The remark on a melody longer than the phone holds: "too long for Type-E: 312 of 128".
std::string capacityRemark(const sound::MelodyCapacity& capacity) {
    if (!capacity.exceeded())
        return {};
    return "too long for " +
           (capacity.typeName.empty() ? std::string("any phone") : toUtf8(capacity.typeName)) +
           ": " + std::to_string(capacity.length) + " of " + std::to_string(capacity.capacity);
}

// One line per voice: track, channel, notes, lowest and highest key, the length of its melody,
// name, and remarks: "drums" for the drum channel, "melody" for the voice chosen by default, and
// a melody too long for the phone type.
int listVoices(const sound::SmfFile& file, const keyguide::PhoneType* type, Io& io) {
    const std::vector<sound::NoteSpan> notes = sound::collectNotes(file);
    const sound::ChosenNotes chosen = sound::chooseMelodyNotes(file, notes, {});
    std::string output = "track\tchannel\tnotes\tlowest\thighest\tlength\tname\t\n";
    for (const sound::MidiVoice& voice : sound::listVoices(file, notes)) {
        std::vector<std::string> remarks;
        std::string length = "-";
        if (voice.drums()) {
            remarks.push_back("drums");
        } else {
            const sound::MidiMelody melody = sound::midiMelody(file, {voice.track, voice.channel});
            const sound::MelodyCapacity capacity =
                sound::melodyCapacity(melody.ringtone->parts.at(0).melody, type);
            length = std::to_string(capacity.length);
            if (chosen.voice && chosen.voice->track == voice.track &&
                chosen.voice->channel == voice.channel)
                remarks.push_back("melody");
            if (capacity.exceeded())
                remarks.push_back(capacityRemark(capacity));
        }
        std::string remark;
        for (const std::string& r : remarks)
            remark += (remark.empty() ? "" : ", ") + r;
        output += std::to_string(voice.track + 1) + '\t' + std::to_string(voice.channel + 1) +
                  '\t' + std::to_string(voice.noteCount) + '\t' + std::to_string(voice.lowest) +
                  '\t' + std::to_string(voice.highest) + '\t' + length + '\t' +
                  toUtf8(formats::fromCp932Lenient(voice.name)) + '\t' + remark + '\n';
    }
    return io.write(fromUtf8(output).value_or(u"")) ? 0 : kInputError;
}

int runImportMidi(const Args& args, Io& io) {
    const std::string& path = args.positionals[0];
    if (args.has("--track") && args.has("--channel"))
        return usageError(io.err, "give either --track or --channel, not both", "import-midi");
    const sound::SmfReadResult read = sound::readSmfFile(path);
    if (!read.file) {
        io.err << "sarvo-cli: " << read.error << "\n";
        return kInputError;
    }
    const keyguide::PhoneType* type = nullptr;
    if (const auto name = args.value("--type")) {
        const std::optional<int> index = typeIndexOf(*name);
        if (!index)
            return usageError(io.err, "unknown phone type '" + *name + "'", "import-midi");
        type = keyguide::phoneTypeByIndex(*index);
    }
    if (args.has("--list"))
        return listVoices(*read.file, type, io);

    const int tracks = static_cast<int>(read.file->tracks.size());
    const std::optional<int> track = numberOption(args, "--track", 1, tracks, 0, io);
    const std::optional<int> channel = numberOption(args, "--channel", 1, 16, 0, io);
    if (!track || !channel)
        return kUsageError;
    sound::MelodySource source;
    if (*track > 0)
        source.track = *track - 1;
    if (*channel > 0)
        source.channel = *channel - 1;

    // As the import dialog does: the MIDI file becomes an i-melody file, which is decoded.
    const sound::MldImport imported = sound::midiFileToMld(path, source);
    if (!imported.error.empty()) {
        io.err << "sarvo-cli: " << imported.error << "\n";
        return kInputError;
    }
    const formats::Bytes& bytes = imported.bytes;
    if (const auto mld = args.value("--mld")) {
        if (std::string failed = writeFileAtomically(*mld, std::string(bytes.begin(), bytes.end()));
            !failed.empty()) {
            io.err << "sarvo-cli: " << failed << "\n";
            return kInputError;
        }
    }
    const formats::DecodeResult decoded = formats::decodeMldBytes(bytes, 0);
    if (!decoded.part) {
        io.err << "sarvo-cli: " << toUtf8(decoded.error) << "\n";
        return kInputError;
    }
    const std::u16string warning =
        sound::capacityWarning(sound::melodyCapacity(decoded.part->melody, type));
    if (!warning.empty())
        io.err << "sarvo-cli: " << toUtf8(warning) << "\n";
    return io.write(decoded.part->melody + u'\n') ? 0 : kInputError;
}

} // namespace

std::vector<Command> midiCommands() {
    return {
        {"mml",
         "write the MML text that plays songs together",
         {{"--tempo", true}, {"--voice", true}, {"--merge-repeats"}, {"--yes"}, {"--no"}},
         0,
         kUnlimited,
         R"(usage: sarvo-cli mml [SONG-FILE ...] [--tempo N] [--voice PROGRAM] [--merge-repeats]
                      [--yes|--no] [--sjis]

Writes the MML text of the songs, one line (part) per song file, on standard output. A song
file's tempo (Tenpo) and voice (Neiro) are used where they are numbers, --tempo and --voice
otherwise; a missing song file is left out. Without song files the melody text on standard
input is the one part. More than 26 songs ask whether to take the first 26: --yes or --no
answers; without either the command refuses (exit 2).

  --tempo N          quarter notes per minute (default 100)
  --voice PROGRAM    General MIDI program number 0-127
  --merge-repeats    runs of the same note as one note of the run's length
)",
         runMml},
        {"mml2mid",
         "compile MML text into a MIDI file",
         {},
         2,
         2,
         R"(usage: sarvo-cli mml2mid IN.mml OUT.mid

Compiles the MML file IN.mml (code page 932) into the format 1 MIDI file OUT.mid: one track
per part, the part's channel, program and tempo. Prints OUT.mid on success; an error in the
MML names its line and column.
)",
         runMml2mid},
        {"import-midi",
         "import the melody of a MIDI file",
         {{"--track", true}, {"--channel", true}, {"--list"}, {"--mld", true}, {"--type", true}},
         1,
         1,
         R"(usage: sarvo-cli import-midi IN.mid [--track N | --channel N] [--type TYPE] [--mld OUT.mld]
                              [--sjis]
       sarvo-cli import-midi IN.mid --list [--type TYPE]

Writes the melody of the MIDI file as melody text. The melody is the track and channel with
the most notes in the upper register, a track named as the melody ("Melody", "Vocal", "Lead",
"メロ") counting them four times and one named as an accompaniment ("Acc", "Bass", "Drums",
"Pad") a quarter of them, or all notes of the track or channel given; drums (channel 10) never
count. Chords give their top note; a delay of the playing is taken out, lengths are fitted to
the note codes, notes to the range 低ド-高シ. A melody with more notes, rests and ties than the
phone type holds (256 without --type) is written with a warning.

  --track N      the track, counted from 1 as --list shows them
  --channel N    the channel 1-16
  --type TYPE    the phone type whose capacity the melody is checked against, e.g. Type-E
  --mld FILE     also keep the i-melody file the import goes through
  --list         list the voices: track, channel, notes, lowest and highest MIDI key, the
                 length of its melody, track name, and remarks: "melody" for the one taken
                 by default, "drums" for channel 10, "too long for Type-E: 312 of 128"
)",
         runImportMidi},
    };
}

} // namespace sarvo::cli
