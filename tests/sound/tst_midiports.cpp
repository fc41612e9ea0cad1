#include "sound/fluidsynthoutput.h"
#include "sound/midiports.h"
#include "sound/recordingmidioutput.h"
#include "sound/rtmidioutput.h"
#include "soundtesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace sarvo::sound {
namespace {

// A port list of test outputs: a row opens a forwarding output to the recorder, or fails.
std::vector<MidiPortEntry> testPorts(RecordingMidiOutput& recorder, std::vector<bool> opens) {
    std::vector<MidiPortEntry> ports;
    for (size_t i = 0; i < opens.size(); ++i) {
        const bool ok = opens[i];
        ports.push_back(
            {u"port", "test", static_cast<int>(i), [&recorder, ok] {
                 return ok ? OpenedOutput{std::make_unique<ForwardingMidiOutput>(recorder), {}}
                           : OpenedOutput{nullptr, "device busy"};
             }});
    }
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
    MidiOutputPort port(ui, testPorts(recorder, c.opens));

    EXPECT_EQ(port.open(c.row), c.opened);
    port.sendShortMessage(noteOnMessage(72));

    EXPECT_EQ(port.isOpen(), c.opened);
    EXPECT_EQ(port.selectedRow(), c.row);
    EXPECT_EQ(ui.messages(), c.messages);
    EXPECT_EQ(port.lastError().empty(), c.opened);
    // a port that failed to open sounds nothing
    EXPECT_EQ(recorder.messages().size(), c.opened ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MidiOutputPortTest,
    ::testing::Values(
        PortCase{"first_row", {true, true}, 0, true, {}},
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

TEST(MidiOutputPortLifecycleTest, ClosingTheProgramResetsTheOutput) {
    RecordingMidiOutput recorder;
    RecordingInteractive ui;
    {
        MidiOutputPort port(ui, testPorts(recorder, {true}));
        ASSERT_TRUE(port.open(0));
        port.sendShortMessage(noteOnMessage(72));
    }
    ASSERT_EQ(recorder.sent().size(), 2u);
    EXPECT_TRUE(recorder.sent()[1].isReset);
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

INSTANTIATE_TEST_SUITE_P(
    Tables, MidiPortListTableTest,
    ::testing::Values(ListCase{"no_backend", {}, {}, {std::u16string(kNoSoundSourceMessage)}},
                      ListCase{"backend_without_ports",
                               {*midiBackendByName("null")},
                               {},
                               {std::u16string(kNoSoundSourceMessage)}},
                      // a blank name reads "(標準)"
                      ListCase{"named_and_blank_ports",
                               {{"test", twoNamedPorts, openNothing}},
                               {u"Synth A", u"(標準)"},
                               {}}),
    CaseName());

TEST(MidiPortListTest, BackendsByName) {
    std::vector<std::string_view> names;
    for (const MidiBackend& backend : midiBackends())
        names.push_back(backend.name);
    EXPECT_EQ(names, (std::vector<std::string_view>{"fluidsynth", "rtmidi", "null"}));
    ASSERT_NE(midiBackendByName("null"), nullptr);
    EXPECT_TRUE(midiBackendByName("null")->portNames().empty());
    EXPECT_TRUE(midiBackendByName("null")->open(0).output);
    EXPECT_EQ(midiBackendByName("mci"), nullptr);
}

TEST(FluidSynthOutputTest, WorksWithOrWithoutASoundDevice) {
    // [GIVEN] the embedded output opened as the program opens it (here there may be no sound
    // card: it must not fail for that)
    FluidSynthOutput::Opened opened = FluidSynthOutput::open();
    ASSERT_TRUE(opened.output) << opened.error;
    FluidSynthOutput& output = *opened.output;
    output.sendShortMessage(programChangeMessage(7));
    output.sendShortMessage(noteOnMessage(69));
    if (output.hasAudioDevice())
        GTEST_SKIP() << "a sound device plays the note; rendering is only for machines without";
    // [WHEN] it is pulled from as a renderer
    std::vector<int16_t> samples(2 * 4410);
    output.render(samples.data(), 4410);
    // [THEN] the note is there
    const auto loudest = std::max_element(samples.begin(), samples.end(), [](int16_t a, int16_t b) {
        return std::abs(a) < std::abs(b);
    });
    EXPECT_GT(std::abs(*loudest), 1000);
}

TEST(FluidSynthOutputTest, MissingSoundFontIsAnError) {
    const FluidSynthOutput::Opened opened = FluidSynthOutput::open("/nonexistent/font.sf2", false);
    EXPECT_FALSE(opened.output);
    EXPECT_NE(opened.error.find("/nonexistent/font.sf2"), std::string::npos);
}

TEST(RtMidiOutputTest, APortPastTheListIsAnErrorNotACrash) {
    const RtMidiOutput::Opened opened =
        RtMidiOutput::open(static_cast<int>(RtMidiOutput::portNames().size()));
    EXPECT_FALSE(opened.output);
    EXPECT_FALSE(opened.error.empty());
}

} // namespace
} // namespace sarvo::sound
