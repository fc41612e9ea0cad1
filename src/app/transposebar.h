#pragma once
// The transposition toolbar tbIchou: "下げる <" and "上げる >" move every note of the melody one
// semitone down or up.

#include <QToolBar>

namespace sarvo::app {

class TransposeBar : public QToolBar {
    Q_OBJECT

public:
    explicit TransposeBar(QWidget* parent = nullptr);

signals:
    // -1 for down, +1 for up.
    void transposeRequested(int direction);
};

} // namespace sarvo::app
