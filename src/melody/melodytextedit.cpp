#include "melody/melodytextedit.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>

namespace sarvo::melody {
namespace {

// Line breaking may cut between the characters of a token ("中" and "ド" are ideographs), so
// the box shows a word joiner between the characters of each token: lines then break only at
// the spaces between tokens. The joiners are the box's own; positions and texts it hands out
// are those of the melody text.
constexpr QChar kJoiner(0x2060);

bool joinsNext(const std::u16string& text, size_t i) {
    return text[i] != u' ' && i + 1 < text.size() && text[i + 1] != u' ';
}

QString shownText(const std::u16string& text) {
    QString shown;
    shown.reserve(static_cast<qsizetype>(text.size() * 2));
    for (size_t i = 0; i < text.size(); ++i) {
        shown += QChar(text[i]);
        if (joinsNext(text, i))
            shown += kJoiner;
    }
    return shown;
}

// The position in the shown text of the melody text's position.
int shownPosition(const std::u16string& text, int position) {
    int shown = position;
    for (size_t i = 0; i < static_cast<size_t>(position) && i < text.size(); ++i)
        shown += joinsNext(text, i) ? 1 : 0;
    return shown;
}

// The position in the melody text of a position in the shown text.
int melodyPosition(const QString& shown, int position) {
    const int end = std::clamp(position, 0, static_cast<int>(shown.size()));
    return end - static_cast<int>(std::count(shown.begin(), shown.begin() + end, kJoiner));
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
    const QString shown = toPlainText();
    const QTextCursor cursor = textCursor();
    MelodyText melody;
    melody.text = QString(shown).remove(kJoiner).toStdU16String();
    melody.caret = melodyPosition(shown, cursor.selectionStart());
    melody.selection = melodyPosition(shown, cursor.selectionEnd()) - melody.caret;
    return melody;
}

void MelodyTextEdit::setMelody(const MelodyText& melody) {
    const QString shown = toPlainText();
    const QString wanted = shownText(melody.text);
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
    select(melody.text, melody.caret, melody.selection);
}

void MelodyTextEdit::select(int caret, int length) {
    select(melody().text, caret, length);
}

void MelodyTextEdit::select(const std::u16string& text, int caret, int length) {
    const int size = static_cast<int>(text.size());
    const int start = std::clamp(caret, 0, size);
    QTextCursor cursor = textCursor();
    cursor.setPosition(shownPosition(text, start));
    cursor.setPosition(shownPosition(text, std::clamp(start + length, 0, size)),
                       QTextCursor::KeepAnchor);
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
        emit clicked(melodyPosition(toPlainText(), characterAt(event->pos())));
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
