#pragma once
// The song library: one song file per song in the log folder ("log/<name>.ini", section
// "曲情報") and one folder of key-guide texts per song ("Text/<name>/"). Every write replaces a
// file atomically, so a song file is always the old or the new one; a name from outside is made
// safe before it names a file, and nothing outside the library's folders is ever deleted.
//
// Questions and messages go through IInteractive; the music box, the editor and the current song
// are the caller's.

#include "common/interaction.h"
#include "library/libraryfolders.h"
#include "library/song.h"
#include "melody/parserstate.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sarvo::library {

struct LibraryResult {
    std::string error; // "" on success; a technical reason for the log or stderr
    bool ok() const { return error.empty(); }
};

struct ImportResult {
    std::u16string name; // the imported song's name; empty when nothing was imported
    std::string error;
};

// "yyyy/mm/dd hh:nn" in local time, as the song files store dates.
std::u16string songDate(std::chrono::system_clock::time_point time);

// The music-box row of a song that is named now: icon "1", the user as author, the date now.
SongInfo newSongInfo(const SongProperties& properties, std::u16string_view userName,
                     std::chrono::system_clock::time_point now);

// The melody as the editor and the song file keep it: ending with one space.
std::u16string withFinalSpace(std::u16string_view melody);

class SongLibrary {
public:
    explicit SongLibrary(LibraryFolders folders)
        : m_folders(std::move(folders)) {}

    const LibraryFolders& folders() const { return m_folders; }
    // "log/<name>.ini" and "Text/<name>" of a safe name.
    std::filesystem::path songFile(std::u16string_view name) const;
    std::filesystem::path guideFolder(std::u16string_view name) const;
    // The name of the stored song that name refers to (ASCII case ignored), if any.
    std::optional<std::u16string> findSong(std::u16string_view name) const;

    // ListSongs: every "log/*.ini" as a music-box row, sorted by name.
    std::vector<SongInfo> listSongs() const;
    // LoadSong: the song's row and its whole melody; nullopt when it has no file.
    std::optional<Song> loadSong(std::u16string_view name) const;
    // SaveSong: writes the song file (keys Icon, Kashu, From, Date, Jan, Body, Tenpo, Neiro,
    // Name, Music; keys already in the file keep their places) and the guide texts of the phone
    // types given.
    LibraryResult saveSong(const SongInfo& info, std::u16string_view melody,
                           const std::vector<int>& phoneTypes, melody::ParserState& state,
                           IInteractive& ui) const;
    // CreateSong: names the melody being edited. When a song or guide folder of the name exists
    // the user is asked; on No nothing changes and the result is nullopt. On Yes the old guide
    // texts go and a new song file is written (without melody; the next save writes it).
    std::optional<SongInfo> createSong(const SongProperties& properties,
                                       std::u16string_view userName,
                                       std::chrono::system_clock::time_point now, IInteractive& ui,
                                       LibraryResult* result = nullptr) const;
    // UpdateSong: renames the song file and guide folder when the name changed, then writes the
    // properties. A name that another song has is refused with "既に同じ曲名が存在します。".
    std::optional<SongInfo> updateSong(std::u16string_view oldName,
                                       const SongProperties& properties, IInteractive& ui,
                                       LibraryResult* result = nullptr) const;
    // DeleteSong: the guide texts, the guide folder and the song file.
    LibraryResult deleteSong(std::u16string_view name) const;
    // ImportSongFile: turns "log/<fileName>" (ending in ".svo") into a song file, asking before
    // it replaces a song of the same name.
    ImportResult importSongFile(std::u16string_view fileName, IInteractive& ui) const;
    // Copies a .svo file from anywhere into the log folder under its own name and imports it.
    ImportResult importExternalFile(const std::filesystem::path& svoFile, IInteractive& ui) const;
    // The first .svo file waiting in the log folder, if any.
    std::optional<std::u16string> firstWaitingSvo() const;
    // MigrateLegacyFolders: turns each "log/<X>/" of the old layout into "log/<X>.ini".
    LibraryResult migrateLegacyFolders() const;

private:
    LibraryFolders m_folders;
};

} // namespace sarvo::library
