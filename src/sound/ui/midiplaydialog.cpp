#include "sound/ui/midiplaydialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace sarvo::sound {
namespace {

constexpr int kPositionIntervalMs = 100;

} // namespace

MidiPlayDialog::MidiPlayDialog(MidiOutputPort& notes, IInteractive& ui, QWidget* parent)
    : QDialog(parent)
    , m_ui(ui)
    , m_player(notes, m_clock)
    , m_playerTimer(m_player, m_clock)
    , m_positionTimer(new QTimer(this)) {
    setObjectName(QStringLiteral("dlgMidiPlay"));
    setWindowTitle(tr("和音の試聴"));
    setModal(true);

    auto* toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("cmdPlay"));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    struct Button {
        const char* key;
        const char* caption;
        QStyle::StandardPixmap icon;
        void (MidiPlayDialog::*run)();
    };
    for (const Button& button :
         {Button{"Play", QT_TR_NOOP("再生"), QStyle::SP_MediaPlay, &MidiPlayDialog::play},
          Button{"Stop", QT_TR_NOOP("停止"), QStyle::SP_MediaStop, &MidiPlayDialog::stop},
          Button{"Rew", QT_TR_NOOP("最初から"), QStyle::SP_MediaSkipBackward,
                 &MidiPlayDialog::rewind}}) {
        QAction* action =
            toolBar->addAction(style()->standardIcon(button.icon), tr(button.caption));
        action->setObjectName(QString::fromLatin1(button.key));
        connect(action, &QAction::triggered, this, button.run);
    }

    m_position = new QScrollBar(Qt::Horizontal, this);
    m_position->setObjectName(QStringLiteral("PosBar"));
    m_position->setMinimumWidth(320);
    auto* statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("sts"));
    statusBar->setSizeGripEnabled(false);
    m_modePanel = new QLabel(statusBar);
    m_modePanel->setObjectName(QStringLiteral("stsMode"));
    m_positionPanel = new QLabel(statusBar);
    m_positionPanel->setObjectName(QStringLiteral("stsPosition"));
    statusBar->addWidget(m_modePanel, 1);
    statusBar->addWidget(m_positionPanel, 1);
    auto* close = new QPushButton(tr("閉じる(&Q)"), this);
    close->setObjectName(QStringLiteral("cndClose"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(toolBar);
    layout->addWidget(m_position);
    layout->addLayout(bottom);
    layout->addWidget(statusBar);

    connect(m_position, &QScrollBar::valueChanged, this, &MidiPlayDialog::seekToBar);
    m_positionTimer->setInterval(kPositionIntervalMs);
    connect(m_positionTimer, &QTimer::timeout, this, &MidiPlayDialog::showPosition);
}

MidiPlayDialog::~MidiPlayDialog() {
    m_playerTimer.stop();
    giveBackOutput();
}

void MidiPlayDialog::giveBackOutput() {
    if (m_holdsOutput)
        m_player.unload();
    m_holdsOutput = false;
}

bool MidiPlayDialog::load(const std::filesystem::path& file) {
    // Loading releases the note output, even when the file then fails to open.
    m_holdsOutput = true;
    if (!m_player.load(file, m_ui)) {
        showPosition();
        return false;
    }
    {
        const QSignalBlocker quiet(m_position);
        m_position->setRange(0, static_cast<int>(m_player.length()));
        m_position->setPageStep(std::max(1, static_cast<int>(m_player.length() / 10)));
    }
    m_playerTimer.run();
    m_positionTimer->start();
    showPosition();
    return true;
}

void MidiPlayDialog::done(int result) {
    m_positionTimer->stop();
    m_playerTimer.stop();
    giveBackOutput();
    QDialog::done(result);
}

void MidiPlayDialog::play() {
    if (m_player.play())
        m_playerTimer.run();
    showPosition();
}

void MidiPlayDialog::stop() {
    m_player.stop();
    m_playerTimer.stop();
    showPosition();
}

void MidiPlayDialog::rewind() {
    if (m_player.seek(0))
        play();
}

void MidiPlayDialog::seekToBar(int value) {
    const bool wasPlaying = m_player.mode() == kModePlaying;
    if (m_player.seek(value) && wasPlaying)
        play();
    showPosition();
}

void MidiPlayDialog::showPosition() {
    const int64_t position = m_player.position();
    if (!m_position->isSliderDown()) {
        const QSignalBlocker quiet(m_position);
        m_position->setValue(static_cast<int>(position));
    }
    m_modePanel->setText(
        QString::fromUtf8(m_player.mode().data(), static_cast<qsizetype>(m_player.mode().size())));
    m_positionPanel->setText(QString::number(position));
}

} // namespace sarvo::sound
