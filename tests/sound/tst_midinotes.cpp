#include "smftesting.h"
#include "sound/midinotes.h"

#include <gtest/gtest.h>

namespace sarvo::sound {
namespace {

using testing::noteOff;
using testing::noteOn;

// A note written as track, channel, key, start, end.
struct Span {
    int track, channel, key;
    uint32_t start, end;
    bool operator==(const Span&) const = default;
};

std::vector<Span> spans(const std::vector<NoteSpan>& notes) {
    std::vector<Span> out;
    for (const NoteSpan& n : notes)
        out.push_back({n.track, n.channel, n.key, n.start, n.end});
    return out;
}

SmfFile fileOf(std::vector<std::vector<MidiEvent>> tracks) {
    SmfFile file;
    file.division.raw = 48;
    for (auto& events : tracks) {
        SmfTrack track;
        track.events = std::move(events);
        track.endTick = track.events.empty() ? 0 : track.events.back().tick;
        file.tracks.push_back(std::move(track));
    }
    return file;
}

TEST(CollectNotes, PairsNoteOffsWithTheEarliestOpenNote) {
    const SmfFile file = fileOf({
        {noteOn(0, 0, 60), noteOn(10, 0, 60), noteOff(20, 0, 60), noteOff(30, 0, 60),
         // a note-on of velocity 0 ends a note
         noteOn(30, 1, 64), MidiEvent::channelMessage(40, kNoteOn, 1, 64, 0),
         // an off without an on is ignored, a note of no length is left out
         noteOff(45, 2, 70), noteOn(50, 2, 72), noteOff(50, 2, 72),
         // still sounding at the end of the track
         noteOn(60, 3, 50), MidiEvent::meta(100, kMetaTrackName, "x")},
        {noteOn(5, 0, 67), noteOff(15, 0, 67)},
    });
    const std::vector<Span> expected = {{0, 0, 60, 0, 20},  {1, 0, 67, 5, 15},  {0, 0, 60, 10, 30},
                                        {0, 1, 64, 30, 40}, {0, 3, 50, 60, 100}};
    EXPECT_EQ(spans(collectNotes(file)), expected);
}

TEST(Voices, ListedByTrackAndChannelWithCountsRangesAndUpperOnsets) {
    SmfFile file = fileOf({
        {MidiEvent::meta(0, kMetaTrackName, "Lead"), noteOn(0, 0, 72), noteOn(0, 0, 76),
         noteOff(10, 0, 72), noteOff(10, 0, 76), noteOn(10, 0, 59), noteOff(20, 0, 59),
         noteOn(10, 9, 36), noteOff(12, 9, 36)},
    });
    const std::vector<MidiVoice> voices = listVoices(file, collectNotes(file));
    ASSERT_EQ(voices.size(), 2u);
    // The chord counts once as an upper onset, 59 is below middle C.
    const MidiVoice& lead = voices[0];
    EXPECT_EQ(std::tuple(lead.name, lead.noteCount, lead.lowest, lead.highest, lead.upperOnsets),
              std::tuple(std::string("Lead"), 3, 59, 76, 1));
    EXPECT_FALSE(voices[0].drums());
    EXPECT_TRUE(voices[1].drums());
}

TEST(ChooseMelody, DefaultTrackOrChannelAndTheirErrors) {
    // Track 0: a bass line of many low notes; track 1: a few high notes on channel 2; drums on
    // channel 10 with the most high notes of all.
    std::vector<MidiEvent> bass, lead, drums;
    for (uint32_t i = 0; i < 8; ++i) {
        bass.push_back(noteOn(i * 10, 0, 40));
        bass.push_back(noteOff(i * 10 + 5, 0, 40));
        drums.push_back(noteOn(i * 10, kDrumChannel, 80));
        drums.push_back(noteOff(i * 10 + 5, kDrumChannel, 80));
    }
    for (uint32_t i = 0; i < 3; ++i) {
        lead.push_back(noteOn(i * 10, 1, 72));
        lead.push_back(noteOff(i * 10 + 5, 1, 72));
    }
    drums.push_back(noteOn(100, 1, 90));
    drums.push_back(noteOff(105, 1, 90));
    const SmfFile file = fileOf({bass, lead, drums});
    const std::vector<NoteSpan> notes = collectNotes(file);

    using Case = std::tuple<const char*, MelodySource, size_t, std::string>;
    // clang-format off
    const std::vector<Case> cases = {
        {"default", {}, 3, ""}, {"track 1", {0, std::nullopt}, 8, ""},
        {"track 3 without its drums", {2, std::nullopt}, 1, ""},
        {"channel 2 of all tracks", {std::nullopt, 1}, 4, ""},
        {"drum channel", {std::nullopt, kDrumChannel}, 0, "channel 10 holds drums"},
        {"empty channel", {std::nullopt, 5}, 0, "channel 6 holds no notes"},
        {"missing track", {7, std::nullopt}, 0, "track 8 holds no notes"}};
    // clang-format on
    for (const auto& [name, source, count, error] : cases) {
        const ChosenNotes chosen = chooseMelodyNotes(file, notes, source);
        EXPECT_EQ(chosen.notes.size(), count) << name;
        EXPECT_EQ(chosen.error.substr(0, error.size()), error) << name;
    }
    const ChosenNotes byDefault = chooseMelodyNotes(file, notes, {});
    ASSERT_TRUE(byDefault.voice);
    EXPECT_EQ(std::pair(byDefault.voice->track, byDefault.voice->channel), std::pair(1, 1));

    const SmfFile onlyDrums = fileOf({drums});
    const std::vector<NoteSpan> drumNotes = collectNotes(onlyDrums);
    EXPECT_EQ(chooseMelodyNotes(onlyDrums, drumNotes, {}).voice->channel, 1);
}

TEST(ChooseMelody, TrackNamesCount) {
    using R = TrackRole;
    // clang-format off
    for (const auto& [name, role] : std::vector<std::pair<std::string, R>>{
             {"Melody 1", R::Melody}, {"Lead Vocal", R::Melody},
             {"\x83\x81\x83\x8D", R::Melody}, // メロ in code page 932
             {"Acc 1", R::Accompaniment}, {"Bass Guitar", R::Accompaniment},
             {"Drum Kit", R::Accompaniment}, {"伴奏", R::Accompaniment},
             {"Accordion", R::Unknown}, {"Piano", R::Unknown}})
        EXPECT_EQ(trackRoleOf(name), role) << name;
    // clang-format on
}

TEST(TopLine, KeepsTheHighestSoundingNote) {
    using Case = std::tuple<const char*, std::vector<Span>, std::vector<Span>, uint32_t>;
    // clang-format off
    const std::vector<Case> cases = {
        {"chord to its top note", {{0, 0, 60, 0, 10}, {0, 0, 64, 0, 10}, {0, 0, 67, 0, 10}},
         {{0, 0, 67, 0, 10}}, 0},
        {"lower note under a held one is dropped",
         {{0, 0, 72, 0, 20}, {0, 0, 60, 5, 10}, {0, 0, 62, 20, 30}},
         {{0, 0, 72, 0, 20}, {0, 0, 62, 20, 30}}, 0},
        {"a higher note cuts the sounding one", {{0, 0, 60, 0, 20}, {0, 0, 72, 10, 30}},
         {{0, 0, 60, 0, 10}, {0, 0, 72, 10, 30}}, 0},
        {"overlap of equal notes", {{0, 0, 60, 0, 20}, {0, 0, 60, 10, 30}},
         {{0, 0, 60, 0, 10}, {0, 0, 60, 10, 30}}, 0},
        {"separate notes stay", {{0, 0, 60, 0, 5}, {0, 0, 50, 10, 15}},
         {{0, 0, 60, 0, 5}, {0, 0, 50, 10, 15}}, 0},
        {"legato: a lower note cuts a tail shorter than a 32nd",
         {{0, 0, 72, 0, 100}, {0, 0, 71, 96, 196}, {0, 0, 69, 192, 292}},
         {{0, 0, 72, 0, 96}, {0, 0, 71, 96, 192}, {0, 0, 69, 192, 292}}, 96},
        {"a tail of a 32nd drops the lower note", {{0, 0, 72, 0, 108}, {0, 0, 71, 96, 196}},
         {{0, 0, 72, 0, 108}}, 96},
        {"an uneven chord under a 64th gives its top note",
         {{0, 0, 60, 0, 50}, {0, 0, 67, 5, 50}, {0, 0, 64, 5, 50}, {0, 0, 62, 11, 40}},
         {{0, 0, 67, 5, 50}}, 96},
    };
    // clang-format on
    for (const auto& [name, given, out, ticksPerQuarter] : cases) {
        std::vector<NoteSpan> in;
        for (const Span& s : given)
            in.push_back({s.track, s.channel, s.key, 100, s.start, s.end});
        EXPECT_EQ(spans(topLine(in, ticksPerQuarter)), out) << name;
    }
}

} // namespace
} // namespace sarvo::sound
