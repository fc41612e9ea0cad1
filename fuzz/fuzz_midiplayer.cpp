// libFuzzer target over the MIDI file player on any bytes the file reader accepts: whatever the
// tempo changes, divisions and event times, the player keeps its position within the length,
// moves its schedule forward, and leaves no note sounding once stopped. A violated property
// aborts, so that libFuzzer keeps the input.

#include "common/interaction.h"
#include "sound/midifileplayer.h"
#include "sound/recordingmidioutput.h"
#include "sound/smfreader.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

using namespace sarvo;
using namespace sarvo::sound;

constexpr int kSteps = 300;

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "invariant violated: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 8192)
        return 0;
    const SmfReadResult read = readSmf(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read.file)
        return 0;

    ManualClock clock;
    RecordingMidiOutput output(&clock);
    RecordingInteractive ui;
    MidiOutputPort port(
        ui, {{u"(標準)", "recording", 0, [&output] {
                  return OpenedOutput{std::make_unique<ForwardingMidiOutput>(output), {}};
              }}});
    MidiFilePlayer player(port, clock);
    check(player.open(*read.file), "a file that was read opens");
    check(player.length() >= 0, "the length is not negative");
    check(player.play(), "an open file plays");

    TimePoint last = clock.now();
    for (int step = 0; step < kSteps; ++step) {
        const std::optional<TimePoint> due = player.tick(clock.now());
        check(player.position() >= 0 && player.position() <= player.length(),
              "the position lies within the length");
        if (!due)
            break;
        check(*due >= last, "the schedule moves forward");
        last = *due;
        clock.setNow(*due);
        // A seek halfway through, as the position bar would.
        if (step == kSteps / 2) {
            check(player.seek(player.length() / 2), "seeking within the length succeeds");
            check(player.mode() == kModeStopped, "seeking stops");
            player.play();
        }
    }
    player.stop();

    std::array<std::array<bool, 128>, 16> sounding{};
    for (const RecordedMessage& m : output.sent()) {
        const uint8_t kind = statusOf(m.message) & 0xF0;
        const uint8_t channel = statusOf(m.message) & 0x0F;
        if (kind == 0x90 && data2Of(m.message) > 0)
            sounding[channel][data1Of(m.message)] = true;
        else if (kind == 0x80 || kind == 0x90)
            sounding[channel][data1Of(m.message)] = false;
    }
    for (const auto& channel : sounding)
        for (bool on : channel)
            check(!on, "stopping ends every note");
    return 0;
}
