// What the status bar says about the sound output once it has opened: a word when it plays
// silently, and the delay through the sound device's buffer as its tip; in either language.

#include "app/soundoutputstatus.h"
#include "app/windowstatusbar.h"
#include "common/ui/coretext.h"
#include "qtestenvironment.h"
#include "sound/midiports.h"
#include "sound/recordingmidioutput.h"

#include <gtest/gtest.h>

#include <optional>

namespace sarvo::app {
namespace {

TEST(SoundOutputStatus, SaysWhatTheOutputPlaysThrough) {
    const struct {
        std::optional<sound::AudioDevice> audio;
        bool silent;
        QString message, tip;
        bool english = false; // the last case: English stays installed
    } cases[] = {
        {std::nullopt, true, QString::fromUtf16(kSilentOutputMessage),
         QStringLiteral("サウンドデバイスなし")},
        // 2 periods of 128 frames at 44100 Hz
        {sound::AudioDevice{{"alsa", 128, 2}, 44100},
         false,
         {},
         QStringLiteral("音の遅れ 5.8 ミリ秒（alsa、128 フレーム × 2、44100 Hz）")},
        {std::nullopt, false, {}, {}}, // a system MIDI port
        {std::nullopt, true,
         QStringLiteral("The sound device cannot be opened. Playback runs without sound"),
         QStringLiteral("No sound device"), true},
    };
    for (const auto& c : cases) {
        if (c.english) {
            ASSERT_TRUE(ui::installLanguage(*QCoreApplication::instance(), UiLanguage::English));
        }
        sound::RecordingMidiOutput recorder;
        RecordingInteractive ui;
        sound::MidiOutputPort port(
            ui, {{u"port", "test", 0, [&recorder, &c] {
                      return sound::OpenedOutput{
                          std::make_unique<sound::ForwardingMidiOutput>(recorder),
                          {},
                          c.audio,
                          c.silent};
                  }}});
        ASSERT_TRUE(port.open(0));
        WindowStatusBar bar;
        showSoundOutput(port, bar);
        EXPECT_EQ(bar.message(), c.message);
        EXPECT_EQ(bar.toolTip(), c.tip);
    }
}

} // namespace
} // namespace sarvo::app
