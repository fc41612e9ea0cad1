#include "app/soundoutputstatus.h"

#include "app/windowstatusbar.h"
#include "common/ui/coretext.h"
#include "sound/midiports.h"

#include <QCoreApplication>

namespace sarvo::app {

QString soundOutputTip(const sound::MidiOutputPort& port) {
    if (port.isSilent())
        return QCoreApplication::translate("sarvo::app::SoundOutput", "サウンドデバイスなし");
    const std::optional<sound::AudioDevice> device = port.audioDevice();
    if (!device)
        return {};
    return QCoreApplication::translate("sarvo::app::SoundOutput",
                                       "音の遅れ %1 ミリ秒（%2、%3 フレーム × %4、%5 Hz）")
        .arg(device->latencyMs(), 0, 'f', 1)
        .arg(QString::fromUtf8(device->buffer.driver.data(),
                               static_cast<qsizetype>(device->buffer.driver.size())))
        .arg(device->buffer.periodSize)
        .arg(device->buffer.periods)
        .arg(device->sampleRate);
}

void showSoundOutput(const sound::MidiOutputPort& port, WindowStatusBar& bar) {
    if (port.isSilent())
        bar.setMessage(ui::coreText(kSilentOutputMessage));
    bar.setToolTip(soundOutputTip(port));
}

} // namespace sarvo::app
