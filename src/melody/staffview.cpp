#include "melody/staffview.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace sarvo::melody {

using namespace staffgeometry;

namespace {

constexpr int kTwipsPerInch = 1440;
// A press and release this close together (in pixels) make a click.
constexpr int kClickSlop = 6;

} // namespace

StaffView::StaffView(QWidget* parent)
    : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("cm5"));
    setFocusPolicy(Qt::StrongFocus);
    // Always shown, so that the rows do not reflow when the staff grows past one screen.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setAutoFillBackground(true);
    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(palette);
    verticalScrollBar()->setSingleStep(2);
    m_model.setChangeListener([this] { modelChanged(); });
    updateScrollBar();
}

StaffView::~StaffView() = default;

qreal StaffView::pixelsPerTwip() const {
    return logicalDpiY() * m_zoom / kTwipsPerInch;
}

void StaffView::setZoom(qreal zoom) {
    m_zoom = std::clamp(zoom, 0.25, 8.0);
    m_painter.reset();
    refresh();
}

int StaffView::widthTwips() const {
    return static_cast<int>(viewport()->width() / pixelsPerTwip());
}

int StaffView::scrollTwips() const {
    return verticalScrollBar()->value() * kLineSpacing;
}

const StaffLayout& StaffView::layout() const {
    if (!m_layout)
        m_layout = layoutStaff(m_model.notes(), widthTwips());
    return *m_layout;
}

StaffPainter& StaffView::painter() {
    if (!m_painter)
        m_painter = std::make_unique<StaffPainter>(pixelsPerTwip());
    return *m_painter;
}

void StaffView::modelChanged() {
    m_layout.reset();
    if (m_applyPending)
        return;
    m_applyPending = true;
    QMetaObject::invokeMethod(this, &StaffView::applyChanges, Qt::QueuedConnection);
}

void StaffView::applyChanges() {
    m_applyPending = false;
    updateScrollBar();
    if (m_model.currentIndex() != m_shownCurrent) {
        m_shownCurrent = m_model.currentIndex();
        refreshCur();
    }
    viewport()->update();
}

void StaffView::updateScrollBar() {
    const int page = static_cast<int>(viewport()->height() / pixelsPerTwip()) / kLineSpacing;
    QScrollBar* bar = verticalScrollBar();
    bar->setPageStep(std::max(1, page));
    bar->setRange(0, std::max(0, scrollMaximum(layout().rows) - page));
}

void StaffView::add(std::u16string pitch, std::u16string length) {
    // No redraw: the caller adds many notes and refreshes once.
    m_model.add(std::move(pitch), std::move(length));
}

void StaffView::ins(std::u16string pitch, std::u16string length) {
    m_model.ins(std::move(pitch), std::move(length));
    applyChanges();
}

void StaffView::remove(int index) {
    m_model.remove(index);
    applyChanges();
}

void StaffView::removeAll() {
    m_model.removeAll();
    applyChanges();
}

void StaffView::setSel(int index) {
    m_model.setSel(index);
    applyChanges();
}

void StaffView::setSelection(int first, int last) {
    m_model.setSelection(first, last);
    applyChanges();
}

void StaffView::clearSelection() {
    m_model.clearSelection();
    applyChanges();
}

void StaffView::setTen(bool hadDot) {
    m_model.setTen(hadDot);
    applyChanges();
}

void StaffView::setRen(std::u16string_view code) {
    m_model.setRen(code);
    applyChanges();
}

void StaffView::setCurType(StaffCursorType type) {
    m_cursorType = type;
    viewport()->update();
}

void StaffView::setCurrentIndex(int index) {
    m_model.setCurrentIndex(index);
    applyChanges();
}

void StaffView::refresh() {
    m_layout.reset();
    applyChanges();
}

void StaffView::refreshCur() {
    const StaffLayout& staff = layout();
    const int current = m_model.currentIndex();
    const int noteRow = current > 0 ? staff.notes[static_cast<size_t>(current - 1)].row : 0;
    ensureRowsVisible(noteRow, slotAfter(staff, current).row);
    viewport()->update();
}

void StaffView::ensureRowsVisible(int firstRow, int lastRow) {
    QScrollBar* bar = verticalScrollBar();
    const int unitsPerRow = kScrollUnitsPerRow;
    const int top = firstRow * unitsPerRow;
    const int bottom = (lastRow + 1) * unitsPerRow;
    if (top < bar->value())
        bar->setValue(top);
    else if (bottom > bar->value() + bar->pageStep())
        bar->setValue(std::min(top, bottom - bar->pageStep()));
}

void StaffView::rebuild(ParserState& state, std::u16string_view text) {
    const int current = m_model.currentIndex();
    rebuildStaff(state, text, m_model);
    m_model.setCurrentIndex(current);
    applyChanges();
}

QSize StaffView::fullSize() const {
    const qreal scale = logicalDpiY() * m_zoom / kTwipsPerInch;
    return {viewport()->width(), static_cast<int>(contentHeight(layout().rows) * scale) + 1};
}

void StaffView::renderAll(QPainter& target) {
    const QSize size = fullSize();
    painter().paint(target, layout(), m_model.currentIndex(), m_cursorType,
                    QRect(QPoint(0, 0), size), 0);
}

QSize StaffView::sizeHint() const {
    return {640, 320};
}

void StaffView::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    painter().paint(p, layout(), m_model.currentIndex(), m_cursorType, event->rect(),
                    scrollTwips());
}

void StaffView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    refresh();
}

void StaffView::scrollContentsBy(int, int) {
    viewport()->update();
}

void StaffView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(event);
    m_pressPos = event->position().toPoint();
    m_pressed = true;
}

void StaffView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_pressed)
        return QAbstractScrollArea::mouseReleaseEvent(event);
    m_pressed = false;
    const QPoint pos = event->position().toPoint();
    if ((pos - m_pressPos).manhattanLength() > kClickSlop)
        return;
    const qreal scale = pixelsPerTwip();
    const int index = noteCountBefore(layout(), static_cast<int>(pos.x() / scale),
                                      static_cast<int>(pos.y() / scale) + scrollTwips());
    m_model.clearSelection();
    m_model.setCurrentIndex(index);
    applyChanges();
    emit currentIndexClicked(index);
}

void StaffView::keyPressEvent(QKeyEvent* event) {
    // The page keys scroll; every other key belongs to the main window's key handler.
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
        const int step = verticalScrollBar()->pageStep();
        verticalScrollBar()->setValue(verticalScrollBar()->value() +
                                      (event->key() == Qt::Key_PageUp ? -step : step));
        return;
    }
    emit keyDown(event);
    event->accept();
}

void StaffView::keyReleaseEvent(QKeyEvent* event) {
    emit keyUp(event);
    event->accept();
}

} // namespace sarvo::melody
