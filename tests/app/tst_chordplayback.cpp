// The play command's MML path and the MIDI file player dlgMidiPlay: which selections and settings
// take the MML way, a three-song chord rendered from the MIDI file it writes (three measurable
// voices), the 26-part question, and the player's loop, seek and release of the note output.

#include "../common/tempfolder.h"
#include "../sound/audioanalysis.h"
#include "app/chordplayback.h"
#include "mainwindowfixture.h"
#include "settings/settingsfile.h"
#include "sound/midirender.h"
#include "sound/mml2midi.h"
#include "sound/ui/midiplaydialog.h"
#include "sound/wavfile.h"

#include <QScrollBar>

#include <fstream>

namespace sarvo::app::testing {
namespace {

using sarvo::testing::TempFolder;

class ChordPlaybackTest : public MainWindowFixture {
protected:
    void SetUp() override {
        // The work files go to the cache folder, here a folder of the test.
        qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(m_cache.path().string()));
        MainWindowFixture::SetUp();
    }

    void selectSongs(const std::vector<std::pair<std::u16string, std::u16string>>& songs) {
        for (const auto& [name, melody] : songs)
            storeSong(name, melody);
        m_window->listSongs();
        m_musicBox->selectAll();
    }

    TempFolder m_cache;
};

// One selected song plays in real time unless the staff cursor is to stay; several songs are
// the next tests'.
TEST_F(ChordPlaybackTest, TheStaffCursorSettingTakesTheMmlPath) {
    selectSongs({{u"曲A", u"C中ド D中レ "}});
    setMelody(QStringLiteral("C中ミ D中フ "));
    for (const bool stays : {false, true}) {
        SCOPED_TRACE(stays);
        settings::Preferences preferences;
        preferences.staffCursorStays = stays;
        ASSERT_EQ(settingsFile().savePreferences(preferences), "");
        m_dialogTitles.clear();
        queueDialog([](QDialog& dialog) {
            const auto& player = static_cast<sound::MidiPlayDialog&>(dialog).player();
            EXPECT_EQ(player.mode(), sound::kModePlaying);
            dialog.accept();
        });
        m_window->runCommand(WindowCommand::Play);
        EXPECT_EQ(m_dialogTitles.size(), stays ? 1u : 0u);
        EXPECT_EQ(m_window->isPlaying(), !stays);
        if (m_window->isPlaying())
            m_window->runCommand(WindowCommand::Play);
        m_dialogScripts.clear();
        EXPECT_EQ(melody(), QStringLiteral("C中ミ D中フ "));
    }
}

TEST_F(ChordPlaybackTest, ThreeSongsSoundTogetherAsThreeVoices) {
    // Whole notes at tempo 120: two seconds of ド, ミ and ソ of the middle octave together.
    selectSongs({{u"ド", u"A中ド "}, {u"ミ", u"A中ミ "}, {u"ソ", u"A中ソ "}});
    queueDialog([](QDialog& dialog) { dialog.accept(); });
    press(Qt::Key_F4);
    ASSERT_EQ(m_dialogTitles.size(), 1u);

    const sound::RenderedAudio rendered = sound::renderMidiFile(chordWorkFiles().midi);
    const auto& audio = rendered.audio;
    ASSERT_TRUE(audio) << rendered.error;
    const std::vector<double> samples = sound::monoSamples(*audio);
    const auto from = static_cast<size_t>(0.3 * audio->sampleRate);
    const auto count = static_cast<size_t>(1.2 * audio->sampleRate);
    // レ (74) is not in the chord: no peak near it.
    for (const auto& [note, sounds] : {std::pair{72, true}, {76, true}, {79, true}, {74, false}}) {
        const double hz = sound::strongestFrequency(samples, from, count, audio->sampleRate,
                                                    sound::midiNoteHz(note));
        EXPECT_EQ(std::abs(sound::centsBetween(hz, sound::midiNoteHz(note))) <= 15, sounds) << note;
    }
}

// No to playing only the first 26 of 27 songs leaves nothing to play, which is reported; which
// parts are kept is the MML writer's test.
TEST_F(ChordPlaybackTest, NoToPlayingTheFirst26LeavesNothingToPlay) {
    std::vector<std::pair<std::u16string, std::u16string>> songs;
    for (int i = 0; i < 27; ++i)
        songs.emplace_back(u"曲" + QString::number(i + 10).toStdU16String(), u"C中ド ");
    selectSongs(songs);
    press(Qt::Key_F4);
    EXPECT_EQ(m_ui.questions().size(), 1u);
    EXPECT_EQ(m_ui.messages().back(), kChordConversionFailed);
    EXPECT_TRUE(m_dialogTitles.empty());
}

TEST_F(ChordPlaybackTest, APhoneTypeOnShowPlaysWhatItsKeysGiveBack) {
    // Type-B has no sharps: its keys give the notes back without them, as repeated notes.
    selectSongs({{u"甲", u"D中ド# D中レ "}, {u"乙", u"D中ド# "}});
    setMelody(QStringLiteral("D中ド# "));
    m_window->selectView(3);
    queueDialog([](QDialog& dialog) { dialog.accept(); });
    m_window->runCommand(WindowCommand::Play);
    ASSERT_EQ(m_dialogTitles.size(), 1u);
    const std::string text = sarvo::testing::readBytes(chordWorkFiles().mml);
    // In list order; the halves of a sharp note merge back into one, and songs without a voice
    // of their own take the voice of the settings (program 7, written as 8).
    EXPECT_EQ(text, "A C1 @8 t120 v127 o5 c8\r\nB C2 @8 t120 v127 o5 c8 d8\r\n");
    EXPECT_EQ(melody(), QStringLiteral("D中ド# "));
}

// The player on its own, over a port whose output records what it is sent.
class MidiPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_port = std::make_unique<sound::MidiOutputPort>(
            m_ui, std::vector<sound::MidiPortEntry>{
                      {u"(標準)", "test", 0, [this] {
                           return sound::OpenedOutput{
                               std::make_unique<sound::ForwardingMidiOutput>(m_heard)};
                       }}});
        ASSERT_TRUE(m_port->open(0));
        // One quarter note at tempo 240: a quarter of a second.
        const auto mml = m_files.path() / "short.mml";
        std::ofstream(mml, std::ios::binary) << "A C1 @1 t240 v127 o5 c4\r\n";
        ASSERT_TRUE(sound::mml2midi(mml, m_midi).error.empty());
    }

    int noteOns() const {
        return static_cast<int>(std::ranges::count_if(m_heard.messages(), [](uint32_t m) {
            return sound::statusOf(m) == 0x90 && sound::data2Of(m) > 0;
        }));
    }

    RecordingInteractive m_ui;
    sound::RecordingMidiOutput m_heard;
    std::unique_ptr<sound::MidiOutputPort> m_port;
    TempFolder m_files;
    std::filesystem::path m_midi = m_files.path() / "short.mid";
};

// Loading takes the note output, even when the file cannot be opened; closing gives it back.
TEST_F(MidiPlayerTest, LoopsSeeksAndGivesTheOutputBack) {
    {
        sound::MidiPlayDialog dialog(*m_port, m_ui);
        dialog.show();
        EXPECT_FALSE(dialog.load(m_files.path() / "missing.mid"));
        EXPECT_EQ(m_ui.messages(),
                  std::vector<std::u16string>{std::u16string(sound::kChordPlaybackFailedMessage)});
        ASSERT_TRUE(dialog.load(m_midi));
        EXPECT_FALSE(m_port->isOpen()); // the file has the device
        // The file ends after a quarter of a second and starts over by itself.
        EXPECT_TRUE(QTest::qWaitFor([this] { return noteOns() >= 2; }, 3000));

        clickToolAction(dialog, "cmdPlay", "Stop");
        const int heard = noteOns();
        auto* bar = dialogChild<QScrollBar>(dialog, "PosBar");
        bar->setValue(bar->maximum() / 2);
        QTest::qWait(300);
        EXPECT_EQ(dialog.player().mode(), sound::kModeStopped);
        EXPECT_EQ(noteOns(), heard);
        EXPECT_NEAR(static_cast<double>(dialog.player().position()), bar->maximum() / 2, 1);

        clickToolAction(dialog, "cmdPlay", "Rew");
        EXPECT_EQ(dialog.player().mode(), sound::kModePlaying);
        bar->setValue(bar->maximum() / 4); // seeking while playing plays on
        EXPECT_EQ(dialog.player().mode(), sound::kModePlaying);
        dialogChild<QPushButton>(dialog, "cndClose")->click();
        EXPECT_TRUE(m_port->isOpen()); // previews sound again
    }
    EXPECT_TRUE(m_port->isOpen());
    EXPECT_EQ(m_ui.messages().size(), 1u);
}

} // namespace
} // namespace sarvo::app::testing
