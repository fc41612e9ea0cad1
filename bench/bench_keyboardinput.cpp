// Key press to note-on: how long note input takes from a pitch key going down to the preview
// request being handed out, on a 700-note melody with the staff model following, with the caret
// at the end and at the start (where the whole text moves); and the whole edit (note entered and
// the staff model updated).

#include "keyinputmelody.h"

#include "common/interaction.h"
#include "melody/keyboardinput.h"
#include "melody/parserstate.h"
#include "melody/staffmodel.h"
#include "melody/staffmodelfollower.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

namespace {

using namespace sarvo::melody;
using Clock = std::chrono::steady_clock;

// Notes the moment the preview request arrives; everything else note input asks is done at
// once, as the window does.
class TimingHost final : public IKeyInputHost {
public:
    void beep() override {}
    void showStatus(std::u16string_view) override {}
    void previewNoteOn(uint16_t, int midiNote, char16_t, bool) override {
        noteOnAt = Clock::now();
        lastNote = midiNote;
    }
    void previewNoteOff(uint16_t, int, bool) override {}
    void setKeyPanelPressed(int, int, bool) override {}
    void setLengthButton(int) override {}
    std::u16string clipboardText() override { return {}; }
    void setClipboardText(std::u16string_view) override {}
    int currentView() const override { return 0; }
    void selectView(int) override {}
    void pressFunctionKey(int) override {}
    void startTypeKeyTimer() override {}

    Clock::time_point noteOnAt;
    int lastNote = 0;
};

struct NoteInput {
    NoteInput() {
        melody.text = keyInputBenchMelody();
        melody.caret = static_cast<int>(melody.text.size());
        follower.rebuild();
    }
    TimingHost host;
    sarvo::RecordingInteractive ui;
    ParserState state;
    MelodyText melody;
    StaffModel staff;
    StaffModelFollower follower{staff, state, melody};
    KeyboardInput input{host, follower, ui, state};
};

// The time from the key-down call to the note-on request. Backspace takes the note out again
// so that every press meets the same melody.
void BM_KeyPressToNoteOn(benchmark::State& state) {
    NoteInput input;
    input.melody.caret = state.range(0) == 0 ? 0 : static_cast<int>(input.melody.text.size());
    const int caret = input.melody.caret;
    std::vector<double> latencies;
    const KeyEvent pitchKey{u'Y', modifiers::Shift};
    const KeyEvent backspace{keys::Backspace};
    for (auto _ : state) {
        const Clock::time_point pressed = Clock::now();
        input.input.keyDown(pitchKey, input.melody);
        const double latency = std::chrono::duration<double>(input.host.noteOnAt - pressed).count();
        state.SetIterationTime(latency);
        latencies.push_back(latency);
        input.input.keyUp(pitchKey);
        input.input.keyDown(backspace, input.melody);
    }
    if (input.host.lastNote != 94 || input.melody.caret != caret)
        state.SkipWithError("the key entered the wrong note");
    reportLatencies(state, latencies);
    state.counters["tokens"] = kKeyInputBenchTokens;
}
BENCHMARK(BM_KeyPressToNoteOn)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("caretAtEnd")
    ->UseManualTime()
    ->Iterations(3000)
    ->Unit(benchmark::kMicrosecond);

// The whole edit of a pitch key: preview, token inserted, staff model updated; and the Backspace
// that removes it.
void BM_PitchKeyAndBackspace(benchmark::State& state) {
    NoteInput input;
    input.melody.caret = state.range(0) == 0 ? 0 : static_cast<int>(input.melody.text.size());
    const KeyEvent pitchKey{u'1', 0};
    const KeyEvent backspace{keys::Backspace};
    for (auto _ : state) {
        input.input.keyDown(pitchKey, input.melody);
        input.input.keyUp(pitchKey);
        input.input.keyDown(backspace, input.melody);
    }
    state.counters["tokens"] = kKeyInputBenchTokens;
}
BENCHMARK(BM_PitchKeyAndBackspace)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("caretAtEnd")
    ->Unit(benchmark::kMicrosecond);

} // namespace
