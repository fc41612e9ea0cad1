#pragma once
// The name-clash dialog dlgMName "曲名の変更": a song arrived under the name of a stored song;
// the user discards it, overwrites the stored one, or gives it a new name. It writes no file.

#include "common/interaction.h"
#include "library/nameclash.h"

#include <QDialog>

#include <string>

class QLineEdit;

namespace sarvo::app {

class NameClashDialog : public QDialog {
    Q_OBJECT

public:
    // ui shows the refusal of an unchanged name and the question on closing; it must outlive
    // the dialog.
    NameClashDialog(std::u16string arrivingName, IInteractive& ui, QWidget* parent = nullptr);

    // The decision so far, and the new name when it is Rename.
    const library::NameClash& decision() const { return m_clash; }

protected:
    // Closing the window and Escape: while undecided, asks before discarding the song.
    void reject() override;

private:
    void decide(int button);

    IInteractive& m_ui;
    library::NameClash m_clash;
    QLineEdit* m_name = nullptr;
};

} // namespace sarvo::app
