#include "library/songsession.h"

#include "library/songnames.h"

namespace sarvo::library {

std::optional<Song> SongSession::load(std::u16string_view name, std::u16string_view editorMelody,
                                      IInteractive& ui, const std::function<bool()>& saveCurrent) {
    if (!m_name.empty() && sameSongName(name, m_name))
        return std::nullopt;
    if (!m_name.empty() && m_library.findSong(m_name) && isChanged(editorMelody)) {
        const Answer answer =
            ui.askQuestion(u"「" + m_name + u"」を保存しますか？", QuestionButtons::YesNoCancel);
        if (answer == Answer::Cancel || (answer == Answer::Yes && !saveCurrent()))
            return std::nullopt;
    }
    auto song = m_library.loadSong(name);
    if (song)
        setCurrent(song->info.name(), song->melody);
    return song;
}

void SongSession::setCurrent(std::u16string_view name, std::u16string_view melody) {
    m_name = name;
    m_savedMelody = melody;
}

} // namespace sarvo::library
