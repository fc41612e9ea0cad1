// Start-up of the main window over a library of 1000 songs: reading the settings, listing the
// songs into the music box, building every control and showing the window.

#include "app/mainwindow.h"
#include "app/songpropertiesasker.h"
#include "app/songsession.h"
#include "common/interaction.h"
#include "library/songlibrary.h"
#include "offscreenapp.h"
#include "sound/midioutput.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

namespace {

constexpr int kSongs = 1000;

// A library folder with 1000 songs of 64 notes each, made once.
const sarvo::library::SongLibrary& thousandSongs() {
    static QTemporaryDir dir;
    static const sarvo::library::SongLibrary library = [] {
        sarvo::library::SongLibrary made{sarvo::library::LibraryFolders(dir.path().toStdString())};
        std::u16string melody;
        for (int i = 0; i < 16; ++i)
            melody += u"C中ド D中レ# E高ミ H ";
        sarvo::RecordingInteractive ui;
        sarvo::melody::ParserState state;
        for (int i = 0; i < kSongs; ++i) {
            sarvo::library::SongProperties properties;
            const std::string number = std::to_string(i);
            properties.name = u"曲" + std::u16string(number.begin(), number.end());
            properties.kashu = u"作曲者";
            properties.tenpo = u"120";
            made.saveSong(sarvo::library::newSongInfo(properties, u"ユーザー",
                                                      std::chrono::system_clock::now()),
                          melody, {}, state, ui);
        }
        return made;
    }();
    return library;
}

void BM_StartUpWithThousandSongs(benchmark::State& state) {
    sarvo::bench::offscreenApplication();
    const sarvo::library::SongLibrary& library = thousandSongs();
    sarvo::RecordingInteractive ui;
    sarvo::sound::NullMidiOutput midi;
    sarvo::app::DialogSongPropertiesAsker asker(ui);
    for (auto _ : state) {
        sarvo::app::MainWindow window(ui, midi, library, asker);
        window.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.isVisible());
        state.PauseTiming();
        window.session().setSavedMelody(window.melodyText());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpWithThousandSongs)->Unit(benchmark::kMillisecond);

} // namespace
