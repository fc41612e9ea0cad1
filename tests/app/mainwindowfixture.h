#pragma once
// A main window shown offscreen with a recording MIDI output and scripted answers, the controls
// a user reaches, found by their object names, and the dialogs filled in as a user does.

#include "app/mainwindow.h"
#include "app/musicbox.h"
#include "app/songpropertiesasker.h"
#include "app/songsession.h"
#include "common/interaction.h"
#include "library/songlibrary.h"
#include "melody/melodytextedit.h"
#include "melody/staffview.h"
#include "qtestenvironment.h"
#include "settings/settingsfile.h"
#include "sound/midioutput.h"
#include "sound/recordingmidioutput.h"

#include <QComboBox>
#include <QDialog>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <functional>
#include <memory>

namespace sarvo::app::testing {

template <typename Widget> Widget* dialogChild(QWidget& dialog, const char* name) {
    auto* found = dialog.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// Replaces a field's text by typing, then leaves the field as Tab does. The text arrives as an
// input method commits it, which is how Japanese text is typed.
inline void typeInto(QWidget& dialog, const char* field, const QString& text) {
    auto* edit = dialogChild<QLineEdit>(dialog, field);
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QInputMethodEvent typed;
    typed.setCommitString(text);
    QApplication::sendEvent(edit, &typed);
    QTest::keyClick(edit, Qt::Key_Tab);
}

inline void clickButton(QWidget& dialog, const char* button) {
    auto* found = dialogChild<QPushButton>(dialog, button);
    ASSERT_NE(found, nullptr);
    QTest::mouseClick(found, Qt::LeftButton);
}

// Clicks the button of a tool bar's action, found by their object names, as the mouse does.
inline void clickToolAction(QWidget& window, const char* toolbar, const char* key) {
    auto* bar = dialogChild<QToolBar>(window, toolbar);
    ASSERT_NE(bar, nullptr);
    QAction* action = bar->findChild<QAction*>(QString::fromUtf8(key));
    ASSERT_NE(action, nullptr) << toolbar << " " << key;
    QWidget* button = bar->widgetForAction(action);
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

inline void chooseEntry(QWidget& dialog, const char* comboName, const QString& text) {
    auto* combo = dialogChild<QComboBox>(dialog, comboName);
    ASSERT_NE(combo, nullptr);
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

// The first data bytes of the messages of a status sent to a recording output, in order: the
// notes switched on (0x90) or off (0x80), the programs chosen (0xC0).
inline std::vector<int> notesWithStatus(const sound::RecordingMidiOutput& midi, int status) {
    std::vector<int> notes;
    for (const uint32_t message : midi.messages())
        if (sound::statusOf(message) == status)
            notes.push_back(sound::data1Of(message));
    return notes;
}

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_library = std::make_unique<library::SongLibrary>(
            library::LibraryFolders(m_dir.path().toStdString()));
        beforeWindow();
        openWindow();
    }

    // Runs before the window is made: a test prepares the library or the settings file here.
    virtual void beforeWindow() {}

    // A window opened again starts with no answers, questions or dialogs on record.
    void openWindow() {
        m_ui = {};
        m_dialogTitles.clear();
        m_window = std::make_unique<MainWindow>(m_ui, m_midi, *m_library, m_asker);
        m_asker.setParentWindow(m_window.get());
        m_window->setDialogRunner([this](QDialog& dialog) { answerDialog(dialog); });
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        m_combo = child<QComboBox>("cmb");
        m_txt = child<melody::MelodyTextEdit>("txt");
        m_pnl = child<QPlainTextEdit>("pnl");
        m_panel = child<QLabel>("stsPanel1");
        m_play = child<QPushButton>("cmdPlay");
        m_songName = child<QLabel>("lblM");
        m_musicBox = child<MusicBox>("lvwMusicBox");
        m_staff = child<melody::StaffView>("cm5");
    }

    // A dialog that no script expects is cancelled, so it changes nothing.
    void answerDialog(QDialog& dialog) {
        m_dialogTitles.push_back(dialog.windowTitle());
        m_answering = &dialog;
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        if (m_dialogScripts.empty()) {
            dialog.reject();
        } else {
            const DialogScript script = std::move(m_dialogScripts.front());
            m_dialogScripts.pop_front();
            script(dialog);
        }
        m_answering = nullptr;
    }

    void TearDown() override {
        // Closing may ask to save; the tests that care answer themselves.
        if (m_window)
            m_window->session().setSavedMelody(m_window->melodyText());
        m_window.reset();
    }

    template <typename Widget> Widget* child(const char* name) {
        return dialogChild<Widget>(*m_window, name);
    }

    void clickToolButton(const char* toolbar, const char* key) {
        clickToolAction(*m_window, toolbar, key);
    }

    // Sends a key to the widget that has the focus.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, key, modifiers);
    }

    // The user of the next dialog the window opens: the dialog is shown, then handed to the
    // script, which fills it in and closes it.
    using DialogScript = std::function<void(QDialog&)>;
    void queueDialog(DialogScript script) { m_dialogScripts.push_back(std::move(script)); }

    void setMelody(const QString& text) { m_window->setMelodyText(text.toStdU16String()); }
    QString melody() const { return QString::fromStdU16String(m_window->melodyText()); }

    settings::SettingsFile settingsFile() const {
        return settings::SettingsFile(m_library->folders().settingsFile());
    }

    // Stores a song in the library as the program saves one.
    void storeSong(const std::u16string& name, const std::u16string& melody,
                   const std::u16string& tempo = u"120") {
        const library::SongInfo info = library::newSongInfo(
            {name, u"作曲者", u"", u"", tempo}, u"テスト", std::chrono::system_clock::now());
        melody::ParserState state;
        ASSERT_TRUE(m_library->saveSong(info, melody, {}, state, m_ui).ok());
    }

    QTemporaryDir m_dir;
    std::unique_ptr<library::SongLibrary> m_library;
    RecordingInteractive m_ui;
    sound::RecordingMidiOutput m_midi;
    std::deque<DialogScript> m_dialogScripts;
    std::vector<QString> m_dialogTitles; // of the dialogs the window opened, in order
    QDialog* m_answering = nullptr;      // the dialog answerDialog() is showing
    DialogSongPropertiesAsker m_asker{m_ui, [this](QDialog& dialog) {
                                          answerDialog(dialog);
                                      }};
    std::unique_ptr<MainWindow> m_window;
    QComboBox* m_combo = nullptr;
    melody::MelodyTextEdit* m_txt = nullptr;
    QPlainTextEdit* m_pnl = nullptr;
    QLabel* m_panel = nullptr;
    QPushButton* m_play = nullptr;
    QLabel* m_songName = nullptr;
    MusicBox* m_musicBox = nullptr;
    melody::StaffView* m_staff = nullptr;
};

} // namespace sarvo::app::testing
