#pragma once
// The main window's other windows: settings (F2), import and the conversion of one phone type's
// keys to all types (F3), the chord player of the play command and the help. Each is built when
// first opened, never at start, and run by a dialog runner (exec() in the program, a scripted
// user in tests). The main window only dispatches here.

#include "app/songpropertiesasker.h"
#include "common/interaction.h"
#include "sound/midiports.h"

#include <QObject>
#include <QPointer>

#include <filesystem>
#include <memory>
#include <string>

namespace sarvo::formats {
class ImportDialog;
struct ImportedFile;
struct ImportRequest;
} // namespace sarvo::formats
namespace sarvo::settings {
class SettingsDialog;
}

namespace sarvo::app {

class HelpWindow;
class MainWindow;

class WindowDialogs : public QObject {
    Q_OBJECT

public:
    // midi is the program's output: when it is a port, the settings list its ports and the
    // chord player plays through the chosen one. All must outlive this object.
    WindowDialogs(MainWindow& window, IInteractive& ui, sound::IMidiOutput& midi,
                  ISongPropertiesAsker& asker);
    ~WindowDialogs() override;

    void setRunner(DialogRunner runner) { m_runner = std::move(runner); }

    void openSettings();
    // The import dialog on an option, with a file filled in when one is given; Change opens it
    // on option 0 with the phone type on show.
    void openImport(int option, const std::filesystem::path& file = {});
    // The play command goes the MML way when the settings ask for it ("５線譜再生カーソル") or
    // more than one song is selected.
    bool playsAsChord() const;
    void playChord();
    void openHelp();

private:
    // What the import dialog's Import button does; true when the melody was replaced.
    bool importFile(const formats::ImportRequest& request);
    // The song-properties dialog "インポート曲の指定" names the import; further parts of a chord
    // file become songs named "-Sub" + n after it.
    void nameImportedSong(const formats::ImportedFile& file, const std::u16string& fileTitle);

    MainWindow& m_window;
    IInteractive& m_ui;
    sound::IMidiOutput& m_midi;
    ISongPropertiesAsker& m_asker;
    DialogRunner m_runner = DialogSongPropertiesAsker::execDialog;
    sound::MidiOutputPort* m_port = nullptr;
    // Stands in for the port list when the output is no port (a test's recording output).
    std::unique_ptr<sound::MidiOutputPort> m_lentPort;
    QPointer<settings::SettingsDialog> m_settings;
    QPointer<formats::ImportDialog> m_import;
    QPointer<HelpWindow> m_help;
};

} // namespace sarvo::app
