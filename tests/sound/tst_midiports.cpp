#include "audioanalysis.h"
#include "sound/fluidsynthoutput.h"
#include "sound/midiports.h"
#include "sound/recordingmidioutput.h"
#include "sound/rtmidioutput.h"
#include "soundtesting.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <future>
#include <thread>

namespace sarvo::sound {
namespace {

// A port list of test outputs: a row opens a forwarding output to the recorder, or fails; with a
// gate, only once the test opens it.
std::vector<MidiPortEntry> testPorts(RecordingMidiOutput& recorder, std::vector<bool> opens,
                                     std::shared_future<void> gate = {}) {
    std::vector<MidiPortEntry> ports;
    for (size_t i = 0; i < opens.size(); ++i)
        ports.push_back(
            {u"port", "test", static_cast<int>(i),
             [&recorder, ok = static_cast<bool>(opens[i]), gate] {
                 if (gate.valid())
                     gate.wait();
                 return ok ? OpenedOutput{std::make_unique<ForwardingMidiOutput>(recorder), {}}
                           : OpenedOutput{nullptr, "device busy"};
             }});
    return ports;
}

struct PortCase {
    const char* name;
    std::vector<bool> opens;
    int row;
    bool opened;
    std::vector<std::u16string> messages;
};

class MidiOutputPortTest : public ::testing::TestWithParam<PortCase> {};

TEST_P(MidiOutputPortTest, OpensTheRowOrTellsTheUser) {
    const PortCase& c = GetParam();
    RecordingMidiOutput recorder;
    RecordingInteractive ui;
    {
        MidiOutputPort port(ui, testPorts(recorder, c.opens));
        EXPECT_EQ(port.open(c.row), c.opened);
        port.sendShortMessage(noteOnMessage(72));
        EXPECT_EQ(port.isOpen(), c.opened);
        EXPECT_EQ(port.selectedRow(), c.row);
        EXPECT_EQ(ui.messages(), c.messages);
        EXPECT_EQ(port.lastError().empty(), c.opened);
    }
    // a port that failed to open sounds nothing; closing the program resets an open one
    EXPECT_EQ(sentSince(recorder, TimePoint{}).size(), c.opened ? 2u : 0u);
    if (c.opened) {
        EXPECT_TRUE(recorder.sent().back().isReset);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MidiOutputPortTest,
    ::testing::Values(
        PortCase{"second_row", {true, true}, 1, true, {}},
        PortCase{"failing_row", {true, false}, 1, false, {std::u16string(kOpenFailedMessage)}},
        PortCase{"row_past_the_list", {true}, 3, false, {std::u16string(kOpenFailedMessage)}}),
    CaseName());

TEST(MidiOutputPortLifecycleTest, ReleaseResetsAndClosesReopenIsQuiet) {
    RecordingMidiOutput recorder;
    RecordingInteractive ui;
    MidiOutputPort port(ui, testPorts(recorder, {true, false}));
    ASSERT_TRUE(port.open(0));
    port.release();
    EXPECT_FALSE(port.isOpen());
    ASSERT_EQ(recorder.sent().size(), 1u);
    EXPECT_TRUE(recorder.sent()[0].isReset);
    port.sendShortMessage(noteOnMessage(60)); // released: goes nowhere
    EXPECT_EQ(recorder.sent().size(), 1u);
    EXPECT_TRUE(port.reopen());
    EXPECT_EQ(port.selectedRow(), 0);

    // a reopen that fails keeps its reason but shows nothing
    EXPECT_FALSE(port.open(1));
    const size_t shown = ui.messages().size();
    EXPECT_FALSE(port.reopen());
    EXPECT_EQ(ui.messages().size(), shown);
    EXPECT_EQ(port.lastError(), "device busy");
}

TEST(MidiPortListTest, EmbeddedSynthesizerFirstThenSystemPorts) {
    RecordingInteractive ui;
    const std::vector<MidiPortEntry> ports = listMidiPorts(ui);
    const std::vector<std::string> system = RtMidiOutput::portNames();
    ASSERT_EQ(ports.size(), 1 + system.size());
    EXPECT_EQ(ports[0].label, kDefaultPortLabel);
    EXPECT_EQ(ports[0].backend, "fluidsynth");
    for (size_t i = 0; i < system.size(); ++i) {
        EXPECT_EQ(ports[1 + i].backend, "rtmidi");
        EXPECT_EQ(ports[1 + i].portIndex, static_cast<int>(i));
    }
    EXPECT_TRUE(ui.messages().empty());
}

std::vector<std::string> twoNamedPorts() {
    return {"Synth A", " "};
}

OpenedOutput openNothing(int) {
    return {nullptr, "unplugged"};
}

struct ListCase {
    const char* name;
    std::vector<MidiBackend> backends;
    std::vector<std::u16string> labels;
    std::vector<std::u16string> messages;
};

class MidiPortListTableTest : public ::testing::TestWithParam<ListCase> {};

TEST_P(MidiPortListTableTest, ListsEveryPortOrSaysThereIsNone) {
    RecordingInteractive ui;
    std::vector<std::u16string> labels;
    for (const MidiPortEntry& port : listMidiPorts(ui, GetParam().backends))
        labels.push_back(port.label);
    EXPECT_EQ(labels, GetParam().labels);
    EXPECT_EQ(ui.messages(), GetParam().messages);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Tables, MidiPortListTableTest, ::testing::Values(
    ListCase{"no_backend", {}, {}, {std::u16string(kNoSoundSourceMessage)}},
    ListCase{"backend_without_ports", {*midiBackendByName("null")}, {},
             {std::u16string(kNoSoundSourceMessage)}},
    // a blank name reads "(標準)"
    ListCase{"named_and_blank_ports", {{"test", twoNamedPorts, openNothing}},
             {u"Synth A", u"(標準)"}, {}}),
    CaseName());
// clang-format on

struct BackgroundCase {
    const char* name;
    bool opens;
    size_t messagesTold;
};

class BackgroundOpenTest : public ::testing::TestWithParam<BackgroundCase> {};

TEST_P(BackgroundOpenTest, WhatIsSentMeanwhileFollowsInOrder) {
    // [GIVEN] a port that takes its time to open, opening in the background
    RecordingMidiOutput recorder;
    RecordingInteractive ui;
    std::promise<void> gate;
    MidiOutputPort port(ui, testPorts(recorder, {GetParam().opens}, gate.get_future().share()));
    std::promise<void> ended;
    port.openInBackground(0, [&ended] { ended.set_value(); });
    // [WHEN] messages are sent before the open has ended
    port.sendShortMessage(programChangeMessage(7));
    port.reset();
    port.sendShortMessage(noteOnMessage(72));
    EXPECT_TRUE(recorder.sent().empty());
    gate.set_value();
    ended.get_future().wait();
    // [THEN] an open output takes them in their order, and what follows straight away; a failure
    // is told once, on the caller's thread
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(port.finishOpening(), GetParam().opens);
    EXPECT_EQ(port.finishOpening(), GetParam().opens);
    EXPECT_EQ(ui.messages().size(), GetParam().messagesTold);
    port.sendShortMessage(noteOffMessage(72));
    const std::vector<uint32_t> expected = {programChangeMessage(7), 0, on(72), off(72)};
    std::vector<uint32_t> sent;
    for (const auto& [message, ms] : sentSince(recorder, TimePoint{}))
        sent.push_back(message);
    EXPECT_EQ(sent, GetParam().opens ? expected : std::vector<uint32_t>{});
}

INSTANTIATE_TEST_SUITE_P(Opens, BackgroundOpenTest,
                         ::testing::Values(BackgroundCase{"opens", true, 0},
                                           BackgroundCase{"fails", false, 1}),
                         CaseName());

struct DriverCase {
    const char* name;
    std::vector<AudioBuffer> buffers;
    const char* driver; // the one that plays; nullptr for none
    double latencyMs;
};

class FluidSynthDriverTest : public ::testing::TestWithParam<DriverCase> {};

// A fresh working folder for the test's lifetime.
struct WorkingFolder {
    std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("sarvo-driver-" + std::to_string(::getpid()));
    WorkingFolder() {
        std::filesystem::create_directories(path);
        std::filesystem::current_path(path);
    }
    ~WorkingFolder() {
        std::filesystem::current_path(before);
        std::filesystem::remove_all(path);
    }
};

TEST_P(FluidSynthDriverTest, PlaysThroughTheFirstDriverThatOpensOrNone) {
    // FluidSynth's "file" driver stands in for a sound card: it plays in real time into
    // fluidsynth.wav in the working folder.
    const WorkingFolder folder;
    std::optional<AudioDevice> device;
    std::optional<WavAudio> audio;
    {
        FluidSynthOutput::Opened opened =
            FluidSynthOutput::open(kDefaultSoundFont, GetParam().buffers);
        ASSERT_TRUE(opened.output) << opened.error;
        FluidSynthOutput& output = *opened.output;
        device = output.audioDevice();
        EXPECT_EQ(output.hasAudioDevice(), device.has_value());
        output.sendShortMessage(noteOnMessage(69));
        if (device) {
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
        } else {
            // without a device the synthesizer is pulled from as a renderer
            WavAudio rendered{2, kRenderSampleRate, std::vector<int16_t>(2 * 17640)};
            output.render(rendered.samples.data(), 17640);
            audio = rendered;
        }
    }
    if (device)
        audio = readWavFile(folder.path / "fluidsynth.wav");

    ASSERT_EQ(device.has_value(), GetParam().driver != nullptr);
    if (device) {
        EXPECT_EQ(device->buffer.driver, GetParam().driver);
        EXPECT_NEAR(device->latencyMs(), GetParam().latencyMs, 0.05);
    }
    // the note is in the sound, at its pitch
    ASSERT_TRUE(audio);
    const std::vector<double> samples = monoSamples(*audio);
    ASSERT_GT(samples.size(), 8820u);
    const std::vector<double> loudness = envelope(samples, 441);
    EXPECT_GT(*std::max_element(loudness.begin(), loudness.end()), 0.01);
    EXPECT_NEAR(
        centsBetween(strongestFrequency(samples, 2205, 6615, audio->sampleRate, 440.0), 440.0), 0,
        10);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, FluidSynthDriverTest,
    ::testing::Values(
        DriverCase{"first_that_opens", {{"no-such-driver", 64, 2}, {"file", 128, 2}}, "file", 5.8},
        DriverCase{"none_opens", {{"no-such-driver", 64, 2}}, nullptr, 0},
        DriverCase{"offline", {}, nullptr, 0}),
    CaseName());

TEST(MidiOutputs, AMissingSoundFontOrAPortPastTheListIsAnErrorNotACrash) {
    const FluidSynthOutput::Opened synthesizer =
        FluidSynthOutput::open("/nonexistent/font.sf2", {});
    EXPECT_FALSE(synthesizer.output);
    EXPECT_NE(synthesizer.error.find("/nonexistent/font.sf2"), std::string::npos);
    const RtMidiOutput::Opened port =
        RtMidiOutput::open(static_cast<int>(RtMidiOutput::portNames().size()));
    EXPECT_FALSE(port.output);
    EXPECT_FALSE(port.error.empty());
}

} // namespace
} // namespace sarvo::sound
