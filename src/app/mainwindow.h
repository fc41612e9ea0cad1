#pragma once
// The main window frmSarvo: the program and song toolbars over the music box, a splitter, and
// the editing area with the song name, the view selector, the length, tuplet and transposition
// toolbars, the play button, one of three views (the melody text, the staff, or the key guide
// of the phone type chosen in the view selector) and the on-screen keyboard.

#include "app/windowcommands.h"
#include "common/interaction.h"
#include "library/songlibrary.h"
#include "melody/parserstate.h"
#include "settings/settingsfile.h"
#include "sound/clock.h"
#include "sound/midioutput.h"

#include <QMainWindow>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QDialog;
class QLabel;
class QPlainTextEdit;
class QSplitter;
class QStackedWidget;

namespace sarvo::melody {
class KeyboardInputController;
class MelodyTextEdit;
class OnScreenKeyboard;
class StaffView;
} // namespace sarvo::melody

namespace sarvo::cable {
class CommDialog;
}

namespace sarvo::sound {
class MelodyPlayer;
class NotePreview;
class TimedTaskDriver;
} // namespace sarvo::sound

namespace sarvo::app {

class CommandToolBar;
class ISongPropertiesAsker;
class MusicBox;
class NoteLengthBar;
class PlayButton;
class SongSession;
class TransposeBar;
class TupletBar;
class ViewSelector;
class WindowDialogs;
class WindowStatusBar;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // ui receives the messages and questions of the window, midi sounds playback and previews,
    // library holds the songs and the settings file, asker shows the song-properties dialog;
    // all must outlive the window. The window reads its preferences and placement and lists the
    // songs.
    MainWindow(IInteractive& ui, sound::IMidiOutput& midi, const library::SongLibrary& library,
               ISongPropertiesAsker& asker, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Selects a view selector entry (0 to 40) and shows its view, even when it is selected
    // already. An index outside the selector is ignored, and so is every choice while playing.
    void selectView(int index);
    int currentView() const;

    // Runs a toolbar command or function key command; while a melody plays only the play
    // command and Close run.
    void runCommand(WindowCommand command);
    // The import dialog on the option that reads the file, with the file filled in (a file
    // opened with the program).
    void openImportOf(const std::filesystem::path& file);
    // How the settings, import and chord player dialogs are run: exec() unless a test drives them.
    void setDialogRunner(std::function<void(QDialog&)> runner);
    // Reads the preferences again and applies them (key map, sound, fonts, phone types, user).
    void applyPreferences();
    // The songs selected in the music box, in list order.
    QStringList selectedSongs() const;
    // The music box and the song name after the current song was named or renamed.
    void showRenamedSong();

    std::u16string melodyText() const;
    // Replaces the melody being edited; the staff follows.
    void setMelodyText(std::u16string_view text);

    // Rebuilds the music box from the library.
    void listSongs();
    // Selects the song in the music box, loads it and scrolls it into view (a song that arrived
    // from outside); false when the library has no such song or the user kept the current one.
    bool openSong(const QString& name);
    QString songName() const;

    bool isPlaying() const { return m_state.isPlaying; }
    // The program's one walk state over the melody.
    melody::ParserState& parserState() { return m_state; }
    SongSession& session() { return *m_session; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolBars();
    void buildCentralArea();
    QWidget* buildEditingArea();
    void buildNoteInput();
    void restorePlacement();
    void storePlacement();

    void showView(int index);
    void showMelodyInput();
    void showStaff();
    void showKeyGuide(int typeIndex);
    void focusEditor();
    void showStatus(const QString& text);
    // Rewrites of the melody (transposition, playback) change its characters but not its tokens:
    // the caret is kept as the number of tokens before it.
    int tokensBeforeCaret() const;
    void placeCaretAfterToken(int tokens);

    void loadSong(const QString& name);
    void showCurrentSong();
    // The song-properties dialog with this title, filled from the current song.
    std::optional<library::SongProperties> askSongProperties(std::u16string_view title);
    void newSong();
    void changeSongProperties();
    void saveSong();
    void deleteSelectedSong();
    void openGuideFolder();

    void transpose(int direction);
    void togglePlay();
    void startPlaying();
    void stopPlaying();
    // Selects the token being played in the melody text, or its note in the staff.
    void highlightPlayedNote(int start, int length);
    void previewKeyDown(int keyCode, int midiNote, QChar lengthCode, bool autoRepeat);
    void previewKeyUp(int keyCode, bool fromPanel);
    // The cable dialog (F11), built when first opened.
    void openCableDialog();
    // Mail (F10): the mail dialog; Server: the song-server dialog.
    void openMailDialog(WindowCommand command);

    IInteractive& m_ui;
    sound::IMidiOutput& m_midi;
    ISongPropertiesAsker& m_asker;
    settings::SettingsFile m_settings;
    melody::ParserState m_state;
    std::unique_ptr<SongSession> m_session;
    WindowDialogs* m_dialogs = nullptr;
    cable::CommDialog* m_commDialog = nullptr;
    // The melody text put aside while playing, restored when playback stops.
    std::u16string m_melodyBeforePlaying;
    // The voice of the settings, sent at start and for songs without a voice of their own.
    std::optional<int> m_voiceProgram;
    sound::SystemClock m_clock;
    std::unique_ptr<sound::MelodyPlayer> m_player;
    std::unique_ptr<sound::NotePreview> m_preview;
    sound::TimedTaskDriver* m_playerDriver = nullptr;
    sound::TimedTaskDriver* m_previewDriver = nullptr;

    CommandToolBar* m_programBar = nullptr;
    CommandToolBar* m_songBar = nullptr;
    QSplitter* m_splitter = nullptr;
    MusicBox* m_musicBox = nullptr;
    QLabel* m_songNameLabel = nullptr;
    ViewSelector* m_viewSelector = nullptr;
    NoteLengthBar* m_lengthBar = nullptr;
    TupletBar* m_tupletBar = nullptr;
    TransposeBar* m_transposeBar = nullptr;
    PlayButton* m_playButton = nullptr;
    QStackedWidget* m_views = nullptr;
    melody::MelodyTextEdit* m_melodyEdit = nullptr;
    melody::StaffView* m_staff = nullptr;
    QPlainTextEdit* m_keyGuideEdit = nullptr;
    melody::OnScreenKeyboard* m_keyboard = nullptr;
    melody::KeyboardInputController* m_noteInput = nullptr;
    WindowStatusBar* m_statusBar = nullptr;
};

} // namespace sarvo::app
