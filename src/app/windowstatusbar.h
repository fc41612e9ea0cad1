#pragma once
// The status bar sts: a message panel (capacity texts, refusals, progress texts), then the date
// and the time, kept current by a timer.

#include <QStatusBar>

class QLabel;
class QTimer;

namespace sarvo::app {

class WindowStatusBar : public QStatusBar {
    Q_OBJECT

public:
    explicit WindowStatusBar(QWidget* parent = nullptr);

    // Replaces the text of the message panel; an empty text clears it.
    void setMessage(const QString& text);
    QString message() const;

    // Shows the date and time of this moment; the timer calls it every second.
    void showClock();

private:
    QLabel* m_message = nullptr;
    QLabel* m_date = nullptr;
    QLabel* m_time = nullptr;
    QTimer* m_clockTimer = nullptr;
};

} // namespace sarvo::app
