#pragma once
// For measuring the start-up from outside: with SARVO_QUIT_AFTER_FIRST_PAINT set, the program
// prints "first-paint <nanoseconds>" on standard output once its main window has been painted
// for the first time, and quits. The nanoseconds are those of the monotonic clock
// (CLOCK_MONOTONIC), so a script that started the program can subtract its own start time.

class QWidget;

namespace sarvo::app {

inline constexpr const char* kQuitAfterFirstPaintVariable = "SARVO_QUIT_AFTER_FIRST_PAINT";

// Watches the window when the variable is set; does nothing otherwise.
void quitAfterFirstPaintWhenAsked(QWidget& window);

} // namespace sarvo::app
