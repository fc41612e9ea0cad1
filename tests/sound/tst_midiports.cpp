#include "../common/tempfolder.h"
#include "audioanalysis.h"
#include "sound/fluidsynthoutput.h"
#include "sound/midiports.h"
#include "sound/recordingmidioutput.h"
#include "sound/rtmidioutput.h"
#include "soundtesting.h"

#include <gtest/gtest.h>

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

// Opening a row that fails or lies past the list tells the user, reopening does not; release and
// closing the program reset an open output.
TEST(MidiOutputPort, OpensTheRowOrTellsTheUserAndResetsOnClosing) {
    RecordingMidiOutput recorder;
    RecordingInteractive ui;
    {
        MidiOutputPort port(ui, testPorts(recorder, {true, false}));
        EXPECT_FALSE(port.open(3));
        EXPECT_FALSE(port.open(1));
        port.sendShortMessage(on(60)); // not open: goes nowhere
        EXPECT_FALSE(port.reopen());
        EXPECT_EQ(port.lastError(), "device busy");
        EXPECT_EQ(ui.messages(), std::vector(2, std::u16string(kOpenFailedMessage)));
        ASSERT_TRUE(port.open(0));
        EXPECT_EQ(port.lastError(), "");
        port.release();
        EXPECT_FALSE(port.isOpen());
        port.sendShortMessage(on(62)); // released: goes nowhere
        ASSERT_TRUE(port.reopen());
        EXPECT_EQ(port.selectedRow(), 0);
        port.sendShortMessage(on(72));
    }
    EXPECT_EQ(sentSince(recorder, TimePoint{}), (std::vector<Sent>{{0, 0}, {on(72), 0}, {0, 0}}));
    EXPECT_EQ(ui.messages().size(), 2u);
}

// The embedded synthesizer comes first, then the system's ports; a blank name reads "(標準)";
// without any port the user is told there is no sound source.
TEST(MidiPortList, ListsEveryPortOrSaysThereIsNone) {
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
    const std::u16string none(kNoSoundSourceMessage);
    for (const auto& [backends, labels, messages] :
         {std::tuple{std::vector<MidiBackend>{}, std::vector<std::u16string>{}, std::vector{none}},
          {{*midiBackendByName("null")}, {}, {none}},
          {{{"test", [] { return std::vector<std::string>{"Synth A", " "}; },
             [](int) { return OpenedOutput{nullptr, "unplugged"}; }}},
           {u"Synth A", u"(標準)"},
           {}}}) {
        RecordingInteractive told;
        std::vector<std::u16string> listed;
        for (const MidiPortEntry& port : listMidiPorts(told, backends))
            listed.push_back(port.label);
        EXPECT_EQ(listed, labels);
        EXPECT_EQ(told.messages(), messages);
    }
}

// A port that takes its time to open, opening in the background: an open output takes what was
// sent meanwhile in its order, and what follows straight away; a failure is told once, on the
// caller's thread.
TEST(MidiOutputPort, WhatIsSentWhileOpeningInTheBackgroundFollowsInOrder) {
    for (const bool opens : {true, false}) {
        RecordingMidiOutput recorder;
        RecordingInteractive ui;
        std::promise<void> gate;
        MidiOutputPort port(ui, testPorts(recorder, {opens}, gate.get_future().share()));
        std::promise<void> ended;
        port.openInBackground(0, [&ended] { ended.set_value(); });
        port.sendShortMessage(programChangeMessage(7));
        port.reset();
        port.sendShortMessage(noteOnMessage(72));
        EXPECT_TRUE(recorder.sent().empty());
        gate.set_value();
        ended.get_future().wait();
        EXPECT_TRUE(ui.messages().empty());
        EXPECT_EQ(port.finishOpening(), opens);
        EXPECT_EQ(port.finishOpening(), opens);
        EXPECT_EQ(ui.messages().size(), opens ? 0u : 1u);
        port.sendShortMessage(noteOffMessage(72));
        const std::vector<Sent> expected = {
            {programChangeMessage(7), 0}, {0, 0}, {on(72), 0}, {off(72), 0}};
        EXPECT_EQ(sentSince(recorder, TimePoint{}), opens ? expected : std::vector<Sent>{});
    }
}

// A fresh working folder for the test's lifetime, left even when a check stops the test.
struct WorkingFolder : sarvo::testing::TempFolder {
    std::filesystem::path before = std::filesystem::current_path();
    WorkingFolder() { std::filesystem::current_path(path()); }
    ~WorkingFolder() { std::filesystem::current_path(before); }
};

// FluidSynth's "file" driver stands in for a sound card: it plays in real time into
// fluidsynth.wav in the working folder. Without a driver that opens, the synthesizer is pulled
// from as a renderer.
TEST(FluidSynthDriver, PlaysThroughTheFirstDriverThatOpensOrNone) {
    for (const auto& [buffers, driver, latencyMs] :
         {std::tuple{std::vector<AudioBuffer>{{"no-such-driver", 64, 2}, {"file", 128, 2}}, "file",
                     5.8},
          {std::vector<AudioBuffer>{}, nullptr, 0.0}}) {
        const WorkingFolder folder;
        std::optional<AudioDevice> device;
        std::optional<WavAudio> audio;
        {
            FluidSynthOutput::Opened opened = FluidSynthOutput::open(kDefaultSoundFont, buffers);
            ASSERT_TRUE(opened.output) << opened.error;
            FluidSynthOutput& output = *opened.output;
            device = output.audioDevice();
            EXPECT_EQ(output.hasAudioDevice(), device.has_value());
            output.sendShortMessage(noteOnMessage(69));
            if (device) {
                std::this_thread::sleep_for(std::chrono::milliseconds(400));
            } else {
                WavAudio rendered{2, kRenderSampleRate, std::vector<int16_t>(2 * 17640)};
                output.render(rendered.samples.data(), 17640);
                audio = rendered;
            }
        }
        ASSERT_EQ(device.has_value(), driver != nullptr);
        if (device) {
            audio = readWavFile(folder.path() / "fluidsynth.wav");
            EXPECT_EQ(device->buffer.driver, driver);
            EXPECT_NEAR(device->latencyMs(), latencyMs, 0.05);
        }
        // the note is in the sound, at its pitch
        ASSERT_TRUE(audio);
        const std::vector<double> samples = monoSamples(*audio);
        ASSERT_GT(samples.size(), 8820u);
        const std::vector<double> loudness = envelope(samples, 441);
        EXPECT_GT(*std::max_element(loudness.begin(), loudness.end()), 0.01);
        const double hz = strongestFrequency(samples, 2205, 6615, audio->sampleRate, 440.0);
        EXPECT_NEAR(centsBetween(hz, 440.0), 0, 10);
    }
}

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
