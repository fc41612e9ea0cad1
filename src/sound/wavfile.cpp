#include "sound/wavfile.h"

#include "common/atomicfile.h"
#include "common/filebytes.h"

namespace sarvo::sound {
namespace {

void putLe(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

uint32_t getLe(std::string_view in, size_t at, int bytes) {
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= uint32_t{static_cast<uint8_t>(in[at + static_cast<size_t>(i)])} << (8 * i);
    return value;
}

} // namespace

std::string encodeWav(const WavAudio& audio) {
    const auto dataBytes = static_cast<uint32_t>(audio.samples.size() * 2);
    const auto channels = static_cast<uint32_t>(audio.channels);
    const auto rate = static_cast<uint32_t>(audio.sampleRate);
    std::string out = "RIFF";
    putLe(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    putLe(out, 16, 4);
    putLe(out, 1, 2); // PCM
    putLe(out, channels, 2);
    putLe(out, rate, 4);
    putLe(out, rate * channels * 2, 4);
    putLe(out, channels * 2, 2);
    putLe(out, 16, 2);
    out += "data";
    putLe(out, dataBytes, 4);
    for (int16_t sample : audio.samples)
        putLe(out, static_cast<uint16_t>(sample), 2);
    return out;
}

std::optional<WavAudio> decodeWav(std::string_view bytes) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE")
        return std::nullopt;
    WavAudio audio;
    bool haveFormat = false;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const std::string_view id = bytes.substr(at, 4);
        const uint32_t size = getLe(bytes, at + 4, 4);
        const size_t body = at + 8;
        if (size > bytes.size() - body)
            return std::nullopt;
        if (id == "fmt ") {
            if (size < 16 || getLe(bytes, body, 2) != 1 || getLe(bytes, body + 14, 2) != 16)
                return std::nullopt;
            audio.channels = static_cast<int>(getLe(bytes, body + 2, 2));
            audio.sampleRate = static_cast<int>(getLe(bytes, body + 4, 4));
            haveFormat = audio.channels > 0;
        } else if (id == "data" && haveFormat) {
            audio.samples.resize(size / 2);
            for (size_t i = 0; i < audio.samples.size(); ++i)
                audio.samples[i] = static_cast<int16_t>(getLe(bytes, body + 2 * i, 2));
            return audio;
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

std::string writeWavFile(const std::filesystem::path& path, const WavAudio& audio) {
    return writeFileAtomically(path, encodeWav(audio));
}

std::optional<WavAudio> readWavFile(const std::filesystem::path& path) {
    const std::optional<std::string> bytes = readFileBytes(path);
    return bytes ? decodeWav(*bytes) : std::nullopt;
}

} // namespace sarvo::sound
