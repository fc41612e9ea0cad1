#pragma once
// The play button cmdPlay: "再生 F4" with the play image while stopped, "停止 F4" with the stop
// image while the melody plays.

#include <QPushButton>

namespace sarvo::app {

class PlayButton : public QPushButton {
    Q_OBJECT

public:
    explicit PlayButton(QWidget* parent = nullptr);

    void setPlaying(bool playing);
};

} // namespace sarvo::app
