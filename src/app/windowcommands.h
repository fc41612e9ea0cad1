#pragma once
// The commands of the main window: the buttons of the program toolbar tbTop and the song
// toolbar tbM with their keys, captions and tips, the function keys that press them, and which
// commands still run while a melody plays.

#include <optional>
#include <span>
#include <string_view>

namespace sarvo::app {

enum class WindowCommand {
    New,      // name the melody being edited as a new song
    Open,     // change the song's name and comment
    Save,     // save the song being edited
    Delete,   // delete the selected song
    Folder,   // open the song's guide folder in the file manager
    Mail,     // mail exchange of songs
    Comm,     // cable transfer
    Change,   // convert one phone type's key procedure into all types
    Server,   // song server
    Settings, // settings dialog
    Help,     // help pages
    Close,    // close the main window
    Play,     // start or stop playback
    Refresh,  // show the phone key guide again
};

struct CommandButton {
    WindowCommand command;
    std::u16string_view key; // the toolbar button's key
    const char* caption; // UTF-8, translated in context sarvo::app::CommandToolBar
    const char* tip;
};

// The buttons of tbTop and of tbM, in toolbar order.
std::span<const CommandButton> programToolbarButtons();
std::span<const CommandButton> songToolbarButtons();

// The command a function key F1 to F12 runs; nullopt for other numbers.
std::optional<WindowCommand> commandForFunctionKey(int number);

// While a melody plays the window ignores every command except these two: stopping the
// playback, and closing the window from its toolbar.
bool runsWhilePlaying(WindowCommand command);

} // namespace sarvo::app
