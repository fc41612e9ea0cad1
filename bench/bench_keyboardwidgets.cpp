// Key press to note-on through the window's path: a Qt key event reaches the note-input
// controller, which reads the melody text box, runs the key and hands out the preview request;
// then the whole key with the text box and the staff model brought up to date.

#include "keyinputmelody.h"

#include "common/interaction.h"
#include "melody/keyboardinputcontroller.h"
#include "melody/melodytextedit.h"
#include "melody/parserstate.h"
#include "melody/staffmodel.h"

#include "offscreenapp.h"

#include <QApplication>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using namespace sarvo::melody;
using Clock = std::chrono::steady_clock;

struct WindowNoteInput {
    WindowNoteInput() {
        text.setMelody({keyInputBenchMelody(), 0, 0});
        QTextCursor end = text.textCursor();
        end.movePosition(QTextCursor::End);
        text.setTextCursor(end);
        QObject::connect(&controller, &KeyboardInputController::noteKeyDown,
                         [this](int, int note, QChar, bool) {
                             noteOnAt = Clock::now();
                             lastNote = note;
                         });
    }
    MelodyTextEdit text;
    StaffModel staff;
    sarvo::RecordingInteractive ui;
    ParserState state;
    KeyboardInputController controller{text, staff, ui, state};
    Clock::time_point noteOnAt;
    int lastNote = 0;
};

void BM_QtKeyPressToNoteOn(benchmark::State& state) {
    sarvo::bench::offscreenApplication();
    WindowNoteInput input;
    std::vector<double> latencies;
    const QKeyEvent press(QEvent::KeyPress, Qt::Key_Y, Qt::ShiftModifier);
    const QKeyEvent release(QEvent::KeyRelease, Qt::Key_Y, Qt::ShiftModifier);
    const QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    for (auto _ : state) {
        const Clock::time_point pressed = Clock::now();
        input.controller.keyPress(press);
        const double latency = std::chrono::duration<double>(input.noteOnAt - pressed).count();
        state.SetIterationTime(latency);
        latencies.push_back(latency);
        input.controller.keyRelease(release);
        input.controller.keyPress(backspace);
    }
    if (input.lastNote != 94)
        state.SkipWithError("the key entered the wrong note");
    reportLatencies(state, latencies);
    state.counters["tokens"] = kKeyInputBenchTokens;
}
BENCHMARK(BM_QtKeyPressToNoteOn)->UseManualTime()->Iterations(3000)->Unit(benchmark::kMicrosecond);

// The pitch key with the text box and staff model updated, and the Backspace that removes it.
void BM_QtPitchKeyAndBackspace(benchmark::State& state) {
    sarvo::bench::offscreenApplication();
    WindowNoteInput input;
    const QKeyEvent press(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier);
    const QKeyEvent release(QEvent::KeyRelease, Qt::Key_1, Qt::NoModifier);
    const QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    for (auto _ : state) {
        input.controller.keyPress(press);
        input.controller.keyRelease(release);
        input.controller.keyPress(backspace);
    }
    state.counters["tokens"] = kKeyInputBenchTokens;
}
BENCHMARK(BM_QtPitchKeyAndBackspace)->Unit(benchmark::kMicrosecond);

} // namespace
