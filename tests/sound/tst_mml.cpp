// The MML writer (melody to the cells of a part line) and the MML compiler (text to a MIDI file),
// with mml2midi, which compiles a file and writes the MIDI file.

#include "../common/tempfolder.h"
#include "sound/mml2midi.h"
#include "sound/mmlcompiler.h"
#include "sound/mmlwriter.h"
#include "sound/smfreader.h"
#include "sound/smfwriter.h"
#include "soundtesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <optional>

namespace sarvo::sound {
namespace {

// The cells after the header of a one-part line.
std::string cellsOf(const std::u16string& melody, MmlOptions options = {}) {
    const std::string line = mmlPartLine({melody, 120, 0}, 0, options);
    const std::string header = "A C1 @1 t120 v127 o5";
    EXPECT_EQ(line.substr(0, header.size()), header);
    return line.size() > header.size() ? line.substr(header.size() + 1) : "";
}

// Melody → the cells of its MML line, with or without merging repeated notes.
TEST(MmlWriter, CellsOfMelodies) {
    using Case = std::tuple<std::u16string, bool, std::string>;
    // clang-format off
    const std::vector<Case> cases = {
        // Length numbers of every code.
        {u"A中ド B中ド C中ド D中ド E中ド ", false, "c1 c2 c4 c8 c16"},
        {u"A.中ド B.中ド C.中ド D.中ド E.中ド ", false, "c1. c2. c4. c8. c16."},
        {u"2中レ 3中レ 5中レ 6中レ ", false, "d6 d12 d12 d24"},
        {u"F G H I J F. J. ", false, "r1 r2 r4 r8 r16 r1. r16."}, {u"\\ ] _ ` ", false, "r6 r12 r12 r24"},
        {u"C中ド# C中レ# C中フ# C中ソ# C中ラ# C中ミ C中シ ", false, "c+4 d+4 f+4 g+4 a+4 e4 b4"},
        // Octave changes are relative; rests keep the octave.
        {u"C低ド C高ド C中ド ", false, "<c4 >>c4 <c4"}, {u"C高ド C低ド C中ド ", false, ">c4 <<c4 >c4"},
        {u"C高ド H C高レ H C中ド ", false, ">c4 r4 d4 r4 <c4"}, {u"H C中ド ", false, "r4 c4"},
        // Tied notes keep their whole time.
        {u"C中ド ^ ", false, "c2"}, {u"C中ド ^ ^ ", false, "c2."}, {u"C中ド ^ ^ ^ ^ ", false, "c1&4"},
        {u"D中ド ^ ^ ^ ^ ", false, "c2&8"}, {u"E.中ド ^ ^ ", false, "c8.&16."}, {u"3中ド ^ ", false, "c6"},
        {u"A中ド ^ ^ ^ ^ ", false, "c1&1&1&1&1"}, {u"H ^ ", false, "r2"},
        // Merging stops at any difference; ミ# is no pitch: the token keeps its time as a rest.
        {u"D中レ D中レ# ", true, "d8 d+8"}, {u"D中ミ D中ミ# ", true, "e8 r8"},
        {u"D中ミ D高ミ ", true, "e8 >e8"}, {u"D中ミ E中ミ ", true, "e8 e16"},
        {u"D中ミ ^ D中ミ ", true, "e4 e8"}, {u"D中ミ I D中ミ ", true, "e8 r8 e8"}, {u"I I ", true, "r8 r8"},
        // Without merging every token is a cell of its own; a merged run keeps its whole time, one
        // length where the table of merged lengths names one, otherwise "&" carries the remainder.
        {u"D中ミ D中ミ ", false, "e8 e8"}, {u"D中ミ D中ミ ", true, "e4"}, {repeated(u"D中ミ ", 3), true, "e4."},
        {repeated(u"D中ミ ", 5), true, "e2&8"}, {repeated(u"D中ミ ", 8), true, "e1"},
        {repeated(u"D中ミ ", 9), true, "e1&8"}, {repeated(u"E中ミ ", 3), true, "e8."},
        {repeated(u"E中ミ ", 12), true, "e2."}, {repeated(u"E中ミ ", 17), true, "e1&16"},
        {repeated(u"3中ミ ", 3), true, "e4"}, {u"C中ミ ^ C中ミ ^ ", true, "e1"},
    };
    // clang-format on
    for (const auto& [melody, merge, cells] : cases)
        EXPECT_EQ(cellsOf(melody, {merge}), cells) << cells;
}

// Up to 26 parts are written as they are, A to Z on channels 1 to 26; more are asked about
// first, and Yes keeps the first 26 (told apart by their tempo).
TEST(MmlWriter, TwentySixPartsAndNoMore) {
    const std::u16string question = u"和音の試聴は26パートまでです。\n上から26曲を試聴しますか？";
    for (const auto& [count, answer, kept] :
         {std::tuple{26, Answer::No, 26}, {27, Answer::Yes, 26}, {27, Answer::No, 0}}) {
        std::vector<MmlPart> parts;
        for (int i = 0; i < count; ++i)
            parts.push_back({u"C中ド ", 40 + i, i * 4});
        RecordingInteractive ui;
        ui.queueAnswer(answer);
        std::vector<int> tempos, expected(static_cast<size_t>(kept));
        for (const MmlPart& part : partsToPlay(parts, ui))
            tempos.push_back(part.tempo);
        std::iota(expected.begin(), expected.end(), 40);
        EXPECT_EQ(tempos, expected) << count;
        EXPECT_EQ(ui.questions(), std::vector<std::u16string>(count > 26 ? 1 : 0, question));
        // the writer itself stops at 26 parts
        const std::string text = writeMml(parts);
        EXPECT_EQ(std::ranges::count(text, '\n'), 26);
        EXPECT_EQ(text.substr(0, 28), "A C1 @1 t40 v127 o5 c4\r\nB C2");
        EXPECT_NE(text.find("Z C26 @101 t65 v127 o5 c4\r\n"), std::string::npos);
    }
    EXPECT_EQ(writeMml({}), "");
}

namespace fs = std::filesystem;

// The notes of one track as (start tick, end tick, channel, key, velocity).
struct CompiledNote {
    uint32_t start, end;
    int channel, key, velocity;
    bool operator==(const CompiledNote&) const = default;
};

std::vector<CompiledNote> notesOf(const SmfTrack& track) {
    std::vector<CompiledNote> notes;
    for (const MidiEvent& e : track.events) {
        if (e.isNoteOn()) {
            notes.push_back({e.tick, 0, e.channel(), e.data1, e.data2});
        } else if (e.isNoteOff()) {
            for (CompiledNote& n : notes)
                if (n.end == 0 && n.key == e.data1 && n.channel == e.channel())
                    n.end = e.tick;
        }
    }
    return notes;
}

SmfFile compiled(std::u16string_view text) {
    MmlCompileResult result = compileMml(text);
    EXPECT_TRUE(result.file) << result.error.text();
    return result.file ? *result.file : SmfFile{};
}

TEST(MmlCompiler, LengthsDotsTiesOctavesAndSharps) {
    using Case = std::tuple<std::u16string, std::vector<CompiledNote>>;
    // clang-format off
    const std::vector<Case> cases = {
        {u"c1 c2 c4 c8 c16", {{0, 1920, 0, 72, 100}, {1920, 2880, 0, 72, 100},
            {2880, 3360, 0, 72, 100}, {3360, 3600, 0, 72, 100}, {3600, 3720, 0, 72, 100}}},
        {u"c6 c12 c24 c3", {{0, 320, 0, 72, 100}, {320, 480, 0, 72, 100}, {480, 560, 0, 72, 100},
            {560, 1200, 0, 72, 100}}},
        // Lengths that no melody token has still compile: 1/5 and 1/7 of a whole note.
        {u"c5 c7", {{0, 384, 0, 72, 100}, {384, 658, 0, 72, 100}}},
        {u"c4. c8. c", {{0, 720, 0, 72, 100}, {720, 1080, 0, 72, 100}, {1080, 1560, 0, 72, 100}}},
        {u"c1&4 r2&8 d16.&24", {{0, 2400, 0, 72, 100}, {3600, 3860, 0, 74, 100}}},
        {u"o4 c4 > c+4 < < b4 o0 c4 o9 g4", {{0, 480, 0, 60, 100}, {480, 960, 0, 73, 100},
            {960, 1440, 0, 59, 100}, {1440, 1920, 0, 12, 100}, {1920, 2400, 0, 127, 100}}},
        {u"v1 e4 v64 f+4", {{0, 480, 0, 76, 1}, {480, 960, 0, 78, 64}}},
        // The MML channels go round the melodic MIDI channels, past the drums' 10th.
        {u"C9 a4 C10 a4 C15 a4 C16 a4 C25 a4 C26 a4", {{0, 480, 8, 81, 100},
            {480, 960, 10, 81, 100}, {960, 1440, 15, 81, 100}, {1440, 1920, 0, 81, 100},
            {1920, 2400, 10, 81, 100}, {2400, 2880, 11, 81, 100}}},
        {u"  a4b4\tc4  ", {{0, 480, 0, 81, 100}, {480, 960, 0, 83, 100}, {960, 1440, 0, 72, 100}}},
    };
    // clang-format on
    for (const auto& [cells, notes] : cases) {
        const SmfFile file = compiled(u"A" + cells);
        ASSERT_EQ(file.tracks.size(), 2u);
        EXPECT_EQ(notesOf(file.tracks[1]), notes) << std::string(cells.begin(), cells.end());
    }
}

TEST(MmlCompiler, PartsGetTracksAndChannelsInOrderOfTheirLetters) {
    const SmfFile file = compiled(u"A c4\nB @20 d4 r4\n\nA e4\n");
    ASSERT_EQ(file.tracks.size(), 3u);
    EXPECT_EQ(file.tracks[0].events, std::vector{MidiEvent::tempo(0, 500000)});
    EXPECT_EQ(file.tracks[2].endTick, 960u); // the rest at the end counts
    const std::vector<CompiledNote> a = {{0, 480, 0, 72, 100}, {480, 960, 0, 76, 100}};
    const std::vector<CompiledNote> b = {{0, 480, 1, 74, 100}};
    EXPECT_EQ(notesOf(file.tracks[1]), a);
    EXPECT_EQ(notesOf(file.tracks[2]), b);
    EXPECT_EQ(file.tracks[2].name(), "B");
    EXPECT_EQ(file.tracks[2].events.at(1), MidiEvent::channelMessage(0, kProgramChange, 1, 19));
    const SmfFile empty = compiled(u"\r\n  \r\n"); // only the conductor
    ASSERT_EQ(empty.tracks.size(), 1u);
    EXPECT_EQ(empty.tracks[0].events, file.tracks[0].events);
}

// A part of another tempo than the first keeps its own speed: at half the tempo its quarter
// lasts two of the file's quarters.
TEST(MmlCompiler, EveryPartKeepsItsOwnTempo) {
    const SmfFile file = compiled(u"A t120 c4 c4 t240 c4 c4\nB t60 c4 c4\nC c4 t180 c4");
    ASSERT_EQ(file.tracks.size(), 4u);
    const std::vector<MidiEvent> conductor = {MidiEvent::tempo(0, 500000),
                                              MidiEvent::tempo(960, 250000)};
    EXPECT_EQ(file.tracks[0].events, conductor);
    const std::vector<CompiledNote> b = {{0, 960, 0, 72, 100}, {960, 2880, 1, 72, 100}};
    std::vector<CompiledNote> gotB = notesOf(file.tracks[2]);
    for (CompiledNote& n : gotB)
        n.channel = n.start == 0 ? 0 : 1;
    EXPECT_EQ(gotB, b);
    // Part C: a quarter at 120 per minute (no tempo of its own), 0.5 s; then one at 180 per
    // minute, 1/3 s, which ends at 5/6 s, still in the file's first tempo: tick 800.
    const std::vector<CompiledNote> c = {{0, 480, 2, 72, 100}, {480, 800, 2, 72, 100}};
    EXPECT_EQ(notesOf(file.tracks[3]), c);
}

TEST(MmlCompiler, ErrorsNameLineAndColumn) {
    using Case = std::tuple<std::u16string, std::string>;
    const std::vector<Case> cases = {
        {u"A c4\n  x", "line 2, column 3: a line must begin with a part letter A to Z"},
        {u"A c4 h4", "line 1, column 6: unknown letter 'h'"},
        {u"A c25", "line 1, column 4: length 25 out of range 1-24"},
        {u"A c0", "line 1, column 4: length 0 out of range 1-24"},
        {u"A c4&", "line 1, column 6: '&' needs a length number"},
        {u"A t", "line 1, column 4: tempo needs a number"},
        {u"A t3", "line 1, column 4: tempo 3 out of range 4-999"},
        {u"A @0", "line 1, column 4: program 0 out of range 1-128"},
        {u"A @129", "line 1, column 4: program 129 out of range 1-128"},
        {u"A C27", "line 1, column 4: channel 27 out of range 1-26"},
        {u"A v0", "line 1, column 4: velocity 0 out of range 1-127"},
        {u"A o10", "line 1, column 4: octave 10 out of range 0-9"},
        {u"A o9 >", "line 1, column 6: octave above 9"},
        {u"A\r\nB o0 <", "line 2, column 6: octave below 0"},
        {u"A o9 g+4", "line 1, column 6: note above MIDI note 127"},
        {u"A c99999999999", "line 1, column 4: length 2147483647 out of range 1-24"},
        // 600 whole notes at 4 quarters a minute take as many ticks as 150000 at 999.
        {u"A t999 c\nB t4 " + repeated(u"c1", 600),
         "line 2, column 1: the parts are too long for a MIDI file"},
    };
    for (const auto& [text, error] : cases) {
        const MmlCompileResult result = compileMml(text);
        EXPECT_FALSE(result.file) << error;
        EXPECT_EQ(result.error.text(), error);
    }
}

// A chord of three songs compiles to the bytes of the reference file, which midicsv reads as
// the intended events (see the cross-check tests).
TEST(MmlCompiler, GoldenFileOfAThreePartChord) {
    const std::u16string mml = u"A C1 @1 t120 v127 o5 c4 >e8. r8 <g2\r\n"
                               u"B C2 @41 t120 v127 o5 <c2 g+6 g6 g6\r\n"
                               u"C C3 @74 t60 v127 o5 r8 >>c16&24 <<<b1\r\n";
    const std::string bytes = writeSmf(compiled(mml));
    std::ifstream in(fs::path(SARVO_SOURCE_DIR) / "tests/sound/data/chord.mid", std::ios::binary);
    const std::string golden((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes, golden);
}

// A file that does not compile writes nothing and names the file and the place; the written
// file's case (sarvo-cli mml2mid, the chord playback) is in their tests.
TEST(Mml2Midi, ErrorsNameTheFileAndWriteNothing) {
    const sarvo::testing::TempFolder folder;
    const fs::path mml = folder.path() / "Sarvo.mml", mid = folder.path() / "Sarvo.mid";
    for (const auto& [text, error] :
         {std::pair{"A c4 >e8. q\r\n", "Sarvo.mml: line 1, column 11"},
          {"A \x82\xA0", "line 1, column 3: unknown letter '\xE3\x81\x82'"},
          {"A \x82", "Sarvo.mml: not code page 932 text"}}) {
        std::ofstream(mml, std::ios::binary) << text;
        const Mml2MidiResult result = mml2midi(mml, mid);
        EXPECT_FALSE(resultNamesFile(result.result, mid));
        EXPECT_FALSE(fs::exists(mid));
        EXPECT_NE(result.error.find(error), std::string::npos) << result.error;
    }
    EXPECT_NE(mml2midi(folder.path() / "missing.mml", mid).error.find("cannot open"),
              std::string::npos);
    // the result names the file when it starts with its path in any case
    for (const auto& [result, names] :
         {std::pair{"/TMP/SARVO.MID and more", true}, {"/tmp/Sarvo.mi", false}, {"", false}})
        EXPECT_EQ(resultNamesFile(result, "/tmp/Sarvo.mid"), names) << result;
}

} // namespace
} // namespace sarvo::sound
