#include "melody/staffpainter.h"

#include "melody/notefont.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace sarvo::melody {

using namespace staffgeometry;

namespace {

const QColor kInk(0, 0, 0);
const QColor kSelectedInk(0, 0, 255);
const QColor kMarker(0, 255, 255);
const QColor kEditBand(255, 238, 186);
const QColor kPlayBand(255, 204, 128);
const QColor kInsertionBar(214, 72, 0);

// Rows whose drawing may reach into the area: low notes hang below their own row.
std::pair<int, int> rowsMeeting(const QRect& area, int scrollTwips, qreal scale, int rows) {
    const int top = scrollTwips + static_cast<int>(area.top() / scale);
    const int bottom = scrollTwips + static_cast<int>((area.bottom() + 1) / scale);
    const int first = std::max(0, top / kRowHeight - 1);
    const int last = std::min(rows - 1, bottom / kRowHeight);
    return {first, last};
}

} // namespace

StaffPainter::StaffPainter(qreal pixelsPerTwip)
    : m_scale(pixelsPerTwip)
    , m_font(noteFont(kFontEmTwips * pixelsPerTwip)) {}

const QStaticText& StaffPainter::staticText(const std::u16string& text) {
    const QString key = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
    auto it = m_texts.find(key);
    if (it == m_texts.end()) {
        QStaticText prepared(key);
        prepared.setTextFormat(Qt::PlainText);
        prepared.setPerformanceHint(QStaticText::AggressiveCaching);
        prepared.prepare(QTransform(), m_font);
        it = m_texts.insert(key, prepared);
    }
    return *it;
}

void StaffPainter::paintRun(QPainter& painter, const GlyphRun& run, int scrollTwips) {
    if (run.text.empty())
        return;
    const QStaticText& text = staticText(run.text);
    // QStaticText places the top of its line box; the ascent takes it to the baseline.
    const qreal baseline = px(run.y + kBaselineBelowPrint - scrollTwips);
    painter.drawStaticText(QPointF(px(run.x), baseline - m_ascent), text);
}

void StaffPainter::paint(QPainter& painter, const StaffLayout& layout, int currentIndex,
                         StaffCursorType cursorType, const QRect& area, int scrollTwips) {
    painter.save();
    painter.setFont(m_font);
    // Lines are horizontal and snapped to pixels: crisp without antialiasing, and much cheaper.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    m_ascent = QFontMetricsF(m_font).ascent();
    const auto [firstRow, lastRow] = rowsMeeting(area, scrollTwips, m_scale, layout.rows);
    paintCursor(painter, layout, currentIndex, cursorType, scrollTwips);
    for (int row = firstRow; row <= lastRow; ++row)
        paintRow(painter, layout, row, scrollTwips);
    const int n = layout.notesPerRow;
    const int count = static_cast<int>(layout.notes.size());
    const int from = std::min(count, firstRow * n);
    const int to = std::min(count, (lastRow + 1) * n);
    for (int i = from; i < to; ++i)
        paintNote(painter, layout.notes[static_cast<size_t>(i)], scrollTwips);
    painter.restore();
}

void StaffPainter::paintRow(QPainter& painter, const StaffLayout& layout, int row,
                            int scrollTwips) {
    const qreal end = px(staffLineEnd(layout.width));
    painter.setPen(QPen(kMarker, 1));
    const qreal marker = px(markerLineY(row) - scrollTwips);
    painter.drawLine(QPointF(0, marker), QPointF(end, marker));
    painter.setPen(QPen(kInk, 1));
    for (int line = 1; line <= 5; ++line) {
        const qreal y = px(staffLineY(row, line) - scrollTwips);
        painter.drawLine(QPointF(0, y), QPointF(end, y));
    }
    painter.setPen(kInk);
    paintRun(painter, clefRun(row), scrollTwips);
}

void StaffPainter::paintNote(QPainter& painter, const PlacedNote& note, int scrollTwips) {
    const QColor ink = note.selected ? kSelectedInk : kInk;
    painter.setPen(QPen(ink, 1));
    for (int y : note.ledgers.ys) {
        const qreal ly = px(y - scrollTwips);
        painter.drawLine(QPointF(px(note.ledgers.x0), ly), QPointF(px(note.ledgers.x1), ly));
    }
    if (note.sharp)
        paintRun(painter, *note.sharp, scrollTwips);
    if (note.tie)
        paintRun(painter, *note.tie, scrollTwips);
    paintRun(painter, note.note, scrollTwips);
}

void StaffPainter::paintCursor(QPainter& painter, const StaffLayout& layout, int currentIndex,
                               StaffCursorType cursorType, int scrollTwips) {
    const int count = static_cast<int>(layout.notes.size());
    currentIndex = std::clamp(currentIndex, 0, count);
    if (currentIndex > 0) {
        const PlacedNote& current = layout.notes[static_cast<size_t>(currentIndex - 1)];
        const int top = rowTop(current.row) - scrollTwips;
        const QRectF band(px(current.x + kNoteInset / 2), px(top + kMarkerLine - kLineSpacing),
                          px(kNoteAdvance - kNoteInset / 2), px(8 * kLineSpacing));
        painter.fillRect(band, cursorType == StaffCursorType::Play ? kPlayBand : kEditBand);
    }
    if (cursorType == StaffCursorType::Edit) {
        const SlotPosition slot = slotAfter(layout, currentIndex);
        const int top = rowTop(slot.row) - scrollTwips;
        const qreal x = px(slot.x + kCursorX);
        painter.setPen(QPen(kInsertionBar, std::max<qreal>(1.5, px(24))));
        painter.drawLine(QPointF(x, px(top + kMarkerLine)),
                         QPointF(x, px(top + kMarkerLine + 7 * kLineSpacing)));
    }
}

} // namespace sarvo::melody
