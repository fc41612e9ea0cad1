#include "app/windowdialogs.h"

#include "app/chordplayback.h"
#include "app/helpwindow.h"
#include "app/mainwindow.h"
#include "app/qtext.h"
#include "app/songsession.h"
#include "app/soundsettings.h"
#include "formats/ui/importdialog.h"
#include "keyguide/keyreading.h"
#include "keyguide/phonetypes.h"
#include "settings/profilenumbers.h"
#include "settings/ui/settingsdialog.h"
#include "sound/ui/midiplaydialog.h"

#include <chrono>

namespace sarvo::app {
namespace {

constexpr int kKeyTextOption = 0;

std::vector<std::u16string> names(const QStringList& list) {
    std::vector<std::u16string> out;
    for (const QString& name : list)
        out.push_back(toU16(name));
    return out;
}

} // namespace

WindowDialogs::WindowDialogs(MainWindow& window, IInteractive& ui, sound::IMidiOutput& midi,
                             ISongPropertiesAsker& asker)
    : QObject(&window)
    , m_window(window)
    , m_ui(ui)
    , m_midi(midi)
    , m_asker(asker)
    , m_port(dynamic_cast<sound::MidiOutputPort*>(&midi)) {
    if (!m_port) {
        std::vector<sound::MidiPortEntry> lent;
        lent.push_back({std::u16string(sound::kDefaultPortLabel), "lent", 0, [&midi] {
                            return sound::OpenedOutput{
                                std::make_unique<sound::ForwardingMidiOutput>(midi), {}};
                        }});
        m_lentPort = std::make_unique<sound::MidiOutputPort>(ui, std::move(lent));
    }
}

WindowDialogs::~WindowDialogs() = default;

void WindowDialogs::openSettings() {
    const settings::SettingsFile file(m_window.session().library().folders().settingsFile());
    if (!m_settings)
        m_settings = new settings::SettingsDialog(m_ui, m_midi, m_port, &m_window);
    m_settings->load(file);
    m_runner(*m_settings);
    m_settings->hide();
    if (m_settings->isSaved())
        m_window.applyPreferences();
}

void WindowDialogs::openImport(int option, const std::filesystem::path& file) {
    if (!m_import) {
        m_import = new formats::ImportDialog(m_ui, &m_window);
        m_import->setImporter(
            [this](const formats::ImportRequest& request) { return importFile(request); });
    }
    const int view = m_window.currentView();
    m_import->choose(option, keyguide::phoneTypeByIndex(view) ? view : keyguide::kFirstPhoneType);
    if (!file.empty())
        m_import->setPath(file);
    m_runner(*m_import);
    m_import->hide();
}

bool WindowDialogs::importFile(const formats::ImportRequest& request) {
    const formats::ImportedFile file = formats::readImport(request);
    if (!file.error.empty()) {
        m_ui.showMessage(u"インポート中にファイルの読込で失敗しました。");
        return false;
    }
    // A stored song being edited is offered for saving before its melody is replaced (as when
    // another song is loaded); a file that cannot be read asks nothing.
    if (m_window.session().current() && !m_window.session().settleChanges(m_window.melodyText()))
        return false;
    if (request.option == kKeyTextOption) {
        // The key text becomes the melody, shown as the keys of that type and so of any other.
        m_window.setMelodyText(
            keyguide::readKeys(request.typeIndex, file.melody, m_window.parserState(), m_ui));
        m_window.selectView(request.typeIndex);
    } else {
        m_window.setMelodyText(file.melody);
        m_window.selectView(m_window.currentView());
    }
    nameImportedSong(file, request.path.stem().u16string());
    return true;
}

void WindowDialogs::nameImportedSong(const formats::ImportedFile& file,
                                     const std::u16string& fileTitle) {
    library::SongPropertiesForm form;
    form.name = file.title.empty() ? fileTitle : file.title;
    if (file.tempo) {
        form.tempoNote = u"C";
        form.tempo = settings::numberText(*file.tempo);
    }
    form.voiceProgram = file.voice;
    const std::optional<library::SongProperties> named =
        m_asker.askSongProperties(u"インポート曲の指定", form);
    if (!named || !m_window.session().create(*named, m_window.melodyText()).ok())
        return;
    const settings::Preferences preferences =
        settings::SettingsFile(m_window.session().library().folders().settingsFile()).preferences();
    const auto now = std::chrono::system_clock::now();
    for (size_t part = 0; part < file.furtherParts.size(); ++part) {
        library::SongProperties sub = *named;
        sub.name = formats::subPartName(named->name, static_cast<int>(part) + 1);
        m_window.session().library().saveSong(library::newSongInfo(sub, preferences.userName, now),
                                              file.furtherParts[part], preferences.phoneTypes,
                                              m_window.parserState(), m_ui);
    }
    m_window.showRenamedSong();
}

bool WindowDialogs::playsAsChord() const {
    const settings::SettingsFile file(m_window.session().library().folders().settingsFile());
    return file.preferences().staffCursorStays || m_window.selectedSongs().size() > 1;
}

void WindowDialogs::playChord() {
    SongSession& session = m_window.session();
    ChordRequest request;
    QStringList selected = m_window.selectedSongs();
    if (selected.isEmpty() && session.current())
        selected << toQString(session.currentName());
    request.songs = chordSongs(session.library(), names(selected), session.currentName(),
                               m_window.melodyText());
    // A melody not yet saved plays alone.
    if (request.songs.empty())
        request.songs.push_back({m_window.melodyText(), {}, {}});
    request.view = m_window.currentView();
    request.settingsVoice = voiceProgram(
        settings::SettingsFile(session.library().folders().settingsFile()).preferences());
    const ChordWorkFiles files = chordWorkFiles();
    if (!writeChordMidi(request, files, m_window.parserState(), m_ui))
        return;
    sound::MidiPlayDialog player(m_port ? *m_port : *m_lentPort, m_ui, &m_window);
    player.load(files.midi);
    m_runner(player);
}

void WindowDialogs::openHelp() {
    if (!m_help)
        m_help = new HelpWindow(&m_window);
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

} // namespace sarvo::app
