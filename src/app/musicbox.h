#pragma once
// The music box lvwMusicBox: the stored songs in a report list with the columns 曲名 to 音色.
// A click on a header sorts by that column, each click switching between ascending and
// descending order; a click on a song and the Up and Down keys choose a song; after every list
// event the window takes the focus back to its editor.

#include <QTreeWidget>

#include <array>
#include <string>
#include <vector>

namespace sarvo::app {

struct MusicBoxEntry {
    std::u16string name;
    // ミュージシャン, 作成者, 日時, ジャンル, コメント, テンポ, 音色.
    std::array<std::u16string, 7> details;
};

class MusicBox : public QTreeWidget {
    Q_OBJECT

public:
    static constexpr int kColumnCount = 8;
    // Columns 1 to 7 keep their widths between runs; the last one (音色) does not.
    static constexpr int kStoredWidths = 7;

    explicit MusicBox(QWidget* parent = nullptr);

    void setEntries(const std::vector<MusicBoxEntry>& entries);
    // Selects the song of this name, makes it current and scrolls it into view; false when the
    // list has no such song.
    bool selectSong(const QString& name);
    QString currentSong() const;
    // The selected songs' names in the order the list shows them.
    QStringList selectedSongs() const;

    std::array<int, kStoredWidths> storedColumnWidths() const;
    void setStoredColumnWidths(const std::array<int, kStoredWidths>& widths);

    Qt::SortOrder lastSortOrder() const { return m_sortOrder; }
    // The keys that move through the list; every other key typed in it is note input.
    static bool isNavigationKey(const QKeyEvent& event);

signals:
    // A song was clicked, or reached with the arrow or page keys.
    void songChosen(const QString& name);
    // The list was sorted; the focus belongs to the editor again.
    void listEventDone();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void sortByColumn(int column);

    // Descending before the first click, so that the first click sorts ascending.
    Qt::SortOrder m_sortOrder = Qt::DescendingOrder;
};

} // namespace sarvo::app
