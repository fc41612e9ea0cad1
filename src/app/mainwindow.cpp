#include "app/mainwindow.h"

#include "app/commandtoolbar.h"
#include "app/musicbox.h"
#include "app/playbutton.h"
#include "app/qtext.h"
#include "app/timedtaskdriver.h"
#include "app/transposebar.h"
#include "app/viewselector.h"
#include "app/windowstatusbar.h"
#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/phonetypes.h"
#include "melody/caretediting.h"
#include "melody/transpose.h"
#include "sound/melodyplayer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStackedWidget>
#include <QTextCursor>
#include <QVBoxLayout>

namespace sarvo::app {
namespace {

// The key text pads its cells with ideographic spaces, so the editors use a fixed-pitch font
// with Japanese glyphs; Qt falls back along the list when a family is not installed.
QFont editorFont() {
    QFont font;
    font.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック"),
                      QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("MS Gothic")});
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(12);
    return font;
}

QPlainTextEdit* makeEditor(const QString& objectName, QWidget* parent) {
    auto* editor = new QPlainTextEdit(parent);
    editor->setObjectName(objectName);
    editor->setFont(editorFont());
    return editor;
}

// Shows the busy cursor for the lifetime of the object.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

MainWindow::MainWindow(IInteractive& ui, sound::IMidiOutput& midi, QWidget* parent)
    : QMainWindow(parent)
    , m_ui(ui)
    , m_player(std::make_unique<sound::MelodyPlayer>(m_state, midi))
    , m_playerDriver(new TimedTaskDriver(*m_player, m_clock, this)) {
    m_state.noteShown = [this](int start, int length) {
        highlightPlayedNote(start, length);
    };
    setObjectName(QStringLiteral("frmSarvo"));
    setWindowTitle(QStringLiteral("Sarvo Ver 1.6Z"));
    buildToolBars();
    buildCentralArea();
    m_statusBar = new WindowStatusBar(this);
    setStatusBar(m_statusBar);
    buildShortcuts();
    resize(960, 680);
    showView(keyguide::kNoteInputView);
}

MainWindow::~MainWindow() {
    m_playerDriver->stop();
    m_player->stop();
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
    m_splitter->setSizes({180, 420});
    setCentralWidget(m_splitter);

    connect(m_musicBox, &MusicBox::listEventDone, this, &MainWindow::focusEditor);
}

QWidget* MainWindow::buildEditingArea() {
    auto* area = new QWidget(m_splitter);
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(4, 2, 4, 2);

    auto* nameRow = new QHBoxLayout;
    auto* nameCaption = new QLabel(QStringLiteral("曲名："), area);
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

    auto* toolRow = new QHBoxLayout;
    m_transposeBar = new TransposeBar(area);
    m_playButton = new PlayButton(area);
    toolRow->addWidget(m_transposeBar);
    toolRow->addStretch(1);
    toolRow->addWidget(m_playButton);
    layout->addLayout(toolRow);

    m_views = new QStackedWidget(area);
    m_melodyEdit = makeEditor(QStringLiteral("txt"), m_views);
    m_keyGuideEdit = makeEditor(QStringLiteral("pnl"), m_views);
    m_views->addWidget(m_melodyEdit);
    m_views->addWidget(m_keyGuideEdit);
    layout->addWidget(m_views, 1);

    connect(m_viewSelector, &ViewSelector::viewChosen, this, &MainWindow::showView);
    connect(m_transposeBar, &TransposeBar::transposeRequested, this, &MainWindow::transpose);
    connect(m_playButton, &QPushButton::clicked, this, [this] { runCommand(WindowCommand::Play); });
    return area;
}

void MainWindow::buildShortcuts() {
    // The window sees every key before its controls do.
    qApp->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return QMainWindow::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return QMainWindow::eventFilter(watched, event);
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    const int key = keyEvent->key();
    const Qt::KeyboardModifiers modifiers =
        keyEvent->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);

    // A shortcut override that is accepted reaches the widget as a key press; the window takes
    // the keys it handles at the press.
    const bool press = event->type() == QEvent::KeyPress;
    auto handled = [&] {
        if (!press)
            event->accept();
        return !press;
    };

    if (isPlaying() && key != Qt::Key_F4)
        return press || handled();
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12 && modifiers == Qt::NoModifier) {
        if (!press)
            return handled();
        if (const auto command = commandForFunctionKey(key - Qt::Key_F1 + 1))
            runCommand(*command);
        return true;
    }
    if (modifiers == Qt::AltModifier) {
        int target = -1;
        if (key == Qt::Key_1)
            target = keyguide::kNoteInputView;
        else if (key == Qt::Key_2)
            target = keyguide::kStaffInputView;
        else if (key == Qt::Key_Up)
            target = m_viewSelector->current() - 1;
        else if (key == Qt::Key_Down)
            target = m_viewSelector->current() + 1;
        else
            return QMainWindow::eventFilter(watched, event);
        if (!press)
            return handled();
        selectView(target);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
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
    if (keyguide::phoneTypeByIndex(index))
        showKeyGuide(index);
    else if (index >= 0)
        showMelodyInput();
}

void MainWindow::showMelodyInput() {
    // The staff view (entry 1) is not built yet; until it is, it shows the note input.
    m_keyGuideEdit->clear();
    m_statusBar->setMessage(QString());
    m_views->setCurrentWidget(m_melodyEdit);
    focusEditor();
}

void MainWindow::showKeyGuide(int typeIndex) {
    m_keyGuideEdit->clear();
    {
        BusyCursor busy;
        const std::u16string keys = keyguide::convertToKeys(typeIndex, melodyText(), m_state, m_ui);
        m_keyGuideEdit->setPlainText(toQString(keys));
    }
    m_statusBar->setMessage(toQString(keyguide::phoneTypeByIndex(typeIndex)->capacity));
    m_views->setCurrentWidget(m_keyGuideEdit);
    m_keyGuideEdit->setFocus();
}

void MainWindow::focusEditor() {
    m_views->currentWidget()->setFocus();
}

void MainWindow::runCommand(WindowCommand command) {
    if (isPlaying() && !runsWhilePlaying(command))
        return;
    switch (command) {
    case WindowCommand::Play: togglePlay(); break;
    case WindowCommand::Refresh: selectView(currentView()); break;
    case WindowCommand::Close: close(); break;
    default: showUnavailable(); break;
    }
}

void MainWindow::showUnavailable() {
    m_statusBar->setMessage(toQString(kUnavailableMessage));
}

std::u16string MainWindow::melodyText() const {
    return toU16(m_melodyEdit->toPlainText());
}

void MainWindow::setMelodyText(std::u16string_view text) {
    const bool guarded = m_state.editGuard;
    m_state.editGuard = true;
    m_melodyEdit->setPlainText(toQString(text));
    m_state.editGuard = guarded;
}

QString MainWindow::songName() const {
    return m_songNameLabel->text();
}

void MainWindow::setSongName(const QString& name) {
    m_songNameLabel->setText(name);
}

void MainWindow::transpose(int direction) {
    if (isPlaying())
        return;
    const int caret = m_melodyEdit->textCursor().position();
    setMelodyText(melody::transposeMelody(m_state, melodyText(), direction));
    QTextCursor cursor = m_melodyEdit->textCursor();
    cursor.setPosition(std::min(caret, static_cast<int>(m_melodyEdit->toPlainText().size())));
    m_melodyEdit->setTextCursor(cursor);
    // A key guide on show follows the transposed melody.
    if (keyguide::phoneTypeByIndex(currentView()))
        showKeyGuide(currentView());
    else
        focusEditor();
}

void MainWindow::togglePlay() {
    if (isPlaying())
        stopPlaying();
    else
        startPlaying();
}

void MainWindow::startPlaying() {
    m_playButton->setPlaying(true);
    m_melodyBeforePlaying = melodyText();
    if (keyguide::phoneTypeByIndex(currentView())) {
        // What plays is what the phone type can express: its key text read back.
        const std::u16string keys = toU16(m_keyGuideEdit->toPlainText());
        setMelodyText(keyguide::readKeys(currentView(), keys, m_state, m_ui));
        m_views->setCurrentWidget(m_melodyEdit);
    }
    m_viewSelector->setEnabled(false);
    focusEditor();
    m_player->start(melodyText(), m_melodyEdit->textCursor().position(), m_clock.now());
    m_playerDriver->run();
}

void MainWindow::stopPlaying() {
    m_playerDriver->stop();
    m_player->stop();
    m_playButton->setPlaying(false);
    m_viewSelector->setEnabled(true);
    setMelodyText(m_melodyBeforePlaying);
    m_melodyBeforePlaying.clear();
    // The view of the selector comes back; a key guide is converted again.
    showView(currentView());
}

void MainWindow::highlightPlayedNote(int start, int length) {
    QTextCursor cursor = m_melodyEdit->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    m_melodyEdit->setTextCursor(cursor);
}

bool MainWindow::settleUnsavedChanges() {
    if (melodyText() == m_savedMelody)
        return true;
    const std::u16string question = u"「" + toU16(songName()) + u"」を保存しますか？";
    switch (m_ui.askQuestion(question, QuestionButtons::YesNoCancel)) {
    case Answer::No: return true;
    case Answer::Cancel: return false;
    case Answer::Yes:
        // Saving belongs to the song library; until it is there the window stays open, so
        // that the melody is not lost.
        showUnavailable();
        return false;
    }
    return false;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Stopping puts back the melody that was edited, which is what the save question is about.
    if (isPlaying())
        stopPlaying();
    if (!settleUnsavedChanges()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace sarvo::app
