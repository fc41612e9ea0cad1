#include "melody/melodytextedit.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>

namespace sarvo::melody {
namespace {

QString toQString(const std::u16string& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

bool isShiftRight(const QKeyEvent* event) {
    return event->key() == Qt::Key_Right && event->modifiers() == Qt::ShiftModifier;
}

} // namespace

MelodyTextEdit::MelodyTextEdit(QWidget* parent)
    : QPlainTextEdit(parent) {
    // Read-only keeps typing, pasting and drops out; selecting by keyboard keeps the caret
    // visible.
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setTabChangesFocus(true);
    setUndoRedoEnabled(false);
    setContextMenuPolicy(Qt::NoContextMenu);
}

MelodyText MelodyTextEdit::melody() const {
    const QTextCursor cursor = textCursor();
    MelodyText melody;
    melody.text = toPlainText().toStdU16String();
    melody.caret = cursor.selectionStart();
    melody.selection = cursor.selectionEnd() - cursor.selectionStart();
    return melody;
}

void MelodyTextEdit::setMelody(const MelodyText& melody) {
    const QString shown = toPlainText();
    const QString wanted = toQString(melody.text);
    if (shown != wanted) {
        // Replace the smallest middle piece that differs.
        const qsizetype limit = std::min(shown.size(), wanted.size());
        qsizetype prefix = 0;
        while (prefix < limit && shown[prefix] == wanted[prefix])
            ++prefix;
        qsizetype suffix = 0;
        while (suffix < limit - prefix &&
               shown[shown.size() - 1 - suffix] == wanted[wanted.size() - 1 - suffix])
            ++suffix;
        QTextCursor edit(document());
        edit.setPosition(static_cast<int>(prefix));
        edit.setPosition(static_cast<int>(shown.size() - suffix), QTextCursor::KeepAnchor);
        edit.insertText(wanted.mid(prefix, wanted.size() - suffix - prefix));
    }
    const int size = static_cast<int>(wanted.size());
    const int caret = std::clamp(melody.caret, 0, size);
    QTextCursor cursor = textCursor();
    cursor.setPosition(caret);
    cursor.setPosition(std::clamp(caret + melody.selection, 0, size), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
}

void MelodyTextEdit::keyPressEvent(QKeyEvent* event) {
    if (isShiftRight(event))
        QPlainTextEdit::keyPressEvent(event);
    else
        event->accept();
}

void MelodyTextEdit::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Right && !event->isAutoRepeat() && textCursor().hasSelection())
        emit selectionExtended();
    QPlainTextEdit::keyReleaseEvent(event);
}

void MelodyTextEdit::mouseReleaseEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    if (textCursor().hasSelection())
        emit selectionExtended();
    else
        emit clicked(characterAt(event->pos()));
}

void MelodyTextEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click selects no word: the click chooses a token like any other.
    event->accept();
}

int MelodyTextEdit::characterAt(const QPoint& point) const {
    const QTextCursor nearest = cursorForPosition(point);
    const int position = nearest.position();
    // The nearest caret position lies after the character when the right half was clicked.
    if (position > 0 && !nearest.atBlockStart() && point.x() < cursorRect(nearest).x())
        return position - 1;
    return position;
}

} // namespace sarvo::melody
