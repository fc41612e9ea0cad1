#pragma once
// The song being edited: its name and the melody as last loaded or saved, and the switch to
// another song, which first offers to save a changed melody.

#include "common/interaction.h"
#include "library/songlibrary.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace sarvo::library {

class SongSession {
public:
    explicit SongSession(const SongLibrary& library)
        : m_library(library) {}

    const std::u16string& currentName() const { return m_name; }
    const std::u16string& savedMelody() const { return m_savedMelody; }
    bool isChanged(std::u16string_view editorMelody) const { return editorMelody != m_savedMelody; }

    // LoadSong: switches to the stored song name and returns it for the editor. Returns nullopt
    // and changes nothing when name is the current song, when the user cancels the question
    // "「…」を保存しますか？" (asked when the current song has a file and the editor's melody
    // changed), when saveCurrent (run on Yes) fails, or when the song has no file.
    std::optional<Song> load(std::u16string_view name, std::u16string_view editorMelody,
                             IInteractive& ui, const std::function<bool()>& saveCurrent);

    // After a save, create or rename: the current song and its melody as stored.
    void setCurrent(std::u16string_view name, std::u16string_view melody);

private:
    const SongLibrary& m_library;
    std::u16string m_name;
    std::u16string m_savedMelody;
};

} // namespace sarvo::library
