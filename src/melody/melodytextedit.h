#pragma once
// The melody text box: it shows the melody text with its caret and selection but accepts no
// typing of its own; note input edits the text through setMelody. Shift+Right extends the
// selection and a mouse drag selects, both widened to whole tokens when the key or the button
// comes up; a click reports its position so that the caret can go to the clicked token. Lines
// break only between tokens. Read the text through melody(), never toPlainText(): the box shows
// joiners of its own inside the tokens.

#include "melody/caretediting.h"

#include <QPlainTextEdit>

namespace sarvo::melody {

class MelodyTextEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit MelodyTextEdit(QWidget* parent = nullptr);

    // The text with the caret at the selection start and the selection's length.
    MelodyText melody() const;
    // Shows the melody: only the part of the text that differs is replaced, so the view keeps
    // its place; then the caret and selection are set and scrolled into view.
    void setMelody(const MelodyText& melody);
    // Selects length characters of the melody text from caret on and scrolls them into view.
    void select(int caret, int length);

signals:
    // A left click without a drag, at the position of the character under the pointer.
    void clicked(int position);
    // Shift+Right came up or a drag selected text: the selection wants widening.
    void selectionExtended();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void select(const std::u16string& text, int caret, int length);
    int characterAt(const QPoint& point) const;
};

} // namespace sarvo::melody
