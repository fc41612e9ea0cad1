#pragma once
// The song being edited: which stored song it is, the melody as last loaded or saved, and the
// library operations that change them, with the questions they ask first.

#include "common/interaction.h"
#include "library/songlibrary.h"
#include "melody/parserstate.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sarvo::app {

class SongSession {
public:
    // All references must outlive the session.
    SongSession(const library::SongLibrary& library, IInteractive& ui, melody::ParserState& state);

    const library::SongLibrary& library() const { return m_library; }
    // The stored song being edited; nullopt before one is loaded.
    const std::optional<library::SongInfo>& current() const { return m_current; }
    std::u16string currentName() const;

    const std::u16string& savedMelody() const { return m_savedMelody; }
    void setSavedMelody(std::u16string_view melody) { m_savedMelody = melody; }
    bool isChanged(std::u16string_view melody) const { return melody != m_savedMelody; }

    // The phone types whose guide texts a save writes.
    void setPhoneTypes(std::vector<int> phoneTypes) { m_phoneTypes = std::move(phoneTypes); }
    // The author of the songs named here (the user of the settings).
    void setUserName(std::u16string userName) { m_userName = std::move(userName); }
    // Asks for the properties of a melody that is saved without a song name (the save dialog);
    // nullopt when the user cancels. Without it such a save is refused with kNoSongToSave.
    using Namer = std::function<std::optional<library::SongProperties>()>;
    void setNamer(Namer namer) { m_namer = std::move(namer); }

    // When the melody differs from the saved one, asks "「name」を保存しますか？" (Yes, No,
    // Cancel); Yes saves. False when the user cancels or the save fails.
    bool settleChanges(std::u16string_view melody);
    // LoadSong: the song of that name becomes the current one. nullopt when it is the current
    // song already, when the user cancels the save question, or when it has no file.
    std::optional<library::Song> load(std::u16string_view name, std::u16string_view melody);
    // SaveSong of the current song with this melody; an unnamed melody is named first.
    library::LibraryResult save(std::u16string_view melody);
    // CreateSong: the melody being edited becomes a new song and is stored with it at once, so
    // that the song in the library is the melody on screen. Fails when the user keeps a stored
    // song of that name (the current song stays) or when the save fails.
    library::LibraryResult create(const library::SongProperties& properties,
                                  std::u16string_view melody);
    // UpdateSong: the current song takes the properties and, when it changed, the name. False
    // without a current song or when another song has the name.
    bool update(const library::SongProperties& properties);
    // Saves the melody with the properties of the save dialog: another name (or no current
    // song) creates a song of that name first, keeping the old one; the same name keeps the
    // song's author and date.
    library::LibraryResult saveAs(const library::SongProperties& properties,
                                  std::u16string_view melody);
    // DeleteSong after the question "「name」を削除してよろしいですか？"; true when deleted.
    // Deleting the current song leaves no current song.
    bool remove(std::u16string_view name);
    // The folder the Folder command shows: the current song's guide texts when they exist,
    // otherwise the folder of all guide texts.
    std::filesystem::path folderToShow() const;
    // Forgets the current song (after its deletion, or to start a melody afresh).
    void clearCurrent();

private:
    const library::SongLibrary& m_library;
    IInteractive& m_ui;
    melody::ParserState& m_state;
    std::optional<library::SongInfo> m_current;
    std::u16string m_savedMelody;
    std::vector<int> m_phoneTypes;
    std::u16string m_userName;
    Namer m_namer;
};

// Saving needs a song name; a session without a namer says so for an unnamed melody.
inline constexpr std::u16string_view kNoSongToSave = u"保存する曲名がありません";

} // namespace sarvo::app
