// libFuzzer target over note-by-note playback of any melody text, malformed tokens included. The
// first two bytes choose the caret and the tempo base value; the rest is the melody, as UTF-8
// where it is valid and otherwise one character of the melody alphabet per byte. Every check is
// a property the program relies on; a violated one aborts, so that libFuzzer keeps the input.

#include "common/textcodec.h"
#include "melody/parserstate.h"
#include "sound/melodyplayer.h"
#include "sound/recordingmidioutput.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace sarvo;
using namespace sarvo::sound;

constexpr std::u16string_view kAlphabet = u"ABCDEFGHIJKLMNO2346\\]_`^.#  低中高ドレミフソラシ";
constexpr int kSteps = 400;

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "invariant violated: %s\n", what);
        std::abort();
    }
}

std::u16string decodeMelody(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (std::optional<std::u16string> text = fromUtf8(bytes))
        return *text;
    std::u16string text;
    for (uint8_t b : bytes)
        text += kAlphabet[b % kAlphabet.size()];
    return text;
}

bool hasToken(std::u16string_view text) {
    return !text.empty();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2 || size > 2048)
        return 0;
    const std::u16string melody = decodeMelody(data + 2, size - 2);
    const int caret = static_cast<int>(data[0] % (melody.size() + 3)) - 1;
    const PlaybackTiming timing = PlaybackTiming::quarterNoteTempo(200, data[1] % 24 - 2);

    ManualClock clock;
    RecordingMidiOutput output(&clock);
    melody::ParserState state;
    state.mergeRepeats = true;
    int shown = 0;
    state.noteShown = [&](int start, int length) {
        check(start >= 0 && length >= 0, "a shown note has a place");
        check(static_cast<size_t>(start) + static_cast<size_t>(length) <= melody.size(),
              "a shown note lies inside the melody");
        ++shown;
    };
    MelodyPlayer player(state, output);
    player.setTiming(timing);
    player.start(melody, caret, clock.now());
    check(!state.mergeRepeats, "playback clears merge-repeats");

    TimePoint last = clock.now();
    for (int step = 0; step < kSteps; ++step) {
        const std::optional<TimePoint> due = player.tick(clock.now());
        if (!due)
            break;
        check(*due > last || step == 0, "the schedule moves forward");
        last = *due;
        clock.setNow(*due);
    }
    check(player.isPlaying() == hasToken(melody), "a melody with tokens plays until stopped");
    check(!hasToken(melody) || shown > 0, "playing shows notes");
    player.stop();
    check(!state.isPlaying, "stopping clears the playing flag");

    // Notes of channel 1 only, one at a time, each ended before the next starts and at the stop.
    std::optional<int> sounding;
    for (const RecordedMessage& m : output.sent()) {
        check(!m.isReset, "playback never resets the output");
        const uint8_t status = statusOf(m.message);
        const int note = data1Of(m.message);
        check(note >= 60 && note <= 95, "notes lie in the melody's range");
        if (status == 0x90) {
            check(data2Of(m.message) == kNoteOnVelocity, "note-on velocity");
            check(!sounding, "one note at a time");
            sounding = note;
        } else {
            check(status == 0x80 && data2Of(m.message) == kNoteOffVelocity, "note-off message");
            if (sounding == note)
                sounding.reset();
        }
    }
    check(!sounding, "no note is left sounding");

    const Milliseconds pass = melodyPlayingTime(melody, timing);
    check(pass >= Milliseconds(0), "a pass takes time");
    return 0;
}
