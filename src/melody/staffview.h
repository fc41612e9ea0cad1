#pragma once
// The staff view: the melody on five-line staves, one note after another, wrapping into rows,
// with a vertical scroll bar. It keeps its own list of staff notes, which the main window fills
// from the melody text (rebuild) and keeps in step with every keyboard edit (ins, remove,
// setTen, setRen, setCurrentIndex). The current note is where the caret of the melody text
// stands: insertions go after it.

#include "melody/parserstate.h"
#include "melody/staffmodel.h"
#include "melody/staffpainter.h"

#include <QAbstractScrollArea>

#include <memory>
#include <optional>
#include <string_view>

namespace sarvo::melody {

class StaffView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit StaffView(QWidget* parent = nullptr);
    ~StaffView() override;

    // The notes. Whoever edits them through the model (a follower of the keyboard input, say)
    // is shown at the next event loop turn; the operations below show their change at once.
    StaffModel& model() { return m_model; }
    const StaffModel& model() const { return m_model; }
    const StaffLayout& layout() const;

    // The operations of the control. Those that change the notes redraw, except add.
    int count() const { return m_model.count(); }
    const StaffNote* item(int index) const { return m_model.item(index); }
    void add(std::u16string pitch, std::u16string length);
    void ins(std::u16string pitch, std::u16string length);
    void remove(int index);
    void removeAll();
    void setSel(int index);
    void setSelection(int first, int last);
    void clearSelection();
    void setTen(bool hadDot);
    void setRen(std::u16string_view code);
    void setCurType(StaffCursorType type);
    StaffCursorType curType() const { return m_cursorType; }

    int currentIndex() const { return m_model.currentIndex(); }
    void setCurrentIndex(int index);

    // Redraws every row.
    void refresh();
    // Redraws and scrolls the current note into view.
    void refreshCur();

    // Refills the staff from the melody text (walking it with state) and redraws.
    void rebuild(ParserState& state, std::u16string_view text);

    // Pixels per twip: 1/15 on a 96 dpi screen, scaled by the zoom factor.
    qreal pixelsPerTwip() const;
    void setZoom(qreal zoom);

    // Paints the whole staff (every row) onto a painter, as the view would show it unscrolled.
    void renderAll(QPainter& painter);
    // The size of such a rendering in pixels.
    QSize fullSize() const;

    QSize sizeHint() const override;

signals:
    // A click chose a new current note: the number of notes before the click point.
    void currentIndexClicked(int index);
    // Keys typed while the staff has the focus, for the main window's key handler.
    void keyDown(QKeyEvent* event);
    void keyUp(QKeyEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void modelChanged();
    // Brings the scroll bar and the picture up to date, following a moved current note.
    void applyChanges();
    void ensureRowsVisible(int firstRow, int lastRow);
    void updateScrollBar();
    int widthTwips() const;
    int scrollTwips() const;
    StaffPainter& painter();

    StaffModel m_model;
    StaffCursorType m_cursorType = StaffCursorType::Edit;
    qreal m_zoom = 1.0;
    mutable std::optional<StaffLayout> m_layout;
    std::unique_ptr<StaffPainter> m_painter;
    QPoint m_pressPos;
    bool m_pressed = false;
    bool m_applyPending = false;
    int m_shownCurrent = 0;
};

} // namespace sarvo::melody
