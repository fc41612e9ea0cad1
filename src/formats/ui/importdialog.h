#pragma once
// The import dialog dlgImport: one option per kind of file, the file path with a browse button
// offering that kind's filter, the phone type of a key-procedure text and, for a MIDI file, its
// voices (track, channel, notes, range) with the automatic choice preselected and a preview of
// the melody the chosen voice gives. Import hands the request to the importer, which replaces
// the melody being edited; the dialog closes when it did.

#include "common/interaction.h"
#include "formats/ui/importreading.h"

#include <QDialog>

#include <filesystem>
#include <functional>
#include <vector>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QTreeWidget;

namespace sarvo::formats {

class ImportDialog : public QDialog {
    Q_OBJECT

public:
    // ui shows the dialog's messages and must outlive it.
    explicit ImportDialog(IInteractive& ui, QWidget* parent = nullptr);

    // True when the file was imported.
    using Importer = std::function<bool(const ImportRequest&)>;
    void setImporter(Importer importer) { m_importer = std::move(importer); }

    // Chooses an option (0 to 6) and, for option 0, the phone type (2 to 40).
    void choose(int option, int typeIndex);
    ImportRequest request() const;
    // Fills in the file (of a MIDI file, its voices are listed).
    void setPath(const std::filesystem::path& path);

private:
    void optionChosen();
    void browse();
    void importFile();
    // Lists the voices of the MIDI file in the path field and previews the automatic choice.
    void listMidiVoices();
    void previewMidiVoice();

    IInteractive& m_ui;
    Importer m_importer;
    std::vector<QRadioButton*> m_options;
    QLineEdit* m_path = nullptr;
    QComboBox* m_phoneType = nullptr;
    QGroupBox* m_midiGroup = nullptr;
    QTreeWidget* m_midiVoices = nullptr;
    QPlainTextEdit* m_preview = nullptr;
};

} // namespace sarvo::formats
