// Note input as the user meets it: keys typed into the melody text box, clicks on the on-screen
// keyboard and in the text, with the real staff view following and the real note preview sending
// its MIDI messages to a recording output. Screenshots of the keyboard go to the build tree.

#include "../app/qtestenvironment.h"

#include "common/interaction.h"
#include "melody/keyboardinputcontroller.h"
#include "melody/keyboardlabels.h"
#include "melody/melodytextedit.h"
#include "melody/notefont.h"
#include "melody/onscreenkeyboard.h"
#include "melody/qtkeyevent.h"
#include "melody/staffview.h"
#include "sound/clock.h"
#include "sound/notepreview.h"
#include "sound/recordingmidioutput.h"

#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QShortcut>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <optional>
#include <vector>

namespace {

using namespace sarvo::melody;
using sarvo::RecordingInteractive;
using sarvo::app::testing::saveScreenshot;
namespace sound = sarvo::sound;

QString qs(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The editing area as the window builds it: text box, staff view and on-screen keyboard, with a
// status line, the note preview on a recording output and a window shortcut on F2.
class NoteInputArea : public QWidget {
public:
    NoteInputArea() {
        auto* layout = new QVBoxLayout(this);
        text = new MelodyTextEdit(this);
        text->setFont(melodyTextFont(12, true));
        staff = new StaffView(this);
        keyboard = new OnScreenKeyboard(this);
        status = new QLabel(this);
        layout->addWidget(text, 1);
        layout->addWidget(staff, 2);
        layout->addWidget(keyboard);
        layout->addWidget(status);

        controller = std::make_unique<KeyboardInputController>(*text, staff->model(), ui, state);
        controller->watch(text);
        controller->watch(staff);
        controller->attachKeyboard(keyboard);
        QObject::connect(controller.get(), &KeyboardInputController::statusMessage, status,
                         &QLabel::setText);
        QObject::connect(controller.get(), &KeyboardInputController::melodyEdited, staff,
                         &StaffView::refresh);
        QObject::connect(controller.get(), &KeyboardInputController::noteKeyDown, this,
                         [this](int key, int note, QChar length, bool repeat) {
                             preview.noteKeyDown(key, note, length.unicode(), repeat, clock.now());
                         });
        QObject::connect(controller.get(), &KeyboardInputController::noteKeyUp, this,
                         [this](int key, int, bool fromPanel) {
                             if (fromPanel)
                                 preview.panelReleased();
                             else
                                 preview.noteKeyUp(key, false);
                         });
        auto* settings = new QShortcut(QKeySequence(Qt::Key_F2), this);
        QObject::connect(settings, &QShortcut::activated, this, [this] { ++shortcutRuns; });
        resize(900, 420);
    }

    std::u16string melodyText() const { return text->melody().text; }
    int caret() const { return text->melody().caret; }
    QString selected() const {
        const MelodyText shown = text->melody();
        return QString::fromStdU16String(shown.text.substr(static_cast<size_t>(shown.caret),
                                                           static_cast<size_t>(shown.selection)));
    }

    RecordingInteractive ui;
    ParserState state;
    sound::ManualClock clock;
    sound::RecordingMidiOutput midi;
    sound::NotePreview preview{midi};
    MelodyTextEdit* text = nullptr;
    StaffView* staff = nullptr;
    OnScreenKeyboard* keyboard = nullptr;
    QLabel* status = nullptr;
    std::unique_ptr<KeyboardInputController> controller;
    int shortcutRuns = 0;
};

class NoteInputWidgets : public ::testing::Test {
protected:
    void SetUp() override {
        m_area.show();
        m_area.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_area));
        m_area.text->setFocus();
        QApplication::processEvents();
    }

    QWidget* panel(const char* name) {
        return m_area.keyboard->findChild<QWidget*>(QString::fromLatin1(name));
    }
    void clickPanel(const char* name) {
        QWidget* widget = panel(name);
        ASSERT_NE(widget, nullptr) << name;
        QTest::mousePress(widget, Qt::LeftButton);
        QTest::mouseRelease(widget, Qt::LeftButton);
    }

    NoteInputArea m_area;
};

// Only what the Qt layer adds, the editing rules being the key handler's own: Qt reports Shift+1
// as "!", the text box takes no typing of its own (space, Return), navigation keys reach the
// handler, the refusal reaches the status line, the real preview sends a note on and off a key.
TEST_F(NoteInputWidgets, KeysTypedInTheTextBoxEditTheMelodyAndSoundTheNotes) {
    QTest::keyClick(m_area.text, Qt::Key_Exclam, Qt::ShiftModifier);
    for (Qt::Key key : {Qt::Key_2, Qt::Key_3, Qt::Key_Backspace, Qt::Key_Home, Qt::Key_Delete,
                        Qt::Key_End, Qt::Key_Period, Qt::Key_K, Qt::Key_Space, Qt::Key_Return,
                        Qt::Key_H, Qt::Key_0})
        QTest::keyClick(m_area.text, key);
    EXPECT_EQ(QString::fromStdU16String(m_area.melodyText()), QStringLiteral("D.中レ H "));
    std::vector<uint32_t> midi;
    for (int note : {84, 74, 76})
        midi.insert(midi.end(), {sound::noteOnMessage(note), sound::noteOffMessage(note)});
    EXPECT_EQ(m_area.midi.messages(), midi);
    EXPECT_EQ(m_area.status->text(), qs(kSlurAfterRestRefusal));
    EXPECT_EQ(m_area.staff->count(), 2);
    EXPECT_EQ(m_area.staff->currentIndex(), 2);
}

TEST(QtKeyTranslation, KeysAndModifiers) {
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers held;
        bool autoRepeat;
        std::optional<uint16_t> code;
        uint16_t modifierBits;
    };
    const std::vector<Case> cases = {
        {Qt::Key_A, Qt::NoModifier, false, u'A', 0},
        {Qt::Key_1, Qt::ControlModifier, true, u'1', modifiers::Ctrl},
        {Qt::Key_5, Qt::KeypadModifier, false, u'5', 0},
        {Qt::Key_F5, Qt::NoModifier, false, keys::F1 + 4, 0},
        {Qt::Key_Escape, Qt::ShiftModifier, false, keys::Escape, modifiers::Shift},
        // Symbol keys of their own and keypad symbols are no digits.
        {Qt::Key_Apostrophe, Qt::NoModifier, false, std::nullopt, 0},
        {Qt::Key_Asterisk, Qt::KeypadModifier | Qt::ShiftModifier, false, std::nullopt, 0},
        {Qt::Key_Shift, Qt::ShiftModifier, false, std::nullopt, 0},
    };
    for (const Case& c : cases) {
        const QKeyEvent event(QEvent::KeyPress, c.key, c.held, QString(), c.autoRepeat);
        const std::optional<KeyEvent> key = toKeyEvent(event);
        ASSERT_EQ(key.has_value(), c.code.has_value()) << c.key;
        if (!key)
            continue;
        EXPECT_EQ(key->keyCode, *c.code) << c.key;
        EXPECT_EQ(key->modifiers, c.modifierBits) << c.key;
        EXPECT_EQ(key->autoRepeat, c.autoRepeat) << c.key;
    }
}

// Under map 2 the sharp panels need no sharp key; a key held lowers its panel until it comes up.
TEST_F(NoteInputWidgets, KeyPanelsEnterPreviewAndReleaseTheirNote) {
    m_area.controller->setKeyMap(2);
    clickPanel("pnlSR"); // nothing to tie yet
    EXPECT_EQ(m_area.status->text(), qs(kSlurAfterRestRefusal));
    QString expected;
    for (auto [name, row, column, token, note] :
         {std::tuple{"pnlK0", 0, 0, u"D低ド ", 60}, {"pnlS7", 9, 1, u"D中フ# ", 78}}) {
        QWidget* key = panel(name);
        ASSERT_NE(key, nullptr);
        m_area.midi.clear();
        QTest::mousePress(key, Qt::LeftButton);
        EXPECT_TRUE(m_area.keyboard->isPanelPressed(row, column)) << name;
        EXPECT_EQ(m_area.midi.messages(), std::vector<uint32_t>{sound::noteOnMessage(note)});
        QTest::mouseRelease(key, Qt::LeftButton);
        EXPECT_FALSE(m_area.keyboard->isPanelPressed(row, column)) << name;
        EXPECT_EQ(m_area.midi.messages(),
                  (std::vector<uint32_t>{sound::noteOnMessage(note), sound::noteOffMessage(note)}));
        expected += qs(token);
    }
    EXPECT_EQ(QString::fromStdU16String(m_area.melodyText()), expected);
    EXPECT_TRUE(m_area.ui.questions().empty());
    EXPECT_TRUE(m_area.text->hasFocus());
    clickPanel("pnlSR");
    EXPECT_TRUE(QString::fromStdU16String(m_area.melodyText()).endsWith(QStringLiteral("^ ")));
    clickPanel("pnlClr");
    EXPECT_TRUE(QString::fromStdU16String(m_area.melodyText()).isEmpty());
    EXPECT_EQ(m_area.staff->count(), 0);
    m_area.controller->setKeyMap(0);
    QTest::keyPress(m_area.text, Qt::Key_Y, Qt::ShiftModifier);
    EXPECT_TRUE(m_area.keyboard->isPanelPressed(11, 2));
    ASSERT_TRUE(saveScreenshot(*m_area.keyboard, QStringLiteral("keyboard_pressed")));
    QTest::keyRelease(m_area.text, Qt::Key_Y, Qt::ShiftModifier);
    EXPECT_FALSE(m_area.keyboard->isPanelPressed(11, 2));
}

TEST_F(NoteInputWidgets, ClicksAndSelectionsInTheTextTakeWholeTokens) {
    for (Qt::Key key : {Qt::Key_1, Qt::Key_2, Qt::Key_3})
        QTest::keyClick(m_area.text, key);
    // Click on the pitch name of the second token.
    QTextCursor cursor(m_area.text->document());
    cursor.setPosition(6);
    const QRect place = m_area.text->cursorRect(cursor);
    QTest::mouseClick(m_area.text->viewport(), Qt::LeftButton, Qt::NoModifier,
                      place.center() + QPoint(3, 0));
    EXPECT_EQ(m_area.caret(), 4);
    EXPECT_EQ(m_area.staff->currentIndex(), 1);
    // A click past the end leaves the caret at the end.
    QTest::mouseClick(m_area.text->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(m_area.text->viewport()->width() - 4, 4));
    EXPECT_EQ(m_area.caret(), 12);
    EXPECT_EQ(m_area.staff->currentIndex(), 3);
    // Shift+Right selects whole tokens, and the clipboard keys use the system clipboard.
    QTest::keyClick(m_area.text, Qt::Key_Home);
    QTest::keyClick(m_area.text, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(m_area.selected(), QStringLiteral("D中ド "));
    QTest::keyClick(m_area.text, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(m_area.selected(), QStringLiteral("D中ド D中レ "));
    QTest::keyClick(m_area.text, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("D中ド D中レ "));
    EXPECT_EQ(QString::fromStdU16String(m_area.melodyText()), QStringLiteral("D中ミ "));
    QTest::keyClick(m_area.text, Qt::Key_End);
    QTest::keyClick(m_area.text, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(QString::fromStdU16String(m_area.melodyText()), QStringLiteral("D中ミ D中ド D中レ "));
    EXPECT_EQ(m_area.staff->count(), 3);
    EXPECT_EQ(m_area.staff->currentIndex(), 3);
}

TEST_F(NoteInputWidgets, WindowKeysGoThroughNoteInputOnce) {
    QSignalSpy functionKeys(m_area.controller.get(), &KeyboardInputController::functionKeyPressed);
    QSignalSpy views(m_area.controller.get(), &KeyboardInputController::viewRequested);
    QTest::keyClick(m_area.text, Qt::Key_F2);
    QTest::keyClick(m_area.staff, Qt::Key_F8); // the staff hands its keys on too, down and up
    QTest::keyClick(m_area.staff, Qt::Key_1);
    EXPECT_EQ(m_area.midi.messages(),
              (std::vector<uint32_t>{sound::noteOnMessage(72), sound::noteOffMessage(72)}));
    QTest::keyClick(m_area.text, Qt::Key_B, Qt::AltModifier);
    QTest::keyClick(m_area.text, Qt::Key_B, Qt::AltModifier);
    const auto numbers = [](const QSignalSpy& spy) {
        std::vector<int> firstArguments;
        for (const QList<QVariant>& arguments : spy)
            firstArguments.push_back(arguments.at(0).toInt());
        return firstArguments;
    };
    EXPECT_EQ(numbers(functionKeys), (std::vector<int>{2, 8}));
    EXPECT_EQ(m_area.shortcutRuns, 0);
    EXPECT_EQ(numbers(views), (std::vector<int>{3, 29}));
}

TEST_F(NoteInputWidgets, TextSetWithoutTheGuardRefillsTheStaff) {
    QTest::keyClick(m_area.text, Qt::Key_1);
    m_area.text->setPlainText(QStringLiteral("C中ド ^ H 3高ミ "));
    ASSERT_EQ(m_area.staff->count(), 4);
    EXPECT_EQ(m_area.staff->item(2)->pitch, u"中ド");
    EXPECT_EQ(m_area.staff->item(2)->length, u"^");
    EXPECT_EQ(m_area.staff->item(3)->pitch, u""); // a rest takes no pitch from the note before
    EXPECT_EQ(m_area.staff->item(4)->length, u"3");
    // The same change under the guard is the window's own: the staff is left to it.
    m_area.state.editGuard = true;
    m_area.text->setPlainText(QStringLiteral("H "));
    m_area.state.editGuard = false;
    EXPECT_EQ(m_area.staff->count(), 4);
}

// The labels show the key map's captions, a line for each word, with their tips.
TEST_F(NoteInputWidgets, CaptionsAndTipsFollowTheKeyMap) {
    m_area.controller->setKeyMap(2);
    auto* label = qobject_cast<QLabel*>(panel("pnlS5"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label, m_area.keyboard->keyPanel(7, 1));
    EXPECT_EQ(label->accessibleName(), QStringLiteral("ド# #C"));
    EXPECT_EQ(label->text(), QStringLiteral("ド#\n#C"));
    EXPECT_EQ(label->toolTip(), QStringLiteral("[中音ド＃] キー入力：＃Ｃ"));
    EXPECT_EQ(qobject_cast<QLabel*>(panel("pnlSR"))->accessibleName(), QStringLiteral("⌒ ｽﾗｰ -"));
    saveScreenshot(*m_area.keyboard, QStringLiteral("keyboard_map2"));
    m_area.controller->setKeyMap(0);
    EXPECT_EQ(qobject_cast<QLabel*>(panel("pnlSR"))->accessibleName(), QStringLiteral("⌒ ｽﾗｰ 0"));
}

} // namespace
