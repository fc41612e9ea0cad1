#pragma once
// The one QApplication the widget benchmarks need, made on first use without a display.

#include <QApplication>

namespace sarvo::bench {

inline QApplication& offscreenApplication() {
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *existing;
    static int argc = 1;
    static char name[] = "sarvo-bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Left alive to the end: destroyed among the static objects it would outlive Qt's own.
    return *new QApplication(argc, argv);
}

} // namespace sarvo::bench
