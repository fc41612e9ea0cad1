// The settings dialog opened and shown (39 phone types, every installed font in both font
// lists; goal under 100 ms), and a chord of 26 songs from their song files to the MIDI file the
// player opens (goal under 50 ms).

#include "app/chordplayback.h"
#include "library/songlibrary.h"
#include "offscreenapp.h"
#include "settings/settingsfile.h"
#include "settings/ui/settingsdialog.h"
#include "sound/midioutput.h"
#include "sound/mmlwriter.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using namespace sarvo;

void BM_SettingsDialogOpenAndShow(benchmark::State& state) {
    bench::offscreenApplication();
    QTemporaryDir dir;
    const settings::SettingsFile file(dir.filePath(QStringLiteral("Sarvo.ini")).toStdString());
    RecordingInteractive ui;
    sound::NullMidiOutput midi;
    for (auto _ : state) {
        settings::SettingsDialog dialog(ui, midi, nullptr);
        dialog.load(file);
        dialog.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(dialog.isVisible());
    }
}
BENCHMARK(BM_SettingsDialogOpenAndShow)->Unit(benchmark::kMillisecond);

// 26 songs of 64 notes each, stored once.
const library::SongLibrary& chordLibrary(std::vector<std::u16string>& names) {
    static QTemporaryDir dir;
    static const library::SongLibrary library{library::LibraryFolders(dir.path().toStdString())};
    static std::vector<std::u16string> stored = [] {
        std::u16string melody;
        for (int i = 0; i < 16; ++i)
            melody += u"D中ド D中ミ D.高ソ# E低シ ";
        std::vector<std::u16string> made;
        RecordingInteractive ui;
        melody::ParserState walk;
        for (int i = 0; i < sound::kMaxMmlParts; ++i) {
            library::SongProperties properties;
            properties.name = u"曲" + std::u16string(1, char16_t(u'A' + i));
            properties.tenpo = u"120";
            properties.neiro = u"0";
            library.saveSong(
                library::newSongInfo(properties, u"", std::chrono::system_clock::now()), melody, {},
                walk, ui);
            made.push_back(properties.name);
        }
        return made;
    }();
    names = stored;
    return library;
}

void BM_ChordOf26SongsToMidiFile(benchmark::State& state) {
    std::vector<std::u16string> names;
    const library::SongLibrary& library = chordLibrary(names);
    QTemporaryDir work;
    const app::ChordWorkFiles files{work.filePath(QStringLiteral("Sarvo.mml")).toStdString(),
                                    work.filePath(QStringLiteral("Sarvo.mid")).toStdString()};
    RecordingInteractive ui;
    melody::ParserState walk;
    for (auto _ : state) {
        app::ChordRequest request;
        request.songs = app::chordSongs(library, names, {}, {});
        benchmark::DoNotOptimize(app::writeChordMidi(request, files, walk, ui));
    }
}
BENCHMARK(BM_ChordOf26SongsToMidiFile)->Unit(benchmark::kMillisecond);

} // namespace
