#include "app/soundsettings.h"

#include "sound/voicelist.h"

#include <algorithm>

namespace sarvo::app {

sound::PlaybackTiming playbackTiming(const settings::Preferences& preferences) {
    const std::optional<int> tenths = settings::noteLengthTenths(preferences.tempoNote);
    const int tempoBase =
        std::clamp(preferences.tempoBase, sound::kMinTempoBase, sound::kMaxTempoBase);
    if (!tenths || *tenths <= 0 || preferences.tempo <= 0)
        return sound::PlaybackTiming(15, 100, tempoBase);
    return sound::PlaybackTiming(600, int64_t{preferences.tempo} * *tenths, tempoBase);
}

sound::InputSoundMode inputSoundMode(settings::InputSound sound) {
    switch (sound) {
    case settings::InputSound::None: return sound::InputSoundMode::Silent;
    case settings::InputSound::Automatic: return sound::InputSoundMode::WhileHeld;
    case settings::InputSound::FollowNote: return sound::InputSoundMode::NoteLength;
    }
    return sound::InputSoundMode::WhileHeld;
}

std::optional<int> voiceProgram(const settings::Preferences& preferences) {
    const std::optional<int> row = sound::voiceRowOfText(preferences.voice);
    if (!row)
        return std::nullopt;
    return sound::voiceList()[static_cast<size_t>(*row)].program;
}

std::optional<int> songProgram(std::u16string_view neiro) {
    if (neiro.empty() || neiro.size() > 3)
        return std::nullopt;
    int program = 0;
    for (const char16_t c : neiro) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        program = program * 10 + (c - u'0');
    }
    if (program > 127)
        return std::nullopt;
    return program;
}

} // namespace sarvo::app
