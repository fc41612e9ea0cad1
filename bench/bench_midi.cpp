// Benchmarks of the MIDI files: the import of a 1 MB MIDI file into an i-melody file (goal: less
// than 50 ms), its parts (reading the file, choosing and fitting the melody, also with the melody
// played off the beat), and the MML of 26 songs of the largest melody a song file keeps, written
// and compiled into a MIDI file.

#include "sound/midiimport.h"
#include "sound/mmlcompiler.h"
#include "sound/mmlwriter.h"
#include "sound/smfreader.h"
#include "sound/smfwriter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>

#include <unistd.h>

namespace {

using namespace sarvo;
using namespace sarvo::sound;

constexpr size_t kFileBytes = 1 << 20;

// A piece as MIDI files have them: a conductor with tempo changes, a melody in eighths,
// triplets and longer notes, chords, a bass line, drums and controller traffic, until the file
// has 1 MB.
SmfFile megabyteFile() {
    std::mt19937 random(1);
    SmfFile file;
    file.division.raw = 480;
    file.tracks.resize(5);
    std::vector<uint32_t> ends(5, 0);
    uint32_t bar = 0;
    size_t bytes = 0;
    while (bytes < kFileBytes) {
        const uint32_t at = bar * 1920;
        if (bar % 16 == 0)
            file.tracks[0].events.push_back(MidiEvent::tempo(at, 400000 + (bar % 3) * 50000));
        // Melody: a bar of eighths or a bar of triplets.
        const bool triplets = bar % 4 == 3;
        const uint32_t step = triplets ? 160 : 240;
        for (uint32_t t = 0; t < 1920; t += step) {
            const auto key = static_cast<uint8_t>(67 + random() % 14);
            file.tracks[1].events.push_back(
                MidiEvent::channelMessage(at + t, kNoteOn, 0, key, 100));
            file.tracks[1].events.push_back(
                MidiEvent::channelMessage(at + t + step - 20, kNoteOff, 0, key, 64));
            file.tracks[1].events.push_back(
                MidiEvent::channelMessage(at + t, kPitchBend, 0, 0, static_cast<uint8_t>(64)));
        }
        // Chords on the beats and a bass line in quarters.
        for (uint32_t beat = 0; beat < 4; ++beat) {
            for (uint8_t key : {uint8_t{60}, uint8_t{64}, uint8_t{67}}) {
                file.tracks[2].events.push_back(
                    MidiEvent::channelMessage(at + beat * 480, kNoteOn, 1, key, 80));
                file.tracks[2].events.push_back(
                    MidiEvent::channelMessage(at + beat * 480 + 400, kNoteOff, 1, key, 64));
            }
            file.tracks[3].events.push_back(
                MidiEvent::channelMessage(at + beat * 480, kNoteOn, 2, 36, 90));
            file.tracks[3].events.push_back(
                MidiEvent::channelMessage(at + beat * 480 + 450, kNoteOff, 2, 36, 64));
        }
        for (uint32_t t = 0; t < 1920; t += 120) {
            file.tracks[4].events.push_back(
                MidiEvent::channelMessage(at + t, kNoteOn, kDrumChannel, 42, 100));
            file.tracks[4].events.push_back(
                MidiEvent::channelMessage(at + t + 60, kNoteOff, kDrumChannel, 42, 64));
        }
        ++bar;
        bytes = 0;
        for (const SmfTrack& track : file.tracks)
            bytes += track.events.size() * 4; // about four bytes an event
    }
    for (SmfTrack& track : file.tracks)
        track.endTick = bar * 1920;
    return file;
}

const std::string& megabyteBytes() {
    static const std::string bytes = writeSmf(megabyteFile());
    return bytes;
}

// The 1 MB file on disk, written once.
const std::filesystem::path& megabytePath() {
    static const std::filesystem::path path = [] {
        const auto p = std::filesystem::temp_directory_path() /
                       ("sarvo-bench-" + std::to_string(::getpid()) + ".mid");
        writeSmfFile(p, readSmf(megabyteBytes()).file.value());
        return p;
    }();
    return path;
}

void BM_ImportMegabyteMidiFile(benchmark::State& state) {
    const std::filesystem::path& path = megabytePath();
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(path));
    size_t mldBytes = 0;
    for (auto _ : state) {
        const MldImport imported = midiFileToMld(path);
        if (!imported.error.empty()) {
            state.SkipWithError(imported.error.c_str());
            break;
        }
        mldBytes = imported.bytes.size();
        benchmark::DoNotOptimize(imported.bytes.data());
    }
    state.counters["mld_bytes"] = static_cast<double>(mldBytes);
}
BENCHMARK(BM_ImportMegabyteMidiFile)->Unit(benchmark::kMillisecond);

void BM_ReadMegabyteMidiFile(benchmark::State& state) {
    const std::string& bytes = megabyteBytes();
    for (auto _ : state) {
        const SmfReadResult read = readSmf(bytes);
        benchmark::DoNotOptimize(read.file->tracks.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadMegabyteMidiFile)->Unit(benchmark::kMillisecond);

void BM_MelodyOfMegabyteMidiFile(benchmark::State& state) {
    const SmfFile file = readSmf(megabyteBytes()).file.value();
    size_t melodyLength = 0;
    for (auto _ : state) {
        const MidiMelody melody = midiMelody(file, {});
        melodyLength = melody.ringtone->parts[0].melody.size();
        benchmark::DoNotOptimize(melodyLength);
    }
    state.counters["melody_chars"] = static_cast<double>(melodyLength);
}
BENCHMARK(BM_MelodyOfMegabyteMidiFile)->Unit(benchmark::kMillisecond);

// The same file with its melody played: 30 ticks late and every onset and release up to 20 ticks
// off, so the import has the playing's offset and each beat's grid to find.
void BM_MelodyOfPlayedMegabyteMidiFile(benchmark::State& state) {
    SmfFile file = readSmf(megabyteBytes()).file.value();
    std::mt19937 random(2);
    std::uniform_int_distribution<int> jitter(-20, 20);
    for (MidiEvent& event : file.tracks[1].events)
        if (event.isNoteOn() || event.isNoteOff())
            event.tick += static_cast<uint32_t>(30 + jitter(random));
    std::stable_sort(file.tracks[1].events.begin(), file.tracks[1].events.end(),
                     [](const MidiEvent& a, const MidiEvent& b) { return a.tick < b.tick; });
    file.tracks[1].endTick += 60;
    for (auto _ : state) {
        const MidiMelody melody = midiMelody(file, {});
        benchmark::DoNotOptimize(melody.ringtone->parts[0].melody.data());
    }
}
BENCHMARK(BM_MelodyOfPlayedMegabyteMidiFile)->Unit(benchmark::kMillisecond);

// 26 parts, each a melody of about 4094 bytes (the most a song file keeps): 680 tokens of
// notes, dotted notes, ties, tuplets and rests.
std::vector<MmlPart> twentySixParts() {
    static const std::u16string kMix =
        u"C中ド D.高ソ# ^ D中ミ H 3中ミ 3中フ# 3中ソ E低ラ# B.中シ G. A高レ ^ 6中ド# ] C.低ソ# ";
    std::u16string melody;
    while (melody.size() < 2000)
        melody += kMix;
    std::vector<MmlPart> parts;
    for (int i = 0; i < kMaxMmlParts; ++i)
        parts.push_back({melody, 60 + 5 * i, i});
    return parts;
}

void BM_WriteMmlOf26Parts(benchmark::State& state) {
    const std::vector<MmlPart> parts = twentySixParts();
    for (auto _ : state) {
        const std::string mml = writeMml(parts, {true});
        benchmark::DoNotOptimize(mml.data());
    }
}
BENCHMARK(BM_WriteMmlOf26Parts)->Unit(benchmark::kMillisecond);

void BM_CompileMmlOf26Parts(benchmark::State& state) {
    const std::string mml = writeMml(twentySixParts());
    const std::u16string text(mml.begin(), mml.end());
    state.counters["mml_bytes"] = static_cast<double>(mml.size());
    size_t midiBytes = 0;
    for (auto _ : state) {
        const MmlCompileResult compiled = compileMml(text);
        const std::string bytes = writeSmf(*compiled.file);
        midiBytes = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["midi_bytes"] = static_cast<double>(midiBytes);
}
BENCHMARK(BM_CompileMmlOf26Parts)->Unit(benchmark::kMillisecond);

} // namespace
