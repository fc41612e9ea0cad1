#include "cli/commandgroups.h"

#include "sound/melodyrender.h"
#include "sound/midirender.h"
#include "sound/playbacktiming.h"
#include "sound/voicelist.h"

#include <charconv>

namespace sarvo::cli {
namespace {

// The value of a numeric option within [low, high], the fallback when the option is absent;
// nullopt (reported) when it is not such a number.
std::optional<int> numberOption(const Args& args, std::string_view option, int low, int high,
                                int fallback, Io& io) {
    const std::optional<std::string> text = args.value(option);
    if (!text)
        return fallback;
    int value = 0;
    const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (ec != std::errc() || end != text->data() + text->size() || value < low || value > high) {
        usageError(io.err,
                   std::string(option) + " takes a number from " + std::to_string(low) + " to " +
                       std::to_string(high) + ", not '" + *text + "'",
                   args.command);
        return std::nullopt;
    }
    return value;
}

int writeRendered(const sound::RenderedAudio& rendered, const std::string& path, Io& io) {
    if (!rendered.audio) {
        io.err << "sarvo-cli: " << rendered.error << "\n";
        return kInputError;
    }
    const std::string error = sound::writeWavFile(path, *rendered.audio);
    if (!error.empty()) {
        io.err << "sarvo-cli: " << error << "\n";
        return kInputError;
    }
    return 0;
}

int runRender(const Args& args, Io& io) {
    const std::optional<int> tempo = numberOption(args, "--tempo", 1, 999, 100, io);
    if (!tempo)
        return kUsageError;
    const std::optional<int> program =
        numberOption(args, "--voice", 0, 127, sound::voiceList()[0].program, io);
    if (!program)
        return kUsageError;
    const std::optional<int> tempoBase =
        numberOption(args, "--tempo-base", sound::kMinTempoBase, sound::kMaxTempoBase,
                     sound::kDefaultTempoBase, io);
    if (!tempoBase)
        return kUsageError;
    auto melodyText = io.readInput();
    if (!melodyText)
        return kInputError;
    const sound::PlaybackTiming timing =
        sound::PlaybackTiming::quarterNoteTempo(*tempo, *tempoBase);
    return writeRendered(sound::renderMelody(*melodyText, timing, *program), args.positionals[0],
                         io);
}

int runRenderMidi(const Args& args, Io& io) {
    return writeRendered(sound::renderMidiFile(args.positionals[0]), args.positionals[1], io);
}

} // namespace

std::vector<Command> soundCommands() {
    return {
        {"render",
         "play a melody once and write its sound to a WAV file",
         {{"--tempo", true}, {"--voice", true}, {"--tempo-base", true}},
         1,
         1,
         R"(usage: sarvo-cli render [--tempo N] [--voice P] [--tempo-base K] [--sjis] OUT.wav

Reads melody text on standard input, plays it once from its first note as the program plays
it (each note for its timed length, a 1 ms gap after every note and rest) with the embedded
synthesizer, and writes the sound to OUT.wav (16-bit stereo, 44100 Hz).

  --tempo N       quarter notes per minute, 1 to 999 (default 100)
  --voice P       General MIDI program, 0 to 127 (default 7, the first voice of the list)
  --tempo-base K  the tempo base value, 0 to 20 (default 15); a larger value plays faster
)",
         runRender},
        {"render-midi",
         "play a standard MIDI file once and write its sound to a WAV file",
         {},
         2,
         2,
         R"(usage: sarvo-cli render-midi IN.mid OUT.wav

Plays the standard MIDI file IN.mid once through the MIDI file player with the embedded
synthesizer and writes the sound to OUT.wav (16-bit stereo, 44100 Hz).
)",
         runRenderMidi},
    };
}

} // namespace sarvo::cli
