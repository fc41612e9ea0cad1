#pragma once
// The main window frmSarvo: the program and song toolbars over the music box, a splitter, and
// the editing area with the song name, the view selector, the length, tuplet and transposition
// toolbars, the play button and one of three views: the melody text, the staff, or the key
// guide of the phone type chosen in the view selector.

#include "app/windowcommands.h"
#include "common/interaction.h"
#include "melody/parserstate.h"
#include "sound/clock.h"
#include "sound/midioutput.h"

#include <QMainWindow>

#include <memory>
#include <string>

class QLabel;
class QPlainTextEdit;
class QSplitter;
class QStackedWidget;

namespace sarvo::sound {
class MelodyPlayer;
}

namespace sarvo::app {

class CommandToolBar;
class MusicBox;
class PlayButton;
class TimedTaskDriver;
class TransposeBar;
class ViewSelector;
class WindowStatusBar;

inline constexpr std::u16string_view kUnavailableMessage = u"この機能はまだありません";

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // ui receives the messages and questions of the window, midi sounds playback and previews;
    // both must outlive the window.
    MainWindow(IInteractive& ui, sound::IMidiOutput& midi, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Selects a view selector entry (0 to 40) and shows its view, even when it is selected
    // already. An index outside the selector is ignored.
    void selectView(int index);
    int currentView() const;

    // Runs a toolbar command or function key command; while a melody plays only the play
    // command and Close run.
    void runCommand(WindowCommand command);

    std::u16string melodyText() const;
    // Replaces the melody being edited (loading a song, transposing).
    void setMelodyText(std::u16string_view text);
    // The melody as last loaded or saved; closing asks to save when the editor differs.
    void setSavedMelody(std::u16string_view text) { m_savedMelody = text; }

    QString songName() const;
    void setSongName(const QString& name);

    bool isPlaying() const { return m_state.isPlaying; }
    // The program's one walk state over the melody.
    melody::ParserState& parserState() { return m_state; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolBars();
    void buildCentralArea();
    QWidget* buildEditingArea();
    void buildShortcuts();

    void showView(int index);
    void showMelodyInput();
    void showKeyGuide(int typeIndex);
    void focusEditor();

    void transpose(int direction);
    void togglePlay();
    void startPlaying();
    void stopPlaying();
    // Selects the token being played in the melody text.
    void highlightPlayedNote(int start, int length);
    // Asks whether to save a changed melody; false when the user cancels or the save failed.
    bool settleUnsavedChanges();
    void showUnavailable();

    IInteractive& m_ui;
    melody::ParserState m_state;
    std::u16string m_savedMelody;
    // The melody text put aside while playing, restored when playback stops.
    std::u16string m_melodyBeforePlaying;
    sound::SystemClock m_clock;
    std::unique_ptr<sound::MelodyPlayer> m_player;
    TimedTaskDriver* m_playerDriver = nullptr;

    CommandToolBar* m_programBar = nullptr;
    CommandToolBar* m_songBar = nullptr;
    QSplitter* m_splitter = nullptr;
    MusicBox* m_musicBox = nullptr;
    QLabel* m_songNameLabel = nullptr;
    ViewSelector* m_viewSelector = nullptr;
    TransposeBar* m_transposeBar = nullptr;
    PlayButton* m_playButton = nullptr;
    QStackedWidget* m_views = nullptr;
    QPlainTextEdit* m_melodyEdit = nullptr;
    QPlainTextEdit* m_keyGuideEdit = nullptr;
    WindowStatusBar* m_statusBar = nullptr;
};

} // namespace sarvo::app
