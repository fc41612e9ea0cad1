#include "melody/keyboardinputcontroller.h"

#include "common/ui/coretext.h"

#include "melody/melodytextedit.h"
#include "melody/onscreenkeyboard.h"
#include "melody/qtkeyevent.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QWidget>

#include <utility>

namespace sarvo::melody {
namespace {

constexpr int kTypeKeyMilliseconds = 1000;

QString toQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

KeyboardInputController::KeyboardInputController(MelodyTextEdit& text, StaffModel& staff,
                                                 IInteractive& ui, ParserState& state,
                                                 QObject* parent)
    : QObject(parent)
    , m_text(text)
    , m_state(state)
    , m_staff(staff, state, m_melody)
    , m_input(*this, m_staff, ui, state) {
    m_typeKeyTimer.setSingleShot(true);
    m_typeKeyTimer.setInterval(kTypeKeyMilliseconds);
    connect(&m_typeKeyTimer, &QTimer::timeout, this, [this] { m_input.typeKeyTimeout(); });
    connect(&m_text, &MelodyTextEdit::clicked, this,
            [this](int position) { edit([&] { m_input.clickText(m_melody, position); }); });
    connect(&m_text, &MelodyTextEdit::selectionExtended, this,
            [this] { edit([&] { KeyboardInput::widenSelectionToTokens(m_melody); }); });
    // A change of the text that no guarded edit made (a whole new text set from outside) refills
    // the staff.
    connect(&m_text, &QPlainTextEdit::textChanged, this, [this] {
        if (m_state.editGuard)
            return;
        m_melody = m_text.melody();
        m_staff.rebuild();
    });
}

void KeyboardInputController::watch(QWidget* widget) {
    widget->installEventFilter(this);
}

void KeyboardInputController::attachKeyboard(OnScreenKeyboard* keyboard) {
    m_keyboard = keyboard;
    keyboard->setKeyMap(m_input.keyMap());
    connect(keyboard, &OnScreenKeyboard::keyPressed, this, [this](int row, int column) {
        edit([&] { m_input.pressKeyPanel(row, column, m_melody); });
    });
    connect(keyboard, &OnScreenKeyboard::keyReleased, this,
            [this](int row, int column) { m_input.releaseKeyPanel(row, column); });
    connect(keyboard, &OnScreenKeyboard::slurPressed, this,
            [this] { edit([&] { m_input.pressSlurPanel(m_melody); }); });
    connect(keyboard, &OnScreenKeyboard::clearPressed, this,
            [this] { edit([&] { m_input.pressClearPanel(m_melody); }); });
    connect(keyboard, &OnScreenKeyboard::refreshPressed, this,
            [this] { edit([&] { m_input.pressRefreshPanel(m_melody); }); });
}

void KeyboardInputController::setKeyMap(int keyMap) {
    m_input.setKeyMap(keyMap);
    if (m_keyboard)
        m_keyboard->setKeyMap(m_input.keyMap());
}

void KeyboardInputController::pressLengthButton(int entry) {
    edit([&] { m_input.pressLengthButton(entry, m_melody); });
}

void KeyboardInputController::pressDotButton() {
    edit([&] { m_input.pressDotButton(m_melody); });
}

void KeyboardInputController::pressTupletButton(char16_t kind) {
    edit([&] { m_input.pressTupletButton(kind, m_melody); });
}

template <typename Edit> void KeyboardInputController::edit(Edit&& action) {
    m_melody = m_text.melody();
    const std::u16string before = m_melody.text;
    m_editing = true;
    action();
    m_editing = false;
    m_state.editGuard = true;
    m_text.setMelody(m_melody);
    m_state.editGuard = false;
    if (m_melody.text != before)
        emit melodyEdited();
    // A view shown again by the edit (clearing, refreshing) must see the edited text.
    if (const std::optional<int> view = std::exchange(m_viewAfterEdit, std::nullopt))
        emit viewRequested(*view);
}

bool KeyboardInputController::keyPress(const QKeyEvent& event) {
    const std::optional<KeyEvent> key = toKeyEvent(event);
    if (!key)
        return false;
    KeyResult result = KeyResult::NotHandled;
    edit([&] { result = m_input.keyDown(*key, m_melody); });
    return result == KeyResult::Handled;
}

void KeyboardInputController::keyRelease(const QKeyEvent& event) {
    if (const std::optional<KeyEvent> key = toKeyEvent(event))
        m_input.keyUp(*key);
}

bool KeyboardInputController::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // Keys note input knows are its own: the window's shortcuts do not take them.
        auto* key = static_cast<QKeyEvent*>(event);
        if (toKeyEvent(*key)) {
            event->accept();
            return true;
        }
        break;
    }
    case QEvent::KeyPress: return keyPress(*static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease: keyRelease(*static_cast<QKeyEvent*>(event)); break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

void KeyboardInputController::beep() {
    QApplication::beep();
}

void KeyboardInputController::showStatus(std::u16string_view message) {
    emit statusMessage(ui::coreText(message));
}

void KeyboardInputController::previewNoteOn(uint16_t keyCode, int midiNote, char16_t lengthCode,
                                            bool autoRepeat) {
    emit noteKeyDown(static_cast<int>(keyCode), midiNote, QChar(lengthCode), autoRepeat);
}

void KeyboardInputController::previewNoteOff(uint16_t keyCode, int midiNote, bool fromPanel) {
    emit noteKeyUp(static_cast<int>(keyCode), midiNote, fromPanel);
}

void KeyboardInputController::setKeyPanelPressed(int row, int column, bool pressed) {
    if (m_keyboard)
        m_keyboard->setPanelPressed(row, column, pressed);
}

void KeyboardInputController::setLengthButton(int entry) {
    emit lengthButtonChanged(entry);
}

std::u16string KeyboardInputController::clipboardText() {
    return QApplication::clipboard()->text().toStdU16String();
}

void KeyboardInputController::setClipboardText(std::u16string_view text) {
    QApplication::clipboard()->setText(toQString(text));
}

void KeyboardInputController::selectView(int index) {
    if (m_editing)
        m_viewAfterEdit = index;
    else
        emit viewRequested(index);
}

void KeyboardInputController::pressFunctionKey(int number) {
    emit functionKeyPressed(number);
}

void KeyboardInputController::startTypeKeyTimer() {
    m_typeKeyTimer.start();
}

} // namespace sarvo::melody
