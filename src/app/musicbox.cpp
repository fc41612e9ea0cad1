#include "app/musicbox.h"

#include "app/qtext.h"

#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>
#include <iterator>

namespace sarvo::app {

MusicBox::MusicBox(QWidget* parent)
    : QTreeWidget(parent) {
    setObjectName(QStringLiteral("lvwMusicBox"));
    setColumnCount(kColumnCount);
    setHeaderLabels({tr("曲名"), tr("ミュージシャン"),
                     tr("作成者"), tr("日時"), tr("ジャンル"),
                     tr("コメント"), tr("テンポ"), tr("音色")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    header()->setSectionsClickable(true);
    // The list keeps the library's order until a header is clicked.
    header()->setSortIndicatorShown(false);
    header()->setStretchLastSection(true);
    // Design-time widths that show a whole date and a short comment.
    const int widths[kColumnCount - 1] = {160, 120, 90, 120, 80, 160, 50};
    for (int column = 0; column < kColumnCount - 1; ++column)
        setColumnWidth(column, widths[column]);

    connect(header(), &QHeaderView::sectionClicked, this, [this](int column) {
        sortByColumn(column);
        emit listEventDone();
    });
    // After a click the list keeps the focus, so that Up and Down go on through the songs.
    connect(this, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { emit songChosen(item->text(0)); });
}

void MusicBox::setEntries(const std::vector<MusicBoxEntry>& entries) {
    clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(entries.size()));
    for (const MusicBoxEntry& entry : entries) {
        QStringList texts{toQString(entry.name)};
        for (const std::u16string& detail : entry.details)
            texts << toQString(detail);
        items << new QTreeWidgetItem(texts);
    }
    addTopLevelItems(items);
}

bool MusicBox::selectSong(const QString& name) {
    const QList<QTreeWidgetItem*> found = findItems(name, Qt::MatchExactly, 0);
    if (found.isEmpty())
        return false;
    setCurrentItem(found.front());
    scrollToItem(found.front());
    return true;
}

QString MusicBox::currentSong() const {
    const QTreeWidgetItem* item = currentItem();
    return item ? item->text(0) : QString();
}

QStringList MusicBox::selectedSongs() const {
    QStringList names;
    for (int row = 0; row < topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = topLevelItem(row);
        if (item->isSelected())
            names << item->text(0);
    }
    return names;
}

std::array<int, MusicBox::kStoredWidths> MusicBox::storedColumnWidths() const {
    std::array<int, kStoredWidths> widths{};
    for (int column = 0; column < kStoredWidths; ++column)
        widths[static_cast<size_t>(column)] = columnWidth(column);
    return widths;
}

void MusicBox::setStoredColumnWidths(const std::array<int, kStoredWidths>& widths) {
    for (int column = 0; column < kStoredWidths; ++column) {
        if (widths[static_cast<size_t>(column)] > 0)
            setColumnWidth(column, widths[static_cast<size_t>(column)]);
    }
}

bool MusicBox::isNavigationKey(const QKeyEvent& event) {
    static constexpr int kKeys[] = {Qt::Key_Up,       Qt::Key_Down, Qt::Key_PageUp,
                                    Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
    const Qt::KeyboardModifiers others =
        event.modifiers() & ~(Qt::ShiftModifier | Qt::ControlModifier | Qt::KeypadModifier);
    return others == Qt::NoModifier && std::ranges::find(kKeys, event.key()) != std::end(kKeys);
}

void MusicBox::keyPressEvent(QKeyEvent* event) {
    const QTreeWidgetItem* before = currentItem();
    QTreeWidget::keyPressEvent(event);
    // A plain move loads the song it reaches; with Shift or Ctrl it only widens the selection.
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && isNavigationKey(*event) && currentItem() && currentItem() != before)
        emit songChosen(currentItem()->text(0));
}

void MusicBox::sortByColumn(int column) {
    m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    sortItems(column, m_sortOrder);
    header()->setSortIndicatorShown(true);
    header()->setSortIndicator(column, m_sortOrder);
}

} // namespace sarvo::app
