#pragma once
// What the status bar says about the sound output once it has opened at start: that no sound
// device takes the embedded synthesizer's sound (playback still runs, silently), and, as the
// status bar's tip, how long a note takes to be heard.

#include <QString>

namespace sarvo::sound {
class MidiOutputPort;
}

namespace sarvo::app {

class WindowStatusBar;

inline constexpr char16_t kSilentOutputMessage[] =
    u"サウンドデバイスが開けません。音は出ませんが、再生はできます";

// The tip for the output's sound path: the delay through the device's buffer, "サウンドデバイス
// なし" when it plays silently, "" for a MIDI port of the system, whose delay is its own.
QString soundOutputTip(const sound::MidiOutputPort& port);

void showSoundOutput(const sound::MidiOutputPort& port, WindowStatusBar& bar);

} // namespace sarvo::app
