// The import dialog dlgImport from the main window: a file of each of the seven kinds becomes the
// melody and a named song, a MIDI file's voice is chosen with a preview, a phone type's keys are
// read for the type on show, and a file that cannot be read asks nothing and changes nothing.
// How each kind reads is the formats' tests.

#include "../common/tempfolder.h"
#include "common/textcodec.h"
#include "formats/mld.h"
#include "formats/smd.h"
#include "keyguide/keyconversion.h"
#include "mainwindowfixture.h"
#include "sound/mml2midi.h"
#include "sound/mmlcompiler.h"
#include "sound/smfwriter.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTreeWidget>

namespace sarvo::app::testing {
namespace {

using sarvo::testing::TempFolder;
using sarvo::testing::writeBytes;

constexpr int kTypeA = 2;
// Eighth notes, which every phone type can type.
const std::u16string kMelody = u"D中ド D中レ D中ミ ";
const std::u16string kReadFailed = u"インポート中にファイルの読込で失敗しました。";

formats::Ringtone twoPartRingtone() {
    formats::Ringtone ringtone;
    ringtone.title = u"春";
    ringtone.tempo = formats::TempoUnit::quarterNotes(120);
    ringtone.parts = {{kMelody, 0}, {u"B中ソ ", 0}};
    return ringtone;
}

class ImportDialogTest : public MainWindowFixture {
protected:
    std::filesystem::path file(const std::string& name, std::string_view bytes) {
        const std::filesystem::path path = m_files.path() / name;
        writeBytes(path, bytes);
        return path;
    }

    // Opens the import dialog with F3 and imports the file with the option; the song-properties
    // dialog that follows is confirmed as filled in.
    void importWith(int option, const std::filesystem::path& path,
                    const std::function<void(QDialog&)>& before = {}) {
        queueDialog([=](QDialog& dialog) {
            dialogChild<QRadioButton>(dialog, QStringLiteral("opt%1").arg(option).toLatin1())
                ->click();
            typeInto(dialog, "txtFPath", QString::fromStdU16String(path.u16string()));
            if (before)
                before(dialog);
            clickButton(dialog, "cmdLoad");
            EXPECT_FALSE(dialog.isVisible());
        });
        queueDialog([](QDialog& dialog) { clickButton(dialog, "cmd0"); });
        m_window->runCommand(WindowCommand::Change);
    }

    std::u16string storedMelody(const std::u16string& name) const {
        const auto song = m_library->loadSong(name);
        return song ? song->melody : u"(none)";
    }

    TempFolder m_files;
};

std::string bytesOf(const formats::Bytes& bytes) {
    return {bytes.begin(), bytes.end()};
}

// A file of each kind, opened with the program (from a file manager): the dialog comes up on
// the file's option with the file filled in and keys read for the phone type on show, and Import
// makes it the melody and a named song, further parts of a chord file "-Sub" songs.
TEST_F(ImportDialogTest, AFileOfEachKindBecomesTheMelodyAndANamedSong) {
    melody::ParserState state;
    const std::u16string typeAKeys = keyguide::convertToKeys(kTypeA, kMelody, state, m_ui);
    const std::string mld =
        bytesOf(formats::encodeMld(twoPartRingtone(), formats::MldSizeLimit::Lifted, m_ui));
    const std::string mid =
        sound::writeSmf(*sound::compileMml(u"A C1 @1 t120 v127 o5 c8 d8 e8\r\n").file);
    const struct {
        std::string fileName;
        int option;
        std::string bytes;
        std::u16string melody, songName;
    } cases[] = {
        {"keys.txt", 0, *toCp932(typeAKeys), kMelody, u"keys"},
        {"song.omd", 1, "+C4D8E16", u"C高ド D中レ E中ミ ", u"song"},
        {"letters.ked", 2, "+C4D8E16\r\nR4#F8.bB2\r\n", u"C高ド D中レ E中ミ H D.中フ# B中ラ# ",
         u"letters"},
        {"codes.cml", 3, "<d>b@a cHf\r\nSp", u"C中ド D中レ E中ミ I. C.高ド A高シ ", u"codes"},
        {"haru.mld", 4, mld, kMelody, u"春"}, // and its second part as 春-Sub1
        {"tune.mid", 5, mid, kMelody, u"tune"},
        {"SKY.SMD", 6, bytesOf(formats::encodeSmd(twoPartRingtone()).value), kMelody, u"空"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fileName);
        const std::filesystem::path path = file(c.fileName, c.bytes);
        queueDialog([&](QDialog& dialog) {
            // Keys are read for the phone type on show.
            EXPECT_EQ(dialogChild<QComboBox>(dialog, "cmb")->currentData().toInt(), kTypeA);
            EXPECT_TRUE(
                dialogChild<QRadioButton>(dialog, QStringLiteral("opt%1").arg(c.option).toLatin1())
                    ->isChecked());
            EXPECT_EQ(dialogChild<QLineEdit>(dialog, "txtFPath")->text().toStdU16String(),
                      path.u16string());
            clickButton(dialog, "cmdLoad");
        });
        queueDialog([&](QDialog& dialog) {
            // Songs of the same title are told apart by their file's name.
            if (c.option == 6)
                typeInto(dialog, "txt0", QStringLiteral("空"));
            clickButton(dialog, "cmd0");
        });
        m_window->selectView(kTypeA);
        m_window->openImportOf(path);
        // Saving may report notes some phone types cannot type; reading must not fail.
        EXPECT_EQ(std::ranges::count(m_ui.messages(), kReadFailed), 0);
        EXPECT_EQ(m_dialogTitles.back(), QStringLiteral("インポート曲の指定"));
        EXPECT_EQ(melody().toStdU16String(), c.melody);
        EXPECT_EQ(m_songName->text().toStdU16String(), c.songName);
        EXPECT_EQ(storedMelody(c.songName), c.melody);
        EXPECT_EQ(m_window->currentView(), kTypeA);
        if (c.melody == kMelody) {
            EXPECT_EQ(m_pnl->toPlainText().toStdU16String(), typeAKeys);
        }
    }
    EXPECT_EQ(storedMelody(u"春-Sub1"), u"B中ソ ");
}

TEST_F(ImportDialogTest, MidiVoiceIsChosenFromItsListWithAPreview) {
    // Two voices: the upper one is the automatic choice, the lower one is picked instead.
    const std::filesystem::path mml =
        file("two.mml", "A C1 @1 t120 v127 o5 c4 d4 e4 f4\r\nB C2 @1 t120 v127 o5 g2 g2\r\n");
    const std::filesystem::path mid = m_files.path() / "two.mid";
    ASSERT_TRUE(sound::mml2midi(mml, mid).error.empty());
    QString automaticPreview;
    importWith(5, mid, [&](QDialog& dialog) {
        auto* voices = dialogChild<QTreeWidget>(dialog, "lvwMidi");
        auto* preview = dialogChild<QPlainTextEdit>(dialog, "txtPreview");
        ASSERT_EQ(voices->topLevelItemCount(), 3);
        EXPECT_EQ(voices->currentItem(), voices->topLevelItem(0));
        automaticPreview = preview->toPlainText();
        voices->setCurrentItem(voices->topLevelItem(2));
        EXPECT_EQ(voices->topLevelItem(2)->text(1), QStringLiteral("2"));
        EXPECT_NE(preview->toPlainText(), automaticPreview);
        EXPECT_TRUE(saveScreenshot(dialog, QStringLiteral("dlgImport-midi")));
    });
    EXPECT_EQ(automaticPreview.toStdU16String(), u"C中ド C中レ C中ミ C中フ ");
    EXPECT_EQ(melody().toStdU16String(), u"B中ソ B中ソ ");
    EXPECT_EQ(storedMelody(u"two"), u"B中ソ B中ソ ");
}

// A file that cannot be read asks nothing about the changed song and leaves its melody.
TEST_F(ImportDialogTest, BadPathsAskNothingAndAReadableFileOffersTheChangedSongForSaving) {
    storeSong(u"旧", u"C中ド ");
    ASSERT_TRUE(m_window->openSong(QStringLiteral("旧")));
    setMelody(QStringLiteral("C中ド D中レ "));
    const struct {
        QString path;
        std::u16string_view message;
    } cases[] = {
        {QString(), u"インポートするファイル名を正しく入力して下さい。"},
        {QStringLiteral("/nonexistent/none.mld"), kReadFailed},
    };
    for (const auto& c : cases) {
        queueDialog([&](QDialog& dialog) {
            dialogChild<QRadioButton>(dialog, "opt4")->click();
            typeInto(dialog, "txtFPath", c.path);
            clickButton(dialog, "cmdLoad");
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(m_ui.messages().back(), c.message);
            clickButton(dialog, "cmdEnd");
        });
        m_window->runCommand(WindowCommand::Change);
    }
    EXPECT_EQ(melody(), QStringLiteral("C中ド D中レ "));
    EXPECT_TRUE(m_ui.questions().empty());
    EXPECT_EQ(m_dialogTitles.size(), 2u); // no song-properties dialog opened
    // A file that can be read offers the changed song for saving first.
    m_ui.queueAnswer(Answer::Yes);
    importWith(2, file("new.ked", "+C4"));
    EXPECT_EQ(m_ui.questions(), std::vector<std::u16string>{u"「旧」を保存しますか？"});
    EXPECT_EQ(storedMelody(u"旧"), u"C中ド D中レ ");
    EXPECT_EQ(storedMelody(u"new"), u"C高ド ");
}

} // namespace
} // namespace sarvo::app::testing
