#pragma once
// The song-properties dialog dlgM: name, musician, genre, comment with its part-kind chooser,
// tempo with its tempo note, and voice of a song. It writes no file; the caller reads the
// confirmed properties and stores the song.

#include "common/interaction.h"
#include "library/song.h"
#include "library/songproperties.h"

#include <QDialog>

#include <string_view>

class QComboBox;
class QLineEdit;

namespace sarvo::app {

class SongPropertiesDialog : public QDialog {
    Q_OBJECT

public:
    // ui shows the message of a blank name; it must outlive the dialog.
    explicit SongPropertiesDialog(IInteractive& ui, QWidget* parent = nullptr);

    // Fills the controls from a music-box row; a field the form leaves open keeps its control.
    void setForm(const library::SongPropertiesForm& form);
    // The values of the controls as a song stores them (tempo as its number, voice as the GM
    // program of the chosen entry).
    library::SongProperties properties() const;
    // True after OK with a name; false while the dialog is open and after Cancel.
    bool isConfirmed() const { return m_confirmed; }

    // OK: confirms unless the name is blank, which keeps the dialog open on the name field.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* buildTempoNoteCombo();
    QString storedGenre() const;
    void choosePartKind(int index);

    IInteractive& m_ui;
    bool m_confirmed = false;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_musician = nullptr;
    QComboBox* m_genre = nullptr;
    QLineEdit* m_comment = nullptr;
    QComboBox* m_partKind = nullptr;
    QComboBox* m_tempoNote = nullptr;
    QComboBox* m_tempo = nullptr;
    QComboBox* m_voice = nullptr;
};

} // namespace sarvo::app
