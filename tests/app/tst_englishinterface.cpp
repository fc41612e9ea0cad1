// With English chosen, every text the windows show — captions, titles, tips, actions, list and
// header entries, tab names — has an English form: the main window and each dialog its
// commands open are walked, and any kana or kanji left is reported. Melody content (note and
// octave names), phone type names and the name of the Japanese language itself stay.

#include "common/ui/coretext.h"
#include "mainwindowfixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QListWidget>
#include <QTabWidget>
#include <QTreeWidget>

#include <algorithm>

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
    auto note = [&found](const QObject& where, const QString& text) {
        if (untranslated(text))
            found.push_back(where.metaObject()->className() + QStringLiteral(" ") +
                            where.objectName() + QStringLiteral(": ") + text);
    };
    QList<QWidget*> widgets = top.findChildren<QWidget*>();
    widgets.prepend(&top);
    for (QWidget* widget : widgets) {
        if (widget->isWindow())
            note(*widget, widget->windowTitle());
        note(*widget, widget->toolTip());
        note(*widget, widget->statusTip());
        for (QAction* action : widget->actions()) {
            note(*action, action->text());
            note(*action, action->toolTip());
        }
        if (auto* label = qobject_cast<QLabel*>(widget))
            note(*label, label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            note(*button, button->text());
        if (auto* group = qobject_cast<QGroupBox*>(widget))
            note(*group, group->title());
        if (auto* combo = qobject_cast<QComboBox*>(widget))
            for (int i = 0; i < combo->count(); ++i)
                note(*combo, combo->itemText(i));
        if (auto* tabs = qobject_cast<QTabWidget*>(widget))
            for (int i = 0; i < tabs->count(); ++i)
                note(*tabs, tabs->tabText(i));
        if (auto* tree = qobject_cast<QTreeWidget*>(widget))
            for (int i = 0; i < tree->columnCount(); ++i)
                note(*tree, tree->headerItem()->text(i));
        if (auto* list = qobject_cast<QListWidget*>(widget))
            for (int i = 0; i < list->count(); ++i)
                note(*list, list->item(i)->text());
    }
}

class EnglishInterfaceTest : public MainWindowFixture,
                             public ::testing::WithParamInterface<WindowCommand> {
protected:
    void beforeWindow() override {
        ASSERT_TRUE(QFile::exists(QStringLiteral(":/i18n/sarvo_en.qm")));
        ASSERT_TRUE(ui::installLanguage(*QCoreApplication::instance(), UiLanguage::English));
        ASSERT_EQ(QCoreApplication::translate("sarvo::app::CommandToolBar", "新規"),
                  QStringLiteral("New"));
    }
};

TEST_P(EnglishInterfaceTest, ShowsNoJapaneseText) {
    std::vector<QString> found;
    collect(*m_window, found);
    m_window->setDialogRunner([&](QDialog& dialog) {
        dialog.show();
        collect(dialog, found);
        saveScreenshot(dialog, QStringLiteral("english-") + dialog.objectName());
        dialog.reject();
    });
    // Song properties come through the asker rather than the dialog runner.
    queueDialog([&](QDialog& dialog) {
        collect(dialog, found);
        dialog.reject();
    });
    m_window->runCommand(GetParam());
    if (auto* help = m_window->findChild<QDialog*>(QStringLiteral("frmHelp")))
        collect(*help, found);
    saveScreenshot(*m_window, QStringLiteral("english-main"));
    QString list;
    for (const QString& text : found)
        list += text + QLatin1Char('\n');
    EXPECT_TRUE(found.empty()) << list.toStdString();
}

// The window's own texts are walked with every command; each command opens its dialog.
INSTANTIATE_TEST_SUITE_P(Windows, EnglishInterfaceTest,
                         ::testing::Values(WindowCommand::Settings, WindowCommand::Change,
                                           WindowCommand::Mail, WindowCommand::Comm,
                                           WindowCommand::Server, WindowCommand::Help,
                                           WindowCommand::New));

} // namespace
} // namespace sarvo::app::testing
