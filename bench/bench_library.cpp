// ListSongs over a library of 1000 songs: every song file read and its music-box row built, as
// the program does at start and after every import. The songs are written once, into a
// temporary folder, with a realistic melody of about 600 bytes each.

#include "common/interaction.h"
#include "library/songlibrary.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

using namespace sarvo;

class SongFolder {
public:
    explicit SongFolder(int songs)
        : m_root(std::filesystem::temp_directory_path() /
                 ("sarvo-bench-library-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(m_root);
        const library::SongLibrary songLibrary{library::LibraryFolders(m_root)};
        melody::ParserState state;
        RecordingInteractive ui;
        std::u16string melody;
        for (int i = 0; i < 100; ++i)
            melody += u"C中ド ";
        for (int i = 0; i < songs; ++i) {
            const std::string number = std::to_string(i);
            library::SongInfo info;
            info.properties = {u"曲" + std::u16string(number.begin(), number.end()),
                               u"歌手",
                               u"J-POP",
                               u"サビ 冬の歌",
                               u"120",
                               u"7"};
            info.from = u"山田";
            info.date = u"2000/01/02 03:04";
            songLibrary.saveSong(info, melody, {}, state, ui);
        }
    }
    ~SongFolder() { std::filesystem::remove_all(m_root); }
    const std::filesystem::path& root() const { return m_root; }

private:
    std::filesystem::path m_root;
};

void BM_ListSongs(benchmark::State& state) {
    const SongFolder folder(static_cast<int>(state.range(0)));
    const library::SongLibrary songLibrary{library::LibraryFolders(folder.root())};
    for (auto _ : state) {
        auto songs = songLibrary.listSongs();
        benchmark::DoNotOptimize(songs.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ListSongs)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
