#include "app/mainwindow.h"

#include "app/commandline.h"
#include "app/commandtoolbar.h"
#include "app/flowlayout.h"
#include "app/musicbox.h"
#include "app/nameclashdialog.h"
#include "app/notelengthbar.h"
#include "app/playbutton.h"
#include "app/qtext.h"
#include "app/songpropertiesasker.h"
#include "app/songsession.h"
#include "app/soundsettings.h"
#include "app/transposebar.h"
#include "app/viewselector.h"
#include "app/windowdialogs.h"
#include "app/windowplacement.h"
#include "app/windowstatusbar.h"
#include "cable/commdialog.h"
#include "keyguide/conversionreport.h"
#include "keyguide/keyreading.h"
#include "keyguide/phonetypes.h"
#include "mail/ui/maildialog.h"
#include "mail/ui/serverdialog.h"
#include "melody/caretediting.h"
#include "melody/keyboardinputcontroller.h"
#include "melody/melodytextedit.h"
#include "melody/notefont.h"
#include "melody/onscreenkeyboard.h"
#include "melody/staffview.h"
#include "melody/transpose.h"
#include "sound/melodyplayer.h"
#include "sound/notepreview.h"
#include "sound/ui/timedtaskdriver.h"
#include "sound/voicelist.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFont>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

namespace sarvo::app {
namespace {

constexpr QSize kDesignSize(960, 720);
constexpr int kDesignMusicBoxHeight = 150;

// The key guide pads its cells with ideographic spaces, so it is shown in a fixed-pitch font
// with Japanese glyphs: the chosen family first, installed fallbacks after it.
QFont keyGuideFont(const settings::FontChoice& choice) {
    QFont font;
    font.setFamilies({toQString(choice.name), QStringLiteral("IPAGothic"),
                      QStringLiteral("IPAゴシック"), QStringLiteral("Noto Sans Mono CJK JP")});
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(std::max(choice.size, 12));
    font.setBold(choice.bold);
    return font;
}

// The melody text is drawn in the note font; another chosen family comes first.
QFont melodyFont(const settings::FontChoice& choice) {
    QFont font = melody::melodyTextFont(choice.size, choice.bold);
    if (toQString(choice.name) != QLatin1String(melody::kNoteFontFamily)) {
        QStringList families = font.families();
        families.prepend(toQString(choice.name));
        font.setFamilies(families);
    }
    return font;
}

// Shows the busy cursor for the lifetime of the object.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// A song's voice is stored as its program number; the list shows the voice's name.
std::u16string voiceShown(const std::u16string& neiro) {
    if (const auto program = songProgram(neiro))
        if (const auto text = sound::voiceTextOfProgram(*program))
            return std::u16string(*text);
    return neiro;
}

MusicBoxEntry musicBoxEntry(const library::SongInfo& info) {
    const library::SongProperties& p = info.properties;
    return {p.name, {p.kashu, info.from, info.date, p.jan, p.body, p.tenpo, voiceShown(p.neiro)}};
}

bool isWithin(const QObject* object, const QWidget* ancestor) {
    for (; object; object = object->parent()) {
        if (object == ancestor)
            return true;
    }
    return false;
}

} // namespace

MainWindow::MainWindow(IInteractive& ui, sound::IMidiOutput& midi,
                       const library::SongLibrary& library, ISongPropertiesAsker& asker,
                       QWidget* parent)
    : QMainWindow(parent)
    , m_ui(ui)
    , m_midi(midi)
    , m_asker(asker)
    , m_settings(library.folders().settingsFile())
    , m_session(std::make_unique<SongSession>(library, ui, m_state))
    , m_player(std::make_unique<sound::MelodyPlayer>(m_state, midi))
    , m_preview(std::make_unique<sound::NotePreview>(midi))
    , m_playerDriver(new sound::TimedTaskDriver(*m_player, m_clock, this))
    , m_previewDriver(new sound::TimedTaskDriver(*m_preview, m_clock, this)) {
    setObjectName(QStringLiteral("frmSarvo"));
    setWindowTitle(QStringLiteral("Sarvo Ver 1.6Z"));
    m_state.noteShown = [this](int start, int length) {
        highlightPlayedNote(start, length);
    };
    // Saving a melody that has no song name yet opens the save dialog to name it.
    m_session->setNamer([this] { return askSongProperties(u"「」の保存"); });
    m_dialogs = new WindowDialogs(*this, ui, midi, asker);
    buildToolBars();
    buildCentralArea();
    m_statusBar = new WindowStatusBar(this);
    setStatusBar(m_statusBar);
    buildNoteInput();
    restorePlacement();
    applyPreferences();
    listSongs();
    showView(keyguide::kNoteInputView);
}

MainWindow::~MainWindow() {
    m_playerDriver->stop();
    m_player->stop();
    m_preview->silence();
}

void MainWindow::buildToolBars() {
    m_programBar = new CommandToolBar(QStringLiteral("tbTop"), programToolbarButtons(), this);
    m_songBar = new CommandToolBar(QStringLiteral("tbM"), songToolbarButtons(), this);
    addToolBar(Qt::TopToolBarArea, m_programBar);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_songBar);
    for (CommandToolBar* bar : {m_programBar, m_songBar})
        connect(bar, &CommandToolBar::commandTriggered, this, &MainWindow::runCommand);
}

void MainWindow::buildCentralArea() {
    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_splitter->setChildrenCollapsible(false);
    m_musicBox = new MusicBox(m_splitter);
    m_splitter->addWidget(m_musicBox);
    m_splitter->addWidget(buildEditingArea());
    m_splitter->handle(1)->setObjectName(QStringLiteral("Picture1"));
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    setCentralWidget(m_splitter);

    connect(m_musicBox, &MusicBox::songChosen, this, &MainWindow::loadSong);
    connect(m_musicBox, &MusicBox::listEventDone, this, &MainWindow::focusEditor);
}

QWidget* MainWindow::buildEditingArea() {
    auto* area = new QWidget(m_splitter);
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);

    auto* nameRow = new QHBoxLayout;
    auto* nameCaption = new QLabel(tr("曲名："), area);
    m_songNameLabel = new QLabel(area);
    m_songNameLabel->setObjectName(QStringLiteral("lblM"));
    m_songNameLabel->setFrameShape(QFrame::Panel);
    m_songNameLabel->setFrameShadow(QFrame::Sunken);
    m_songNameLabel->setMinimumWidth(200);
    m_viewSelector = new ViewSelector(area);
    nameRow->addWidget(nameCaption);
    nameRow->addWidget(m_songNameLabel, 1);
    nameRow->addSpacing(12);
    nameRow->addWidget(m_viewSelector, 2);
    layout->addLayout(nameRow);

    // The tool row wraps in a narrow window, so that no button hides behind a "»".
    auto* toolRow = new FlowLayout;
    m_lengthBar = new NoteLengthBar(area);
    m_tupletBar = new TupletBar(area);
    m_transposeBar = new TransposeBar(area);
    m_playButton = new PlayButton(area);
    for (QWidget* tools :
         std::initializer_list<QWidget*>{m_lengthBar, m_tupletBar, m_transposeBar, m_playButton})
        toolRow->addWidget(tools);
    layout->addLayout(toolRow);

    m_views = new QStackedWidget(area);
    m_melodyEdit = new melody::MelodyTextEdit(m_views);
    m_melodyEdit->setObjectName(QStringLiteral("txt"));
    m_staff = new melody::StaffView(m_views);
    m_staff->setObjectName(QStringLiteral("cm5"));
    m_keyGuideEdit = new QPlainTextEdit(m_views);
    m_keyGuideEdit->setObjectName(QStringLiteral("pnl"));
    m_views->addWidget(m_melodyEdit);
    m_views->addWidget(m_staff);
    m_views->addWidget(m_keyGuideEdit);
    layout->addWidget(m_views, 1);

    m_keyboard = new melody::OnScreenKeyboard(area);
    m_keyboard->setObjectName(QStringLiteral("keyboard"));
    layout->addWidget(m_keyboard);

    connect(m_viewSelector, &ViewSelector::viewChosen, this, &MainWindow::showView);
    connect(m_transposeBar, &TransposeBar::transposeRequested, this, &MainWindow::transpose);
    connect(m_playButton, &QPushButton::clicked, this, [this] { runCommand(WindowCommand::Play); });
    return area;
}

void MainWindow::buildNoteInput() {
    m_noteInput =
        new melody::KeyboardInputController(*m_melodyEdit, m_staff->model(), m_ui, m_state, this);
    m_noteInput->watch(m_melodyEdit);
    m_noteInput->watch(m_staff);
    m_noteInput->attachKeyboard(m_keyboard);
    // Keys typed anywhere else in the window reach note input first as well.
    qApp->installEventFilter(this);

    using Controller = melody::KeyboardInputController;
    connect(m_noteInput, &Controller::statusMessage, this, &MainWindow::showStatus);
    connect(m_noteInput, &Controller::noteKeyDown, this, &MainWindow::previewKeyDown);
    connect(m_noteInput, &Controller::noteKeyUp, this,
            [this](int keyCode, int, bool fromPanel) { previewKeyUp(keyCode, fromPanel); });
    connect(m_noteInput, &Controller::viewRequested, this, &MainWindow::selectView);
    connect(m_noteInput, &Controller::functionKeyPressed, this, [this](int number) {
        if (const auto command = commandForFunctionKey(number))
            runCommand(*command);
    });
    connect(m_noteInput, &Controller::lengthButtonChanged, m_lengthBar,
            &NoteLengthBar::setCurrentEntry);

    connect(m_lengthBar, &NoteLengthBar::entryPressed, this, [this](int entry) {
        m_noteInput->pressLengthButton(entry);
        focusEditor();
    });
    connect(m_lengthBar, &NoteLengthBar::dotPressed, this, [this] {
        m_noteInput->pressDotButton();
        focusEditor();
    });
    connect(m_tupletBar, &TupletBar::tupletPressed, this, [this](char16_t kind) {
        m_noteInput->pressTupletButton(kind);
        focusEditor();
    });
    connect(m_staff, &melody::StaffView::currentIndexClicked, this,
            &MainWindow::placeCaretAfterToken);
    // The window starts with the eighth note as the current length.
    m_lengthBar->setCurrentEntry(3);
}

void MainWindow::applyPreferences() {
    const settings::Preferences preferences = m_settings.preferences();
    m_noteInput->setKeyMap(preferences.keyMap);
    m_lengthBar->setKeyMap(preferences.keyMap);
    const sound::PlaybackTiming timing = playbackTiming(preferences);
    m_player->setTiming(timing);
    m_preview->setTiming(timing);
    m_preview->setMode(inputSoundMode(preferences.inputSound));
    m_melodyEdit->setFont(melodyFont(preferences.inputFont));
    m_keyGuideEdit->setFont(keyGuideFont(preferences.displayFont));
    m_session->setPhoneTypes(preferences.phoneTypes);
    m_session->setUserName(preferences.userName);
    m_voiceProgram = voiceProgram(preferences);
    if (m_voiceProgram)
        m_midi.sendShortMessage(sound::programChangeMessage(*m_voiceProgram));
}

void MainWindow::restorePlacement() {
    const settings::WindowPlacement placement = m_settings.windowPlacement();
    const double dpi = logicalDpiY();
    QSize size = kDesignSize;
    if (placement.width)
        size.setWidth(twipsToPixels(*placement.width, dpi));
    if (placement.height)
        size.setHeight(twipsToPixels(*placement.height, dpi));
    // On a small screen (800×600) neither the design size nor a size kept from a larger screen
    // may be larger than it, or the tool bars start above the screen's top.
    const QScreen* shown = screen();
    if (shown)
        size = size.boundedTo(shown->availableGeometry().size());
    resize(size);
    const int musicBoxHeight =
        placement.splitTop ? twipsToPixels(*placement.splitTop, dpi) : kDesignMusicBoxHeight;
    m_splitter->setSizes({musicBoxHeight, std::max(size.height() - musicBoxHeight, 1)});
    std::array<int, MusicBox::kStoredWidths> widths{};
    for (size_t column = 0; column < widths.size(); ++column)
        widths[column] = placement.columnWidths[column]
                             ? twipsToPixels(*placement.columnWidths[column], dpi)
                             : 0;
    m_musicBox->setStoredColumnWidths(widths);
    if (shown) {
        const QRect area = shown->availableGeometry();
        const Point corner = centredPosition(area.x(), area.y(), area.width(), area.height(),
                                             size.width(), size.height());
        move(corner.x, corner.y);
    }
}

void MainWindow::storePlacement() {
    const double dpi = logicalDpiY();
    settings::WindowPlacement placement;
    // The splitter's top is kept as the height of the music box above it.
    placement.splitTop = pixelsToTwips(m_splitter->sizes().value(0), dpi);
    const auto widths = m_musicBox->storedColumnWidths();
    for (size_t column = 0; column < widths.size(); ++column)
        placement.columnWidths[column] = pixelsToTwips(widths[column], dpi);
    placement.top = pixelsToTwips(y(), dpi);
    placement.left = pixelsToTwips(x(), dpi);
    placement.height = pixelsToTwips(height(), dpi);
    placement.width = pixelsToTwips(width(), dpi);
    m_settings.saveWindowPlacement(placement);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::KeyPress;
    if (!press && event->type() != QEvent::KeyRelease)
        return QMainWindow::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    // The melody text and the staff hand their keys to note input themselves.
    if (!widget || widget->window() != this || isWithin(widget, m_melodyEdit) ||
        isWithin(widget, m_staff))
        return QMainWindow::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    // The music box keeps its moving keys; every other key typed there is note input, as if
    // the focus had gone back to the editor.
    if (isWithin(widget, m_musicBox) && MusicBox::isNavigationKey(*key))
        return QMainWindow::eventFilter(watched, event);
    if (!press) {
        m_noteInput->keyRelease(*key);
        return QMainWindow::eventFilter(watched, event);
    }
    return m_noteInput->keyPress(*key) || QMainWindow::eventFilter(watched, event);
}

void MainWindow::selectView(int index) {
    if (isPlaying())
        return;
    m_viewSelector->select(index);
}

int MainWindow::currentView() const {
    return m_viewSelector->current();
}

void MainWindow::showView(int index) {
    if (isPlaying())
        return;
    m_noteInput->setCurrentView(index);
    m_keyGuideEdit->clear();
    if (keyguide::phoneTypeByIndex(index))
        showKeyGuide(index);
    else if (index == keyguide::kStaffInputView)
        showStaff();
    else if (index == keyguide::kNoteInputView)
        showMelodyInput();
}

void MainWindow::showMelodyInput() {
    m_statusBar->setMessage(QString());
    m_views->setCurrentWidget(m_melodyEdit);
    focusEditor();
}

void MainWindow::showStaff() {
    m_staff->rebuild(m_state, melodyText());
    m_staff->setCurrentIndex(melody::tokenIndexAtCaret(m_melodyEdit->melody()));
    m_staff->refreshCur();
    m_statusBar->setMessage(QString());
    m_views->setCurrentWidget(m_staff);
    focusEditor();
}

void MainWindow::showKeyGuide(int typeIndex) {
    keyguide::ReportedConversion converted;
    {
        BusyCursor busy;
        converted = keyguide::convertWithReport(typeIndex, melodyText(), m_state, m_ui);
        m_keyGuideEdit->setPlainText(toQString(converted.keys));
    }
    m_views->setCurrentWidget(m_keyGuideEdit);
    m_keyGuideEdit->setFocus();
    // The capacity text may promise that everything fits: after an error the report stands there.
    if (converted.report.empty()) {
        m_statusBar->setMessage(toQString(keyguide::phoneTypeByIndex(typeIndex)->capacity));
        return;
    }
    m_statusBar->setMessage(
        toQString(converted.report).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    m_ui.showMessage(converted.report);
}

void MainWindow::focusEditor() {
    m_views->currentWidget()->setFocus();
}

void MainWindow::showStatus(const QString& text) {
    m_statusBar->setMessage(text);
}

void MainWindow::runCommand(WindowCommand command) {
    if (isPlaying() && !runsWhilePlaying(command))
        return;
    switch (command) {
    case WindowCommand::Play: togglePlay(); break;
    case WindowCommand::Refresh: selectView(currentView()); break;
    case WindowCommand::Close: close(); break;
    case WindowCommand::New: newSong(); break;
    case WindowCommand::Open: changeSongProperties(); break;
    case WindowCommand::Save: saveSong(); break;
    case WindowCommand::Delete: deleteSelectedSong(); break;
    case WindowCommand::Folder: openGuideFolder(); break;
    case WindowCommand::Settings: m_dialogs->openSettings(); break;
    case WindowCommand::Change: m_dialogs->openImport(0); break;
    case WindowCommand::Help: m_dialogs->openHelp(); break;
    case WindowCommand::Comm: openCableDialog(); break;
    case WindowCommand::Mail:
    case WindowCommand::Server: openMailDialog(command); break;
    }
}

void MainWindow::openImportOf(const std::filesystem::path& file) {
    if (const auto option = importOptionOf(file))
        m_dialogs->openImport(*option, file);
}

std::u16string MainWindow::melodyText() const {
    return m_melodyEdit->melody().text;
}

void MainWindow::setMelodyText(std::u16string_view text) {
    const bool guarded = m_state.editGuard;
    m_state.editGuard = true;
    // The caret goes to the end, where typing goes on.
    const int end = static_cast<int>(text.size());
    m_melodyEdit->setMelody({std::u16string(text), end, 0});
    m_state.editGuard = guarded;
    m_staff->rebuild(m_state, text);
}

int MainWindow::tokensBeforeCaret() const {
    return melody::tokenIndexAtCaret(m_melodyEdit->melody());
}

void MainWindow::placeCaretAfterToken(int tokens) {
    melody::MelodyText text = m_melodyEdit->melody();
    melody::moveCaretToToken(text, tokens);
    text.selection = 0;
    const bool guarded = m_state.editGuard;
    m_state.editGuard = true;
    m_melodyEdit->setMelody(text);
    m_state.editGuard = guarded;
}

void MainWindow::listSongs() {
    BusyCursor busy;
    showStatus(tr("曲読込中"));
    std::vector<MusicBoxEntry> entries;
    for (const library::SongInfo& info : m_session->library().listSongs())
        entries.push_back(musicBoxEntry(info));
    m_musicBox->setEntries(entries);
    if (m_session->current())
        m_musicBox->selectSong(toQString(m_session->currentName()));
    showStatus(QString());
}

bool MainWindow::openSong(const QString& name) {
    listSongs();
    if (!m_musicBox->selectSong(name))
        return false;
    const bool loaded = m_session->load(toU16(name), melodyText()).has_value();
    if (loaded)
        showCurrentSong();
    return loaded;
}

QString MainWindow::songName() const {
    return m_songNameLabel->text();
}

void MainWindow::loadSong(const QString& name) {
    if (isPlaying())
        return;
    const std::optional<library::Song> song = m_session->load(toU16(name), melodyText());
    if (!song) {
        // A declined load leaves the current song selected.
        if (m_session->current())
            m_musicBox->selectSong(toQString(m_session->currentName()));
        return;
    }
    showCurrentSong();
}

void MainWindow::showCurrentSong() {
    setMelodyText(m_session->savedMelody());
    m_songNameLabel->setText(toQString(m_session->currentName()));
    // A key guide or the staff on show follows the loaded melody.
    if (currentView() != keyguide::kNoteInputView)
        showView(currentView());
}

std::optional<library::SongProperties> MainWindow::askSongProperties(std::u16string_view title) {
    const library::SongInfo row = m_session->current().value_or(library::SongInfo{});
    library::SongPropertiesForm form = library::formForRow(row);
    // A song without a voice of its own is shown with the voice of the settings.
    if (!form.voiceProgram)
        form.voiceProgram = m_voiceProgram;
    return m_asker.askSongProperties(title, form);
}

void MainWindow::newSong() {
    // A stored song that changed is offered for saving before the melody takes a new name.
    if (m_session->current() && !m_session->settleChanges(melodyText()))
        return;
    const std::optional<library::SongProperties> properties = askSongProperties(u"新規曲の指定");
    if (properties && m_session->create(*properties, melodyText()).ok())
        showRenamedSong();
    focusEditor();
}

void MainWindow::changeSongProperties() {
    if (!m_session->current())
        return;
    const std::optional<library::SongProperties> properties =
        askSongProperties(u"「" + m_session->currentName() + u"」の曲名／コメントの変更");
    if (properties && m_session->update(*properties))
        showRenamedSong();
    focusEditor();
}

void MainWindow::saveSong() {
    const std::optional<library::SongProperties> properties =
        askSongProperties(u"「" + m_session->currentName() + u"」の保存");
    if (!properties)
        return;
    const bool named = m_session->current() && m_session->currentName() == properties->name;
    {
        BusyCursor busy;
        m_session->saveAs(*properties, melodyText());
    }
    if (!named)
        showRenamedSong();
    else
        listSongs();
    focusEditor();
}

void MainWindow::showRenamedSong() {
    listSongs();
    m_songNameLabel->setText(toQString(m_session->currentName()));
}

void MainWindow::deleteSelectedSong() {
    const QString name = m_musicBox->currentSong();
    if (name.isEmpty())
        return;
    const bool wasCurrent = toU16(name) == m_session->currentName();
    if (!m_session->remove(toU16(name)))
        return;
    QTreeWidgetItem* item = m_musicBox->currentItem();
    const int row = m_musicBox->indexOfTopLevelItem(item);
    delete item;
    if (wasCurrent)
        m_songNameLabel->clear();
    // A neighbouring song takes the selection.
    if (QTreeWidgetItem* neighbour =
            m_musicBox->topLevelItem(std::min(row, m_musicBox->topLevelItemCount() - 1)))
        m_musicBox->setCurrentItem(neighbour);
    focusEditor();
}

void MainWindow::openCableDialog() {
    if (!m_commDialog) {
        m_commDialog = new cable::CommDialog(m_settings, m_ui, this);
        m_commDialog->setWriteSource([this] {
            cable::CableWriteSource source;
            source.melody = melodyText();
            // A phone type on show writes what it can express: its key text read back.
            if (keyguide::phoneTypeByIndex(currentView()))
                source.melody = keyguide::readKeys(
                    currentView(), toU16(m_keyGuideEdit->toPlainText()), m_state, m_ui);
            source.title = toU16(songName());
            // The songs after the current one in the music box are a chord's further parts.
            const int current = m_musicBox->indexOfTopLevelItem(m_musicBox->currentItem());
            for (int row = current + 1;
                 row < m_musicBox->topLevelItemCount() && source.furtherParts.size() < 3; ++row) {
                const auto song =
                    m_session->library().loadSong(toU16(m_musicBox->topLevelItem(row)->text(0)));
                if (song)
                    source.furtherParts.push_back(song->melody);
            }
            source.voice = m_voiceProgram.value_or(formats::kDefaultVoice);
            return source;
        });
        // A melody read from the phone goes into the editor, where the user names and saves it.
        connect(m_commDialog, &cable::CommDialog::melodyRead, this, [this](const QString& melody) {
            setMelodyText(toU16(melody));
            if (currentView() != keyguide::kNoteInputView)
                showView(currentView());
        });
    }
    m_commDialog->open();
}

void MainWindow::openMailDialog(WindowCommand command) {
    mail::MailContext context{m_session->library(), m_ui};
    context.melody = melodyText();
    if (m_session->current())
        context.song = m_session->current()->properties;
    for (const QString& name : m_musicBox->selectedSongs())
        context.selected.push_back(toU16(name));
    context.voiceProgram = m_voiceProgram.value_or(formats::kDefaultVoice);
    context.offerToSaveEditedSong = [this] {
        m_session->settleChanges(melodyText());
    };
    context.saveEditedSong = [this] {
        if (m_session->isChanged(melodyText()))
            m_session->save(melodyText());
    };
    context.chooseOnClash = [this](const std::u16string& name) {
        NameClashDialog dialog(name, m_ui, this);
        dialog.exec();
        return dialog.decision();
    };
    context.songsStored = [this](const std::vector<std::u16string>& names) {
        listSongs();
        openSong(QString::fromStdU16String(names.back()));
    };
    QDialog* dialog = command == WindowCommand::Server
                          ? static_cast<QDialog*>(new mail::ServerDialog(context, this))
                          : new mail::MailDialog(context, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void MainWindow::openGuideFolder() {
    const std::filesystem::path folder = m_session->folderToShow();
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const QString path = QString::fromStdU16String(folder.u16string());
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        showStatus(tr("フォルダを開くファイルマネージャが起動できません：") + path);
}

void MainWindow::transpose(int direction) {
    if (isPlaying())
        return;
    // Sharps come and go, so the caret keeps its place by tokens, not characters.
    const int tokens = tokensBeforeCaret();
    setMelodyText(melody::transposeMelody(m_state, melodyText(), direction));
    placeCaretAfterToken(tokens);
    // The view on show follows the transposed melody.
    if (currentView() != keyguide::kNoteInputView)
        showView(currentView());
    else
        focusEditor();
}

void MainWindow::togglePlay() {
    if (isPlaying())
        stopPlaying();
    else if (m_dialogs->playsAsChord())
        m_dialogs->playChord();
    else
        startPlaying();
}

void MainWindow::setDialogRunner(std::function<void(QDialog&)> runner) {
    m_dialogs->setRunner(std::move(runner));
}

QStringList MainWindow::selectedSongs() const {
    return m_musicBox->selectedSongs();
}

void MainWindow::startPlaying() {
    m_preview->silence();
    // The song plays with its own voice; a song without one with the voice of the settings.
    std::optional<int> program = m_voiceProgram;
    if (m_session->current()) {
        if (const auto own = songProgram(m_session->current()->properties.neiro))
            program = own;
    }
    if (program)
        m_midi.sendShortMessage(sound::programChangeMessage(*program));
    m_playButton->setPlaying(true);
    m_melodyBeforePlaying = melodyText();
    const int tokens = tokensBeforeCaret();
    if (keyguide::phoneTypeByIndex(currentView())) {
        // What plays is what the phone type can express: its key text read back.
        const std::u16string keys = toU16(m_keyGuideEdit->toPlainText());
        setMelodyText(keyguide::readKeys(currentView(), keys, m_state, m_ui));
        m_views->setCurrentWidget(m_melodyEdit);
    }
    placeCaretAfterToken(tokens);
    m_viewSelector->setEnabled(false);
    m_staff->setAttribute(Qt::WA_TransparentForMouseEvents, true);
    focusEditor();
    m_player->start(melodyText(), m_melodyEdit->melody().caret, m_clock.now());
    m_playerDriver->run();
}

void MainWindow::stopPlaying() {
    m_playerDriver->stop();
    m_player->stop();
    m_playButton->setPlaying(false);
    m_viewSelector->setEnabled(true);
    m_staff->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    const int tokens = tokensBeforeCaret();
    setMelodyText(m_melodyBeforePlaying);
    m_melodyBeforePlaying.clear();
    // The caret stays at the note that played last.
    placeCaretAfterToken(tokens);
    // The view of the selector comes back; a key guide is converted again.
    showView(currentView());
}

void MainWindow::highlightPlayedNote(int start, int length) {
    if (m_views->currentWidget() == m_staff) {
        const std::u16string text = melodyText();
        const auto before =
            std::count(text.begin(), text.begin() + std::min<size_t>(start, text.size()), u' ');
        m_staff->setSel(static_cast<int>(before) + 1);
        m_staff->refreshCur();
        return;
    }
    m_melodyEdit->select(start, length);
}

void MainWindow::previewKeyDown(int keyCode, int midiNote, QChar lengthCode, bool autoRepeat) {
    m_preview->noteKeyDown(keyCode, midiNote, lengthCode.unicode(), autoRepeat, m_clock.now());
    if (const auto due = m_preview->nextDue())
        m_previewDriver->scheduleAt(*due);
}

void MainWindow::previewKeyUp(int keyCode, bool fromPanel) {
    if (fromPanel) {
        m_preview->panelReleased();
        // A released on-screen key gives the focus back to the melody text.
        if (m_views->currentWidget() == m_melodyEdit)
            m_melodyEdit->setFocus();
    } else {
        m_preview->noteKeyUp(keyCode, false);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Stopping puts back the melody that was edited, which is what the save question is about.
    if (isPlaying())
        stopPlaying();
    if (!m_session->settleChanges(melodyText())) {
        event->ignore();
        return;
    }
    // A minimized window keeps the placement of the previous run.
    if (!isMinimized())
        storePlacement();
    m_preview->silence();
    event->accept();
}

} // namespace sarvo::app
