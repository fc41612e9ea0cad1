// What the status bar says about the sound output once it has opened: a word when it plays
// silently, and the delay through the sound device's buffer as its tip; in either language.

#include "app/soundoutputstatus.h"
#include "app/windowstatusbar.h"
#include "common/ui/coretext.h"
#include "qtestenvironment.h"
#include "sound/midiports.h"
#include "sound/recordingmidioutput.h"

#include <QTranslator>

#include <gtest/gtest.h>

#include <optional>

namespace {

using namespace sarvo;

struct StatusCase {
    const char* name;
    std::optional<sound::AudioDevice> audio;
    bool silent;
    QString message;
    QString tip;
    bool english = false;
};

// The English catalogues of the windows and of the core, for as long as it lives.
class EnglishForAWhile {
public:
    EnglishForAWhile() {
        EXPECT_TRUE(m_windows.load(QStringLiteral(":/i18n/sarvo_en.qm")));
        QCoreApplication::installTranslator(&m_core);
        QCoreApplication::installTranslator(&m_windows);
    }
    ~EnglishForAWhile() {
        QCoreApplication::removeTranslator(&m_windows);
        QCoreApplication::removeTranslator(&m_core);
    }

private:
    ui::CoreTextTranslator m_core;
    QTranslator m_windows;
};

class SoundOutputStatusTest : public ::testing::TestWithParam<StatusCase> {};

TEST_P(SoundOutputStatusTest, SaysWhatTheOutputPlaysThrough) {
    const StatusCase& c = GetParam();
    std::optional<EnglishForAWhile> english;
    if (c.english)
        english.emplace();
    sound::RecordingMidiOutput recorder;
    RecordingInteractive ui;
    sound::MidiOutputPort port(
        ui,
        {{u"port", "test", 0, [&recorder, &c] {
              return sound::OpenedOutput{
                  std::make_unique<sound::ForwardingMidiOutput>(recorder), {}, c.audio, c.silent};
          }}});
    ASSERT_TRUE(port.open(0));
    app::WindowStatusBar bar;
    app::showSoundOutput(port, bar);
    EXPECT_EQ(bar.message(), c.message);
    EXPECT_EQ(bar.toolTip(), c.tip);
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, SoundOutputStatusTest,
    ::testing::Values(
        StatusCase{"no_sound_device", std::nullopt, true,
                   QString::fromUtf16(app::kSilentOutputMessage),
                   QStringLiteral("サウンドデバイスなし")},
        // 2 periods of 128 frames at 44100 Hz
        StatusCase{"sound_device",
                   sound::AudioDevice{{"alsa", 128, 2}, 44100},
                   false,
                   {},
                   QStringLiteral("音の遅れ 5.8 ミリ秒（alsa、128 フレーム × 2、44100 Hz）")},
        StatusCase{"system_midi_port", std::nullopt, false, {}, {}},
        StatusCase{"no_sound_device_in_english", std::nullopt, true,
                   QStringLiteral("The sound device cannot be opened. Playback runs without sound"),
                   QStringLiteral("No sound device"), true}),
    [](const auto& row) { return std::string(row.param.name); });

} // namespace
