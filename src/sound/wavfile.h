#pragma once
// 16-bit PCM WAV files: what the renderers write and what the sound tests read back.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sarvo::sound {

struct WavAudio {
    int channels = 2;
    int sampleRate = 44100;
    std::vector<int16_t> samples; // interleaved
};

std::string encodeWav(const WavAudio& audio);
// nullopt unless the bytes are a RIFF WAVE file of 16-bit PCM.
std::optional<WavAudio> decodeWav(std::string_view bytes);

// Returns "" on success, otherwise a message naming the file and the reason.
std::string writeWavFile(const std::filesystem::path& path, const WavAudio& audio);
std::optional<WavAudio> readWavFile(const std::filesystem::path& path);

} // namespace sarvo::sound
