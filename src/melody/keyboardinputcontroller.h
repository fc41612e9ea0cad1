#pragma once
// Note input in the window: the key handler behind the melody text box, the staff view, the
// on-screen keyboard and the length and tuplet toolbars. Keys typed in a watched widget reach
// note input before the widget (and before the window's shortcuts); the edits go to the text
// box and the staff model, and everything else the window has to do comes out as signals.
//
// Wiring: create it with the text box, the staff view's model and the window's walk state;
// watch() the text box and the staff view; attachKeyboard() the on-screen keyboard; connect the
// signals (status bar, note preview, view selector, function keys, length toolbar) and tell it
// the shown view with setCurrentView.

#include "common/interaction.h"
#include "melody/keyboardinput.h"
#include "melody/parserstate.h"
#include "melody/staffmodel.h"
#include "melody/staffmodelfollower.h"

#include <QObject>
#include <QTimer>

#include <optional>

class QKeyEvent;
class QWidget;

namespace sarvo::melody {

class MelodyTextEdit;
class OnScreenKeyboard;

class KeyboardInputController : public QObject, private IKeyInputHost {
    Q_OBJECT

public:
    // All references must outlive the controller. state is the window's walk state: its
    // IsPlaying makes note input ignore keys, its EditGuard is set while note input changes the
    // text box; a change of the text box's text made without it refills the staff.
    KeyboardInputController(MelodyTextEdit& text, StaffModel& staff, IInteractive& ui,
                            ParserState& state, QObject* parent = nullptr);

    KeyboardInput& input() { return m_input; }

    // Keys typed while the widget has the focus go to note input first.
    void watch(QWidget* widget);
    // Connects the on-screen keyboard's panels and keeps its captions on the key map.
    void attachKeyboard(OnScreenKeyboard* keyboard);

    void setKeyMap(int keyMap);
    // The view the window shows, for Alt+Up/Down, F5 and where refusals are written.
    void setCurrentView(int view) { m_view = view; }

    // The length toolbar (entries 0 to 10), its dot button and the tuplet buttons '3' and '6'.
    void pressLengthButton(int entry);
    void pressDotButton();
    void pressTupletButton(char16_t kind);

    // A key event for note input; true when note input used it.
    bool keyPress(const QKeyEvent& event);
    void keyRelease(const QKeyEvent& event);

signals:
    void statusMessage(const QString& message);
    // A pitch key or on-screen key went down: the note preview starts its note.
    void noteKeyDown(int keyCode, int midiNote, QChar lengthCode, bool autoRepeat);
    // The last pitch key came up, or an on-screen key was released (fromPanel).
    void noteKeyUp(int keyCode, int midiNote, bool fromPanel);
    // The view selector should select this entry (showing it again when it is the current one).
    void viewRequested(int index);
    void functionKeyPressed(int number);
    // Show this note-length entry's toolbar button pressed.
    void lengthButtonChanged(int entry);
    // Note input changed the melody text.
    void melodyEdited();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs an edit on the text box's melody and shows the result.
    template <typename Edit> void edit(Edit&& action);

    void beep() override;
    void showStatus(std::u16string_view message) override;
    void previewNoteOn(uint16_t keyCode, int midiNote, char16_t lengthCode,
                       bool autoRepeat) override;
    void previewNoteOff(uint16_t keyCode, int midiNote, bool fromPanel) override;
    void setKeyPanelPressed(int row, int column, bool pressed) override;
    void setLengthButton(int entry) override;
    std::u16string clipboardText() override;
    void setClipboardText(std::u16string_view text) override;
    int currentView() const override { return m_view; }
    void selectView(int index) override;
    void pressFunctionKey(int number) override;
    void startTypeKeyTimer() override;

    MelodyTextEdit& m_text;
    ParserState& m_state;
    MelodyText m_melody;
    StaffModelFollower m_staff;
    KeyboardInput m_input;
    OnScreenKeyboard* m_keyboard = nullptr;
    QTimer m_typeKeyTimer;
    int m_view = 0;
    // While an edit runs, a view it asks for waits until the edited text is in the box.
    bool m_editing = false;
    std::optional<int> m_viewAfterEdit;
};

} // namespace sarvo::melody
