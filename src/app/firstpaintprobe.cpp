#include "app/firstpaintprobe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>

namespace sarvo::app {
namespace {

// Widgets paint while the window's expose event is handled, so once the event loop comes back
// after the first paint event the window's first picture is on the screen.
class FirstPaintProbe : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, this, [] {
                const auto now = std::chrono::steady_clock::now().time_since_epoch();
                std::printf("first-paint %lld\n",
                            static_cast<long long>(std::chrono::nanoseconds(now).count()));
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

} // namespace

void quitAfterFirstPaintWhenAsked(QWidget& window) {
    if (qEnvironmentVariableIsEmpty(kQuitAfterFirstPaintVariable))
        return;
    window.installEventFilter(new FirstPaintProbe(&window));
}

} // namespace sarvo::app
