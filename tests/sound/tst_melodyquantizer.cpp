#include "sound/melodyquantizer.h"

#include <gtest/gtest.h>

namespace sarvo::sound {
namespace {

// The two passes that move notes in time before the grid is laid: the playing's offset (late
// notes move back, early ones forward by whole notes) and long silences (closed by whole notes,
// keeping the beat). Neither changes a note's length.
TEST(QuantizeNotes, OffsetAndLongSilencesMoveNotesByWholeBeats) {
    using Case = std::tuple<const char*, void (*)(std::vector<TimedNote>&), std::vector<TimedNote>,
                            std::vector<double>>;
    const auto offset = removePlayingOffset;
    const auto silences = closeLongSilences;
    // clang-format off
    const std::vector<Case> cases = {
        {"late by 5, ten million beats apart", offset, {{5, 41, 60}, {4.8e8 + 5, 4.8e8 + 41, 62}},
         {0, 4.8e8}},
        {"a pickup a sixteenth before the first beat", offset, {{-12, 0, 60}, {0, 48, 62}}, {180, 192}},
        {"early by 3 and played on", offset, {{-3, 45, 60}, {45, 93, 62}}, {0, 48}},
        {"leading bars go, the beat stays", silences, {{400, 448, 60}, {448, 496, 62}}, {16, 64}},
        {"two bars of rest stay", silences, {{0, 48, 60}, {432, 480, 62}}, {0, 432}},
        {"ten bars of rest become two and the rest of a bar", silences,
         {{0, 48, 60}, {1968, 2000, 62}, {2000, 2048, 64}}, {0, 432, 464}},
        {"a note held for ten bars is silent after its first", silences,
         {{0, 1920, 60}, {1920, 1968, 62}}, {0, 576}},
        {"a chord-like overlap is no silence", silences, {{0, 960, 60}, {100, 148, 62}}, {0, 100}},
    };
    // clang-format on
    for (const auto& [name, pass, given, expected] : cases) {
        std::vector<TimedNote> notes = given;
        pass(notes);
        std::vector<double> starts;
        for (size_t i = 0; i < notes.size(); ++i) {
            starts.push_back(notes[i].start);
            EXPECT_DOUBLE_EQ(notes[i].end - notes[i].start, given[i].end - given[i].start);
        }
        EXPECT_EQ(starts, expected) << name;
    }
}

TEST(QuantizeNotes, LengthsFollowTheSoundingTimeAndLeaveRests) {
    using Case = std::tuple<const char*, std::vector<TimedNote>, std::vector<QuantizedNote>>;
    // clang-format off
    const std::vector<Case> cases = {
        {"staccato quarters", {{0, 20, 60}, {48, 70, 62}}, {{0, 24, 60}, {48, 24, 62}}},
        {"long note is a whole note", {{0, 400, 60}, {480, 528, 62}}, {{0, 192, 60}, {480, 48, 62}}},
        {"short note on the plain grid is a sixteenth", {{0, 2, 60}}, {{0, 12, 60}}},
        {"short note on the sextuplet grid is a sextuplet", {{0, 2, 60}, {8, 10, 62}, {16, 40, 64}},
         {{0, 8, 60}, {8, 8, 62}, {16, 24, 64}}},
        {"chord onsets on one point keep the higher note", {{0, 40, 60}, {1, 47, 67}}, {{0, 48, 67}}},
        {"rest before the first note", {{96, 144, 64}}, {{96, 48, 64}}}};
    // clang-format on
    for (const auto& [name, notes, out] : cases)
        EXPECT_EQ(quantizeNotes(notes), out) << name;
}

TEST(FitIntoRange, ShiftsTheWholeMelodyThenFoldsTheRest) {
    // clang-format off
    for (const auto& [name, keys, fitted] : std::vector<std::tuple<const char*, std::vector<int>, std::vector<int>>>{
             {"inside stays", {60, 72, 95}, {60, 72, 95}},
             {"bass line up two octaves", {36, 40, 43, 48}, {60, 64, 67, 72}},
             {"high line down one octave", {100, 96, 84}, {88, 84, 72}},
             {"wide line: the shift that keeps most inside, the others fold", {50, 62, 70, 80, 99},
              {62, 74, 82, 92, 87}},
             {"equal counts take the smaller shift", {55, 96}, {67, 84}}}) {
        // clang-format on
        std::vector<QuantizedNote> notes;
        for (int key : keys)
            notes.push_back({0, 48, key});
        fitIntoRange(notes);
        std::vector<int> out;
        for (const QuantizedNote& n : notes)
            out.push_back(n.key);
        EXPECT_EQ(out, fitted) << name;
    }
}

TEST(MelodyText, NotesAndTheRestsBetweenThem) {
    using Case = std::tuple<std::vector<QuantizedNote>, std::u16string>;
    const std::vector<Case> cases = {
        {{{0, 48, 72}, {48, 36, 61}, {96, 16, 95}}, u"C中ド D.低ド# J 3高シ "},
        {{{300, 192, 60}}, u"F G J A低ド "},
        {{{20, 8, 64}, {28, 32, 66}, {96, 144, 67}}, u"J ` 6低ミ 2低フ# I. B.低ソ "},
        {std::vector<QuantizedNote>{}, u""},
    };
    for (const auto& [notes, text] : cases)
        EXPECT_EQ(melodyTextOf(notes), text);
}

} // namespace
} // namespace sarvo::sound
