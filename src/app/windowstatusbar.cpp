#include "app/windowstatusbar.h"

#include <QDateTime>
#include <QLabel>
#include <QTimer>

namespace sarvo::app {
namespace {

QLabel* makePanel(const QString& objectName, QWidget* parent) {
    auto* panel = new QLabel(parent);
    panel->setObjectName(objectName);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setContentsMargins(4, 0, 4, 0);
    return panel;
}

} // namespace

WindowStatusBar::WindowStatusBar(QWidget* parent)
    : QStatusBar(parent) {
    setObjectName(QStringLiteral("sts"));
    m_message = makePanel(QStringLiteral("stsPanel1"), this);
    m_date = makePanel(QStringLiteral("stsDate"), this);
    m_time = makePanel(QStringLiteral("stsTime"), this);
    m_date->setAlignment(Qt::AlignCenter);
    m_time->setAlignment(Qt::AlignCenter);
    addWidget(m_message, 1);
    addPermanentWidget(m_date);
    addPermanentWidget(m_time);

    m_clockTimer = new QTimer(this);
    m_clockTimer->setInterval(1000);
    connect(m_clockTimer, &QTimer::timeout, this, &WindowStatusBar::showClock);
    m_clockTimer->start();
    showClock();
}

void WindowStatusBar::setMessage(const QString& text) {
    m_message->setText(text);
}

QString WindowStatusBar::message() const {
    return m_message->text();
}

void WindowStatusBar::showClock() {
    const QDateTime now = QDateTime::currentDateTime();
    m_date->setText(now.toString(QStringLiteral("yyyy/MM/dd")));
    m_time->setText(now.toString(QStringLiteral("HH:mm")));
}

} // namespace sarvo::app
