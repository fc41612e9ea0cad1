#include "../common/tempfolder.h"
#include "sound/wavfile.h"
#include "soundtesting.h"

#include <gtest/gtest.h>

namespace sarvo::sound {
namespace {

struct WavCase {
    const char* name;
    WavAudio audio;
};

class WavFileTest : public ::testing::TestWithParam<WavCase> {};

TEST_P(WavFileTest, RoundTripsThroughAFile) {
    testing::TempFolder dir;
    const auto path = dir.path() / "a.wav";
    ASSERT_EQ(writeWavFile(path, GetParam().audio), "");
    const std::string bytes = testing::readBytes(path);
    EXPECT_EQ(bytes.size(), 44 + 2 * GetParam().audio.samples.size());
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    const std::optional<WavAudio> back = readWavFile(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->channels, GetParam().audio.channels);
    EXPECT_EQ(back->sampleRate, GetParam().audio.sampleRate);
    EXPECT_EQ(back->samples, GetParam().audio.samples);
}

INSTANTIATE_TEST_SUITE_P(Audio, WavFileTest,
                         ::testing::Values(WavCase{"stereo",
                                                   {2, 44100, {0, 1, -1, 32767, -32768, 5}}},
                                           WavCase{"mono", {1, 22050, {100, -100, 7}}},
                                           WavCase{"empty", {2, 44100, {}}}),
                         CaseName());

TEST(WavDecodeTest, RefusesWhatIsNotPcm16) {
    const std::string good = encodeWav({1, 8000, {1, 2}});
    std::string eightBit = good;
    eightBit[34] = 8; // bits per sample
    std::string compressed = good;
    compressed[20] = 3; // format tag: floating point
    std::string truncated = good.substr(0, good.size() - 3);
    truncated[40] = 9; // data size larger than the file
    for (const std::string& bytes :
         {std::string(), std::string("RIFF0000WAVX"), eightBit, compressed, truncated})
        EXPECT_FALSE(decodeWav(bytes)) << bytes.size();
    EXPECT_TRUE(decodeWav(good));
}

} // namespace
} // namespace sarvo::sound
