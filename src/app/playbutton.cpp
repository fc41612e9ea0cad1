#include "app/playbutton.h"

#include <QStyle>

namespace sarvo::app {

PlayButton::PlayButton(QWidget* parent)
    : QPushButton(parent) {
    setObjectName(QStringLiteral("cmdPlay"));
    // The keyboard plays with F4; the button never takes the focus from the editor.
    setFocusPolicy(Qt::NoFocus);
    setPlaying(false);
}

void PlayButton::setPlaying(bool playing) {
    setText(playing ? tr("停止 F4") : tr("再生 F4"));
    setIcon(style()->standardIcon(playing ? QStyle::SP_MediaStop : QStyle::SP_MediaPlay));
}

} // namespace sarvo::app
