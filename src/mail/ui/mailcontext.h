#pragma once
// What the mail and server dialogs need from the main window: the library and settings, the
// melody being edited, the songs selected in the music box, and the window's answers.

#include "common/interaction.h"
#include "library/songlibrary.h"
#include "mail/receivedsongs.h"
#include "settings/settingsfile.h"

#include <functional>
#include <string>
#include <vector>

namespace sarvo::mail {

struct MailContext {
    const library::SongLibrary& library;
    IInteractive& ui;
    std::u16string melody;                // the melody being edited
    library::SongProperties song;         // its properties (name, musician, genre)
    std::vector<std::u16string> selected; // the music box's selection, in list order
    int voiceProgram = 7;                 // the voice of received songs
    // Asks to save the edited song when it has unsaved changes; called before songs arrive.
    std::function<void()> offerToSaveEditedSong;
    // Saves the edited song when it has unsaved changes (before an upload).
    std::function<void()> saveEditedSong;
    // The name-clash dialog; the fixed choice of scripts when unset.
    NameClashChooser chooseOnClash;
    // Songs were stored; the last name is the one to select.
    std::function<void(const std::vector<std::u16string>& names)> songsStored;

    settings::SettingsFile settingsFile() const {
        return settings::SettingsFile(library.folders().settingsFile());
    }
};

} // namespace sarvo::mail
