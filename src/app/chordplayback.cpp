#include "app/chordplayback.h"

#include "app/soundsettings.h"
#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/phonetypes.h"
#include "settings/profilenumbers.h"
#include "sound/mml2midi.h"
#include "sound/mmlwriter.h"

#include <cstdlib>
#include <fstream>

namespace sarvo::app {
namespace {

constexpr int kDefaultTempo = 100;

std::filesystem::path cacheFolder() {
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && *cache)
        return std::filesystem::path(cache) / "sarvo";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home) / ".cache" / "sarvo";
    return std::filesystem::temp_directory_path() / "sarvo";
}

bool writeText(const std::filesystem::path& file, const std::string& text) {
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out.flush());
}

} // namespace

ChordWorkFiles chordWorkFiles() {
    const std::filesystem::path folder = cacheFolder();
    return {folder / "Sarvo.mml", folder / "Sarvo.mid"};
}

std::vector<ChordSong> chordSongs(const library::SongLibrary& library,
                                  const std::vector<std::u16string>& names,
                                  std::u16string_view currentName,
                                  std::u16string_view currentMelody) {
    std::vector<ChordSong> songs;
    for (const std::u16string& name : names) {
        const std::optional<library::Song> song = library.loadSong(name);
        if (!song)
            continue;
        const library::SongProperties& properties = song->info.properties;
        const bool edited = !currentName.empty() && name == currentName;
        songs.push_back({edited ? std::u16string(currentMelody) : song->melody, properties.tenpo,
                         properties.neiro});
    }
    return songs;
}

bool writeChordMidi(const ChordRequest& request, const ChordWorkFiles& files,
                    melody::ParserState& state, IInteractive& ui) {
    std::vector<sound::MmlPart> parts;
    sound::MmlOptions options;
    for (const ChordSong& song : request.songs) {
        sound::MmlPart part;
        part.melody = song.melody;
        if (keyguide::phoneTypeByIndex(request.view)) {
            const std::u16string keys =
                keyguide::convertToKeys(request.view, song.melody, state, ui);
            // The phone types that merge repeated notes say so while converting.
            options.mergeRepeats = state.mergeRepeats;
            part.melody = keyguide::readKeys(request.view, keys, state, ui);
        }
        part.tempo = settings::integerIn(song.tenpo, 1, 9999).value_or(kDefaultTempo);
        part.program = songProgram(song.neiro).value_or(request.settingsVoice.value_or(0));
        parts.push_back(std::move(part));
    }
    parts = sound::partsToPlay(std::move(parts), ui);

    std::error_code ignored;
    std::filesystem::remove(files.midi, ignored);
    const bool written = !parts.empty() && writeText(files.mml, sound::writeMml(parts, options));
    if (!written ||
        !sound::resultNamesFile(sound::mml2midi(files.mml, files.midi).result, files.midi)) {
        ui.showMessage(kChordConversionFailed);
        return false;
    }
    return true;
}

} // namespace sarvo::app
