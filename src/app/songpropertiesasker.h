#pragma once
// How the main window asks for a song's properties and settles a name clash: an interface, so
// the window does not depend on a modal loop, and its implementation over the real dialogs.

#include "app/songpropertiesdialog.h"
#include "common/interaction.h"
#include "library/nameclash.h"
#include "library/song.h"
#include "library/songproperties.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QDialog;

namespace sarvo::app {

struct NameClashDecision {
    library::NameClashResult result = library::NameClashResult::Discard;
    std::u16string newName; // the name to store under when the result is Rename
};

class ISongPropertiesAsker {
public:
    virtual ~ISongPropertiesAsker() = default;
    // Shows the song-properties dialog with this title, filled from form; the confirmed values,
    // or nullopt when the user cancelled.
    virtual std::optional<library::SongProperties>
    askSongProperties(std::u16string_view title, const library::SongPropertiesForm& form) = 0;
    // Asks what to do with a song that arrived under the name of a stored song.
    virtual NameClashDecision askNameClash(std::u16string_view arrivingName) = 0;
};

// Runs a dialog until it closes; exec() in the program, a scripted user in tests.
using DialogRunner = std::function<void(QDialog&)>;

class DialogSongPropertiesAsker final : public ISongPropertiesAsker {
public:
    // ui shows the dialogs' messages and must outlive the asker. The song-properties dialog is
    // made once and keeps the controls a form leaves open from one showing to the next.
    explicit DialogSongPropertiesAsker(IInteractive& ui, DialogRunner runner = execDialog);
    ~DialogSongPropertiesAsker() override;

    // The window the dialogs are centred on; the main window is made after this object.
    void setParentWindow(QWidget* parentWindow);

    std::optional<library::SongProperties>
    askSongProperties(std::u16string_view title, const library::SongPropertiesForm& form) override;
    NameClashDecision askNameClash(std::u16string_view arrivingName) override;

    static void execDialog(QDialog& dialog);

private:
    IInteractive& m_ui;
    DialogRunner m_runner;
    QPointer<QWidget> m_parentWindow;
    // Owned by the parent window when there is one, by the asker otherwise.
    QPointer<SongPropertiesDialog> m_propertiesDialog;
};

} // namespace sarvo::app
