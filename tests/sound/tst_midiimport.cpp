// MIDI import end to end: melodies written as MML, compiled to MIDI files and imported back;
// files with tempo changes and drums, files that csvmidi writes as other programs play; real MIDI
// files shipped by Debian.

#include "../common/tempfolder.h"
#include "melody/notecodes.h"
#include "melody/noteparser.h"
#include "melody/tokenvalidation.h"
#include "midicsv.h"
#include "smftesting.h"
#include "sound/midiimport.h"
#include "sound/mmlcompiler.h"
#include "sound/mmlwriter.h"
#include "sound/smfreader.h"
#include "sound/smfwriter.h"
#include "soundtesting.h"

#include "formats/mld.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

namespace sarvo::sound {
namespace {

namespace fs = std::filesystem;

// A melody as its sounding notes: start and length in melody ticks and the MIDI key.
struct SoundingNote {
    int start, ticks, key;
    bool operator==(const SoundingNote&) const = default;
};

std::vector<SoundingNote> soundingNotes(const std::u16string& text) {
    std::vector<SoundingNote> notes;
    melody::ParserState state;
    int at = 0;
    for (state.currentNote.clearText(); melody::readNextNote(state, text);
         state.currentNote.clearText()) {
        const melody::Note& n = state.currentNote;
        const int ticks = melody::lengthTicks(n.length[0], n.dot == u".") * (n.tieCount + 1);
        if (auto key = melody::midiNoteNumber(n.octave, n.pitch, n.sharp);
            key && melody::isNoteCode(n.length[0]))
            notes.push_back({at, ticks, *key});
        at += ticks;
    }
    return notes;
}

// The melody the import gives for a file: encoded as i-melody bytes and decoded as the import
// dialog decodes them.
std::u16string importedMelody(const SmfFile& file, MelodySource source = {}) {
    const MidiMelody melody = midiMelody(file, source);
    EXPECT_TRUE(melody.ringtone) << melody.error;
    if (!melody.ringtone)
        return {};
    RecordingInteractive ui;
    const formats::DecodeResult decoded = formats::decodeMldBytes(
        formats::encodeMld(*melody.ringtone, formats::MldSizeLimit::Lifted, ui), 0);
    EXPECT_TRUE(decoded.part) << std::string(decoded.error.begin(), decoded.error.end());
    return decoded.part ? decoded.part->melody : std::u16string();
}

// Melodies as written music has them, in the lengths the i-melody format carries: tuplet groups
// start on a beat, a tied note lasts a length of its own, no dotted sixteenths. They start with
// a note and rest for less than two whole notes at a time, as the import keeps such silences.
std::u16string importableMelody(std::mt19937& random, int groups) {
    static const std::vector<std::u16string> plain = {u"A",   u"B.",  u"B",   u"C.",  u"C",
                                                      u"D.",  u"D",   u"E",   u"C ^", u"D ^ ^",
                                                      u"E ^", u"B ^", u"C. ^"};
    std::u16string text;
    int at = 0;
    const auto pitch = [&] {
        const int key = static_cast<int>(random() % 36); // 低ド to 高シ
        return std::u16string(melody::octaveMark(key / 12)) +
               std::u16string(melody::pitchNameOf(key % 12)) +
               std::u16string(melody::sharpMarkOf(key % 12));
    };
    bool lastWasRest = false;
    for (int g = 0; g < groups; ++g) {
        if (random() % 5 == 0) {
            lastWasRest = false;
            // Rests up to the beat, then a group of three or six tuplets.
            for (; at % 48 != 0; at += 12)
                text += u"J ";
            const char16_t code = u"2356"[random() % 4];
            const int size = melody::tupletGroupSize(code);
            for (int i = 0; i < size; ++i)
                text += i > 0 && random() % 6 == 0
                            ? std::u16string(1, melody::restCodeOf(code)) + u" "
                            : code + pitch() + u" ";
            at += melody::lengthTicks(code, false) * size;
            continue;
        }
        const std::u16string& length = plain[random() % plain.size()];
        const bool rest =
            g > 0 && !lastWasRest && random() % 6 == 0 && length.find(u'^') == std::u16string::npos;
        lastWasRest = rest;
        const bool dotted = length.size() > 1 && length[1] == u'.';
        const int ties = static_cast<int>(std::count(length.begin(), length.end(), u'^'));
        at += melody::lengthTicks(length[0], dotted) * (ties + 1);
        if (rest) {
            text += melody::restCodeOf(length[0]) + length.substr(1) + u" ";
        } else {
            text += length[0] + std::u16string(dotted ? u"." : u"") + pitch() + u" ";
            for (int t = 0; t < ties; ++t)
                text += u"^ ";
        }
    }
    return text;
}

formats::DecodeResult decodedFile(const fs::path& mld) {
    std::ifstream in(mld, std::ios::binary);
    return formats::decodeMldBytes(formats::Bytes((std::istreambuf_iterator<char>(in)), {}), 0);
}

SmfFile compiledMml(const std::string& mml) {
    const MmlCompileResult result = compileMml(std::u16string(mml.begin(), mml.end()));
    EXPECT_TRUE(result.file) << result.error.text();
    return result.file ? *result.file : SmfFile{};
}

// Generated melodies at any tempo and voice come back as written, and at 120 a minute also when
// played late, with a delay that drifts, or unevenly: each event moves by the delay at its time
// plus a jitter of its own (all events at one tick alike).
TEST(MidiImportRoundTrip, MelodiesPlayedLateOrUnevenlyComeBackAsWritten) {
    struct Playing {
        const char* name;
        double delay, drift, jitter; // melody ticks, 10 file ticks each
    };
    std::mt19937 asWritten(2026), played(14);
    for (const Playing& p : {Playing{"on time", 0, 0, 0},
                             {"late by 5", 5, 0, 0},
                             {"late by 3, drifting to 7", 3, 4, 0},
                             {"late by 2, uneven by 1", 2, 0, 1}}) {
        const bool onTime = p.delay == 0;
        std::mt19937& random = onTime ? asWritten : played;
        for (int round = 0; round < (onTime ? 150 : 40); ++round) {
            // The last note makes sure there is one.
            const std::u16string melody =
                importableMelody(random, onTime ? round % 40 : 8 + round % 24) + u"C中ド ";
            const int tempo = onTime ? 40 + static_cast<int>(random() % 201) : 120;
            const std::string mml =
                writeMml({{melody, tempo, onTime ? static_cast<int>(random() % 128) : 0}});
            SmfFile file = compiledMml(mml);
            std::uniform_real_distribution<double> jitter(-p.jitter, p.jitter);
            std::map<uint32_t, uint32_t> moved;
            for (SmfTrack& track : file.tracks) {
                for (MidiEvent& event : track.events) {
                    if (!event.isNoteOn() && !event.isNoteOff())
                        continue;
                    const double late = p.delay + p.drift * event.tick / file.tracks.back().endTick;
                    if (!moved.contains(event.tick))
                        moved[event.tick] =
                            event.tick +
                            static_cast<uint32_t>(std::lround(10 * (late + jitter(random))));
                    event.tick = moved[event.tick];
                }
                track.endTick += 100;
            }
            const std::u16string back = importedMelody(file);
            EXPECT_EQ(soundingNotes(back), soundingNotes(melody)) << p.name << "\n" << mml;
            EXPECT_TRUE(melody::isValidMelodyText(back));
        }
    }
}

// The tempo, voice and lengths of a file's melody. Beyond the tempi a song has, the tempo goes by
// octaves and the lengths with it; the tempo that holds longest is the melody's, and a passage at
// another tempo keeps its speed (at half the tempo its quarters come back as halves).
TEST(MidiImport, TempoVoiceAndLengthsFollowTheFile) {
    using Case = std::tuple<std::string, int, int, std::u16string>;
    // clang-format off
    const std::vector<Case> cases = {
        {"A @74 t200 c4", 200, 73, u"C中ド "},
        {"A @128 t300 c4 d8", 150, 127, u"D中ド E中レ "},
        {"A @41 t30 c4 d8", 60, 40, u"B中ド C中レ "},
        {"A t100 c4 c4 c4 c4 c4 c4 c4 c4 t50 e4 e4 t100 g4 g4", 100, 0,
         u"C中ド C中ド C中ド C中ド C中ド C中ド C中ド C中ド B中ミ B中ミ C中ソ C中ソ "},
        {"A t100 c4 c4 t200 e4 e4 e4 e4 e4 e4 e4 e4 e4 e4", 200, 0,
         u"B中ド B中ド C中ミ C中ミ C中ミ C中ミ C中ミ C中ミ C中ミ C中ミ C中ミ C中ミ "},
    };
    // clang-format on
    for (const auto& [mml, tempo, voice, melody] : cases) {
        const SmfFile file = compiledMml(mml);
        const MidiMelody imported = midiMelody(file, {});
        ASSERT_TRUE(imported.ringtone) << imported.error;
        EXPECT_EQ(std::pair(imported.ringtone->tempo.tempo(), imported.ringtone->parts.at(0).voice),
                  std::pair(tempo, voice))
            << mml;
        EXPECT_EQ(importedMelody(file), melody) << mml;
    }
}

TEST(MidiImport, FilesAndTheirErrors) {
    const sarvo::testing::TempFolder folder;
    const fs::path dir = folder.path();
    const fs::path mld = dir / "w";
    const fs::path good = dir / "メロディ.mid";
    ASSERT_EQ(writeSmfFile(good, compiledMml("A t90 @20 c4 r8 d8")), "");
    const fs::path drumsOnly = dir / "drums.mid";
    SmfFile drums;
    drums.tracks.push_back(
        {{testing::noteOn(0, kDrumChannel, 36), testing::noteOff(48, kDrumChannel, 36)}, 48});
    ASSERT_EQ(writeSmfFile(drumsOnly, drums), "");

    const std::vector<std::pair<fs::path, std::string>> cases = {
        {drumsOnly, "drums.mid: the MIDI file holds no notes outside the drum channel"},
        {dir / "missing.mid", "cannot open"}};
    for (const auto& [file, error] : cases) {
        EXPECT_NE(midiImport(file, mld).find(error), std::string::npos) << error;
        EXPECT_FALSE(fs::exists(mld)) << file;
    }
    EXPECT_EQ(midiImport(good, mld), "");
    // The file written is an i-melody file with the melody and the file name as title.
    const formats::DecodeResult decoded = decodedFile(mld);
    ASSERT_TRUE(decoded.part) << ::testing::PrintToString(decoded.error);
    EXPECT_EQ(decoded.part->melody, u"C中ド I D中レ ");
    EXPECT_EQ(decoded.part->title, u"メロディ");
}

// A track as csvmidi lists it: its name, channel and notes "on-off:key[,key…]" in file ticks.
struct PlayedTrack {
    const char* title;
    int channel;
    std::string notes;
};

// The CSV of a file of 500000 µs a quarter with a conductor track and the tracks given.
std::string playedCsv(int ticksPerQuarter, const std::vector<PlayedTrack>& tracks) {
    std::string csv = "0, 0, Header, 1, " + std::to_string(tracks.size() + 1) + ", " +
                      std::to_string(ticksPerQuarter) +
                      "\n1, 0, Start_track\n1, 0, Tempo, 500000\n1, 0, End_track\n";
    for (size_t t = 0; t < tracks.size(); ++t) {
        const std::string n = std::to_string(t + 2) + ", ";
        std::vector<std::pair<int, std::string>> events;
        std::istringstream notes(tracks[t].notes);
        for (std::string note; notes >> note;) {
            const size_t dash = note.find('-'), colon = note.find(':');
            std::istringstream keys(note.substr(colon + 1));
            for (std::string key; std::getline(keys, key, ',');) {
                const std::string prefix =
                    "Note_on_c, " + std::to_string(tracks[t].channel) + ", " + key;
                events.emplace_back(std::stoi(note.substr(0, dash)), prefix + ", 100");
                events.emplace_back(std::stoi(note.substr(dash + 1, colon - dash - 1)),
                                    prefix + ", 0");
            }
        }
        std::stable_sort(events.begin(), events.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        csv += n + "0, Start_track\n";
        if (tracks[t].title)
            csv += n + "0, Title_t, \"" + tracks[t].title + "\"\n";
        for (const auto& [tick, text] : events)
            csv += n + std::to_string(tick) + ", " + text + "\n";
        csv += n + std::to_string(events.back().first) + ", End_track\n";
    }
    return csv + "0, 0, End_of_file\n";
}

// Files written with csvmidi as other programs play them, each a fault the import once had:
// eight sixteenths or six triplets played late, a falling line played legato (each note
// overlapping the next by 4 ticks), an accompaniment with more high notes than the track named as
// the melody, swung eighths played late and unevenly (a triplet quarter and eighth), a run of
// eight 32nds (six sextuplets fit the beat, the next note keeps its place) and grace notes a 64th
// before the beat (kept a sextuplet before it).
TEST(MidiImport, PlayedFilesFromCsvmidi) {
    ASSERT_TRUE(testing::hasMidicsv()) << "csvmidi is missing: run scripts/install-deps";
    const std::u16string sixteenths = u"E低ド E低レ E低ミ E低フ E低ソ E低ラ E低シ E中ド ";
    const std::u16string swung = u"2低ド 3低レ 2低ミ 3低フ 2低ソ 3低ラ 2低シ 3中ド ";
    const std::u16string graced = u"C低ミ \\ ` 6低レ ";
    std::string chords; // the accompaniment: sixteen eighths of two notes
    for (int at = 0; at < 16 * 48; at += 48)
        chords += std::to_string(at) + "-" + std::to_string(at + 40) + ":60,79 ";
    using Case = std::tuple<const char*, int, std::vector<PlayedTrack>, std::u16string>;
    // clang-format off
    const std::vector<Case> cases = {
        {"late sixteenths, 20 at 192", 192, {{nullptr, 0, "20-66:48 68-114:50 116-162:52 "
            "164-210:53 212-258:55 260-306:57 308-354:59 356-402:60"}}, sixteenths},
        {"late sixteenths, 12 at 192", 192, {{nullptr, 0, "12-58:48 60-106:50 108-154:52 "
            "156-202:53 204-250:55 252-298:57 300-346:59 348-394:60"}}, sixteenths},
        {"late sixteenths, 40 at 480", 480, {{nullptr, 0, "40-158:48 160-278:50 280-398:52 "
            "400-518:53 520-638:55 640-758:57 760-878:59 880-998:60"}}, sixteenths},
        {"late triplets, 12 at 192", 192, {{nullptr, 0, "12-74:60 76-138:62 140-202:64 "
            "204-266:65 268-330:67 332-394:69"}}, u"3低ド 3低レ 3低ミ 3低フ 3低ソ 3低ラ "},
        {"legato falling", 96, {{nullptr, 0, "0-100:72 96-196:71 192-292:69 288-384:67"}},
            u"C中ド C低シ C低ラ C低ソ "},
        {"named melody and accompaniment", 96, {{"Acc 1", 0, chords}, {"Melody 1", 1,
            "0-90:72 96-186:73 192-282:74 288-378:75 384-474:76 480-570:72 576-666:73 672-762:74"}},
            u"C中ド C中ド# C中レ C中レ# C中ミ C中ド C中ド# C中レ "},
        {"swung eighths late", 96, {{nullptr, 0, "6-66:60 72-96:62 101-161:64 167-192:65 "
            "199-254:67 260-288:69 296-352:71 358-384:72 389-449:60 455-480:62 488-542:64 "
            "548-576:65 582-642:67 648-672:69 679-735:71 741-768:72"}}, swung + swung},
        {"run of 32nds", 96, {{nullptr, 0, "0-90:60 96-106:62 108-118:64 120-130:65 132-142:67 "
            "144-154:69 156-166:71 168-178:72 180-190:60 192-280:62"}},
            u"C低ド 6低レ 6低ミ 6低フ 6低ラ 6低シ 6中ド C低レ "},
        {"grace notes", 96, {{nullptr, 0, "0-90:64 184-190:62 192-282:64 376-382:62 384-474:64 "
            "568-574:62 576-666:64 760-766:62 768-860:64"}}, graced + graced + graced + graced + u"C低ミ "},
    };
    // clang-format on
    const sarvo::testing::TempFolder folder;
    const fs::path mid = folder.path() / "played.mid";
    for (const auto& [name, ticksPerQuarter, tracks, melody] : cases) {
        ASSERT_EQ(testing::runCsvmidi(playedCsv(ticksPerQuarter, tracks), mid), 0) << name;
        const SmfReadResult read = readSmfFile(mid);
        ASSERT_TRUE(read.file) << read.error;
        EXPECT_EQ(importedMelody(*read.file), melody) << name;
    }
}

// The capacity of the phone type named, or the most any type holds, against the melody's notes,
// rests and ties.
TEST(MidiImport, MelodiesLongerThanThePhoneHoldsAreWarnedAbout) {
    const std::u16string thirtyOne = repeated(u"C中ド ^ ", 15) + u"H ";
    using Case = std::tuple<std::u16string, const char16_t*, int, int, std::u16string>;
    // clang-format off
    const std::vector<Case> cases = {
        {thirtyOne, u"Type-A", 31, 30, u"取り込んだメロディは31音あります。Type-Aに入るのは30音までです。"},
        {thirtyOne, u"Type-C", 31, 200, u""},
        {std::u16string(300, u' ') + u"C中ド", nullptr, 1, 256, u""},
        {repeated(u"E中ド ", 257), u"Type-N", 257, 256,
         u"取り込んだメロディは257音あります。携帯電話に入るのは最も多くて256音までです。"},
    };
    // clang-format on
    for (const auto& [melody, type, length, holds, warning] : cases) {
        const MelodyCapacity capacity =
            melodyCapacity(melody, type ? keyguide::phoneTypeByShortName(type) : nullptr);
        EXPECT_EQ(std::tuple(capacity.length, capacity.capacity, capacityWarning(capacity)),
                  std::tuple(length, holds, warning));
    }
}

// A file that counts time in SMPTE frames has no beats of its own: a quarter note is half a
// second, as at 120 quarters a minute.
TEST(MidiImport, SmpteTimeIsReadAtHalfASecondAQuarter) {
    SmfFile file; // 25 frames of 40 ticks a second: 500 ticks a quarter
    file.division.raw = static_cast<uint16_t>((0xE7 << 8) | 40);
    using testing::noteOff, testing::noteOn;
    file.tracks.push_back({{noteOn(0, 0, 72), noteOff(500, 0, 72), noteOn(500, 0, 74),
                            noteOff(1000, 0, 74), noteOn(1000, 0, 76), noteOff(1250, 0, 76)},
                           1500});
    EXPECT_EQ(importedMelody(file), u"C中ド C中レ D中ミ ");
    EXPECT_EQ(midiMelody(file, {}).ringtone->tempo.tempo(), 120);
}

// Real files nobody here wrote: each imports to a valid melody of notes from 低ド to 高シ.
TEST(MidiImport, RealFilesFromDebianImportToValidMelodies) {
    const fs::path corpus = "/usr/share/games/openttd/baseset/openmsx";
    ASSERT_TRUE(fs::is_directory(corpus))
        << "the openttd-openmsx music set is missing: run scripts/install-deps";
    const sarvo::testing::TempFolder folder;
    const fs::path mld = folder.path() / "w";
    int files = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(corpus)) {
        if (entry.path().extension() != ".mid")
            continue;
        ++files;
        ASSERT_EQ(midiImport(entry.path(), mld), "") << entry.path();
        const formats::DecodeResult decoded = decodedFile(mld);
        ASSERT_TRUE(decoded.part) << entry.path();
        EXPECT_TRUE(melody::isValidMelodyText(decoded.part->melody)) << entry.path();
        EXPECT_GT(soundingNotes(decoded.part->melody).size(), 20u) << entry.path();
        EXPECT_TRUE(*decoded.part->tempo >= 40 && *decoded.part->tempo <= 240);
    }
    EXPECT_GE(files, 20);
}

} // namespace
} // namespace sarvo::sound
