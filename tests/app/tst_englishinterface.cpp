// With English chosen, every text the windows show — captions, titles, tips, actions, list and
// header entries, tab names, core messages — has an English form: the main window and every
// window it opens are walked, whether run by exec() or shown without blocking, and any kana or
// kanji left is reported; an opening (by the command's key or button) that shows no window, or
// another than named, fails. Melody content (note and octave names), phone type names and the
// name of the Japanese language stay.

#include "../common/tempfolder.h"
#include "app/messageboxinteractive.h"
#include "app/nameclashdialog.h"
#include "common/ui/coretext.h"
#include "mainwindowfixture.h"
#include "sound/mml2midi.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QListWidget>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <filesystem>
#include <functional>

namespace sarvo::app::testing {
namespace {

bool isJapanese(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x3040 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) ||
           (u >= 0xFF66 && u <= 0xFF9F);
}

// True when a text still holds Japanese that is not melody content or a name.
bool untranslated(QString text) {
    if (text.startsWith(QStringLiteral("Type-")) || text == QStringLiteral("日本語"))
        return false;
    for (const char* octave : {"低音", "中音", "高音"})
        text.remove(QString::fromUtf8(octave));
    for (QChar note : QStringLiteral("ドレミファソラシ低中高"))
        text.remove(note);
    return std::ranges::any_of(text, isJapanese);
}

// Every text a user can read in the widget and its children, by where it was found.
void collect(QWidget& top, std::vector<QString>& found) {
    QList<QWidget*> widgets = top.findChildren<QWidget*>();
    widgets.prepend(&top);
    for (QWidget* widget : widgets) {
        QStringList texts = {widget->toolTip(), widget->statusTip()};
        if (widget->isWindow())
            texts << widget->windowTitle();
        for (QAction* action : widget->actions())
            texts << action->text() << action->toolTip();
        if (auto* label = qobject_cast<QLabel*>(widget))
            texts << label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            texts << button->text();
        if (auto* group = qobject_cast<QGroupBox*>(widget))
            texts << group->title();
        if (auto* combo = qobject_cast<QComboBox*>(widget))
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        if (auto* tabs = qobject_cast<QTabWidget*>(widget))
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        // Rows are checked too, except the music box's, which show what the songs hold.
        if (auto* tree = qobject_cast<QTreeWidget*>(widget))
            for (int i = 0; i < tree->columnCount(); ++i) {
                texts << tree->headerItem()->text(i);
                for (int row = 0; !dynamic_cast<MusicBox*>(tree) && row < tree->topLevelItemCount();
                     ++row)
                    texts << tree->topLevelItem(row)->text(i);
            }
        if (auto* list = qobject_cast<QListWidget*>(widget))
            for (int i = 0; i < list->count(); ++i)
                texts << list->item(i)->text();
        for (const QString& text : texts)
            if (untranslated(text))
                found.push_back(widget->metaObject()->className() + QStringLiteral(" ") +
                                widget->objectName() + QStringLiteral(": ") + text);
    }
}

// What a user does to open a window, on a main window that holds two songs, and the window
// (object name) it opens; folder is a scratch folder of the test.
struct Opening {
    const char* name;
    const char* window;
    std::function<void(MainWindow&, IInteractive&, const QDir& folder)> open;
};

std::vector<Opening> openings() {
    // The command's function key typed in the melody text, or its toolbar button clicked.
    auto key = [](Qt::Key k) {
        return [k](MainWindow& window, IInteractive&, const QDir&) {
            QTest::keyClick(window.findChild<QWidget*>(QStringLiteral("txt")), k);
        };
    };
    auto button = [](const char* toolbar, const char* name) {
        return [toolbar, name](MainWindow& window, IInteractive&, const QDir&) {
            clickToolAction(window, toolbar, name);
        };
    };
    return {
        {"Settings", "dlgSet", key(Qt::Key_F2)},
        {"Import", "dlgImport", key(Qt::Key_F3)},
        {"MidiTrackChooser", "dlgImport",
         [](MainWindow& window, IInteractive&, const QDir& folder) {
             const std::filesystem::path mml = folder.filePath("tracks.mml").toStdString();
             sarvo::testing::writeBytes(
                 mml, "A C1 @1 t120 v127 o5 c4 d4\r\nB C2 @1 t120 v127 o5 g2\r\n");
             ASSERT_TRUE(sound::mml2midi(mml, mml.string() + ".mid").error.empty());
             window.openImportOf(mml.string() + ".mid");
         }},
        {"Mail", "dlgMail", key(Qt::Key_F10)},
        {"Cable", "frmComm", key(Qt::Key_F11)},
        {"Server", "dlgServer", button("tbTop", "Server")},
        {"Help", "frmHelp", key(Qt::Key_F1)},
        {"NewSong", "dlgM", key(Qt::Key_F6)},
        {"SaveSong", "dlgM", button("tbM", "Save")},
        {"SongProperties", "dlgM",
         [](MainWindow& window, IInteractive&, const QDir&) {
             ASSERT_TRUE(window.openSong(QStringLiteral("SongA")));
             QTest::keyClick(window.findChild<QWidget*>(QStringLiteral("txt")), Qt::Key_F7);
         }},
        // Two selected songs play as a chord in the MIDI file player.
        {"ChordPlayer", "dlgMidiPlay",
         [](MainWindow& window, IInteractive&, const QDir&) {
             window.findChild<MusicBox*>(QStringLiteral("lvwMusicBox"))->selectAll();
             QTest::keyClick(window.findChild<QWidget*>(QStringLiteral("txt")), Qt::Key_F4);
         }},
        // The mail exchange asks this when a received song's name is taken.
        {"NameClash", "dlgMName",
         [](MainWindow& window, IInteractive& ui, const QDir&) {
             NameClashDialog dialog(u"SongA", ui, &window);
             dialog.exec();
         }},
        {"MessageBox", "QMessageBox",
         [](MainWindow& window, IInteractive&, const QDir&) {
             MessageBoxInteractive boxes(&window);
             boxes.askQuestion(u"「SongA」を保存しますか？", QuestionButtons::YesNoCancel);
         }},
    };
}

class EnglishInterfaceTest : public MainWindowFixture,
                             public ::testing::WithParamInterface<Opening> {
protected:
    void beforeWindow() override {
        ASSERT_TRUE(QFile::exists(QStringLiteral(":/i18n/sarvo_en.qm")));
        ASSERT_TRUE(ui::installLanguage(*QCoreApplication::instance(), UiLanguage::English));
        ASSERT_EQ(QCoreApplication::translate("sarvo::app::CommandToolBar", "新規"),
                  QStringLiteral("New"));
        // The chord player's work files go to the cache folder.
        qputenv("XDG_CACHE_HOME", m_dir.filePath(QStringLiteral("cache")).toUtf8());
        storeSong(u"SongA", u"C中ド D中レ ");
        storeSong(u"SongB", u"E中ミ ");
    }

    // Walks a window the first time it is seen.
    void inspect(QWidget& window) {
        if (std::ranges::find(m_walked, &window) != m_walked.end())
            return;
        m_walked.push_back(&window);
        QCoreApplication::processEvents();
        const QString name = window.objectName().isEmpty()
                                 ? QString::fromLatin1(window.metaObject()->className())
                                 : window.objectName();
        m_opened << name;
        collect(window, m_found);
        saveScreenshot(window, QStringLiteral("english-") + name);
    }

    std::vector<QString> m_found;
    std::vector<const QWidget*> m_walked;
    QStringList m_opened;
};

TEST_P(EnglishInterfaceTest, ShowsNoJapaneseText) {
    m_window->resize(800, 600);
    collect(*m_window, m_found);
    m_walked.push_back(m_window.get());
    const QWidgetList before = QApplication::topLevelWidgets();
    // Dialogs run by exec() are walked while they run: those the window hands to its dialog
    // runner or song-properties asker directly, any other modal one from a timer.
    m_window->setDialogRunner([this](QDialog& dialog) {
        dialog.show();
        inspect(dialog);
        dialog.reject();
    });
    queueDialog([this](QDialog& dialog) {
        inspect(dialog);
        dialog.reject();
    });
    QTimer modal;
    QObject::connect(&modal, &QTimer::timeout, [this] {
        // Not the one the asker shows, which is walked once it is on screen.
        QWidget* running = QApplication::activeModalWidget();
        if (running && running != m_answering) {
            inspect(*running);
            // Closed without the questions a dialog's own reject() may ask.
            qobject_cast<QDialog*>(running)->done(QDialog::Rejected);
        }
    });
    modal.start(50);
    GetParam().open(*m_window, m_ui, QDir(m_dir.path()));
    modal.stop();
    // Windows shown without blocking (open(), show()) are on show now.
    QCoreApplication::processEvents();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && !before.contains(window)) {
            inspect(*window);
            window->close();
        }
    // Messages and questions from the core are shown through its catalogue.
    for (const auto* texts : {&m_ui.messages(), &m_ui.questions()})
        for (const std::u16string& text : *texts)
            if (untranslated(ui::coreText(text)))
                m_found.push_back(QStringLiteral("message: ") + QString::fromStdU16String(text));
    saveScreenshot(*m_window, QStringLiteral("english-main"));
    EXPECT_EQ(m_opened, QStringList{QString::fromLatin1(GetParam().window)});
    QString list;
    for (const QString& text : m_found)
        list += text + QLatin1Char('\n');
    EXPECT_TRUE(m_found.empty()) << "in " << m_opened.join(QLatin1Char(' ')).toStdString() << ":\n"
                                 << list.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Windows, EnglishInterfaceTest, ::testing::ValuesIn(openings()),
                         [](const auto& test) { return std::string(test.param.name); });

} // namespace
} // namespace sarvo::app::testing
