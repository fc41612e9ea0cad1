#pragma once
// The settings dialog dlgSet: four tabs (sound and tempo, key assignment, fonts, phone types with
// the user name), each with a button that puts its values back to the defaults. It shows the
// settings file's preferences when opened and writes them, in the order of the file's table, only
// when closed with OK; OK is refused while no phone type is chosen.

#include "common/interaction.h"
#include "settings/preferences.h"
#include "settings/settingsfile.h"
#include "sound/midiports.h"

#include <QDialog>

#include <array>

class QListWidget;
class QRadioButton;
class QComboBox;
class QLineEdit;
class QTabWidget;

namespace sarvo::settings {

class FontGroup;
class SoundTab;

class SettingsDialog : public QDialog {
    Q_OBJECT

public:
    // midi sounds voice choices and the test scale; port (may be null) lists the output ports and
    // is reopened on a choice. All must outlive the dialog.
    SettingsDialog(IInteractive& ui, sound::IMidiOutput& midi, sound::MidiOutputPort* port,
                   QWidget* parent = nullptr);

    // Fills every control from the file; call before showing.
    void load(const SettingsFile& file);
    void setPreferences(const Preferences& preferences);
    Preferences preferences() const;
    // The preferences written by the last OK.
    bool isSaved() const { return m_saved; }

    // OK: checks the phone types, writes the file and closes; otherwise stays open.
    void accept() override;
    void reject() override;

signals:
    // A voice was chosen from the list (its General MIDI program), before OK.
    void voiceChosen(int program);

private:
    QWidget* buildKeyTab();
    QWidget* buildFontTab();
    QWidget* buildPhoneTypeTab();
    QPushButton* resetButton(int tab, QWidget* parent);
    void resetTab(int tab);
    void selectAllTypes(bool selected);

    IInteractive& m_ui;
    sound::IMidiOutput& m_midi;
    const SettingsFile* m_file = nullptr;
    bool m_saved = false;
    // The voice the dialog opened with, sounded again when it is cancelled.
    int m_openedVoice = 0;
    Preferences m_loaded;

    QTabWidget* m_tabs = nullptr;
    SoundTab* m_soundTab = nullptr;
    std::array<QRadioButton*, 3> m_keyMaps{};
    FontGroup* m_inputFont = nullptr;
    FontGroup* m_displayFont = nullptr;
    QListWidget* m_phoneTypes = nullptr;
    QLineEdit* m_userName = nullptr;
    QComboBox* m_language = nullptr;
};

} // namespace sarvo::settings
