#pragma once
// Paints a laid-out staff with the note font: staff rows, clefs, notes, ledger lines, the
// selection in blue and the current-note cursor. The widget and off-screen renderings share it.

#include "melody/stafflayout.h"

#include <QFont>
#include <QHash>
#include <QStaticText>

class QPainter;
class QRect;

namespace sarvo::melody {

// How the current note is marked: while editing, a band behind the current note and a bar where
// the next note goes; while playing, the band alone.
enum class StaffCursorType { Edit, Play };

class StaffPainter {
public:
    // pixelsPerTwip: 1/15 on a 96 dpi screen.
    explicit StaffPainter(qreal pixelsPerTwip);

    qreal pixelsPerTwip() const { return m_scale; }

    // Paints the rows that meet the area (in pixels of the surface whose top lies scrollTwips
    // below the staff's top). currentIndex 0 marks the start, before the first note.
    void paint(QPainter& painter, const StaffLayout& layout, int currentIndex,
               StaffCursorType cursorType, const QRect& area, int scrollTwips);

private:
    qreal px(int twips) const { return twips * m_scale; }
    void paintRow(QPainter& painter, const StaffLayout& layout, int row, int scrollTwips);
    void paintCursor(QPainter& painter, const StaffLayout& layout, int currentIndex,
                     StaffCursorType cursorType, int scrollTwips);
    void paintNote(QPainter& painter, const PlacedNote& note, int scrollTwips);
    void paintRun(QPainter& painter, const GlyphRun& run, int scrollTwips);
    const QStaticText& staticText(const std::u16string& text);

    qreal m_scale;
    QFont m_font;
    qreal m_ascent = 0;
    QHash<QString, QStaticText> m_texts;
};

} // namespace sarvo::melody
