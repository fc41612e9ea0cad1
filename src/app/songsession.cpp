#include "app/songsession.h"

#include <chrono>

namespace sarvo::app {

SongSession::SongSession(const library::SongLibrary& library, IInteractive& ui,
                         melody::ParserState& state)
    : m_library(library)
    , m_ui(ui)
    , m_state(state) {}

std::u16string SongSession::currentName() const {
    return m_current ? m_current->name() : std::u16string();
}

bool SongSession::settleChanges(std::u16string_view melody) {
    if (!isChanged(melody))
        return true;
    const std::u16string question = u"「" + currentName() + u"」を保存しますか？";
    switch (m_ui.askQuestion(question, QuestionButtons::YesNoCancel)) {
    case Answer::No: return true;
    case Answer::Cancel: return false;
    case Answer::Yes: return save(melody).ok();
    }
    return false;
}

std::optional<library::Song> SongSession::load(std::u16string_view name,
                                               std::u16string_view melody) {
    if (m_current && m_current->name() == name)
        return std::nullopt;
    // Only a stored song is offered for saving before another one replaces it.
    if (m_current && !settleChanges(melody))
        return std::nullopt;
    std::optional<library::Song> song = m_library.loadSong(name);
    if (!song)
        return std::nullopt;
    m_current = song->info;
    m_savedMelody = song->melody;
    return song;
}

library::LibraryResult SongSession::save(std::u16string_view melody) {
    if (!m_current && m_namer) {
        const std::optional<library::SongProperties> properties = m_namer();
        if (!properties)
            return {"naming cancelled"};
        return saveAs(*properties, melody);
    }
    if (!m_current) {
        m_ui.showMessage(kNoSongToSave);
        return {"no current song"};
    }
    library::LibraryResult result =
        m_library.saveSong(*m_current, melody, m_phoneTypes, m_state, m_ui);
    if (result.ok())
        m_savedMelody = melody;
    return result;
}

library::LibraryResult SongSession::create(const library::SongProperties& properties,
                                           std::u16string_view melody) {
    std::optional<library::SongInfo> created =
        m_library.createSong(properties, m_userName, std::chrono::system_clock::now(), m_ui);
    if (!created)
        return {"name kept by a stored song"};
    m_current = std::move(created);
    m_savedMelody.clear();
    return save(melody);
}

bool SongSession::update(const library::SongProperties& properties) {
    if (!m_current)
        return false;
    std::optional<library::SongInfo> updated =
        m_library.updateSong(m_current->name(), properties, m_ui);
    if (!updated)
        return false;
    m_current = std::move(updated);
    return true;
}

library::LibraryResult SongSession::saveAs(const library::SongProperties& properties,
                                           std::u16string_view melody) {
    if (!m_current || m_current->name() != properties.name)
        return create(properties, melody);
    m_current->properties = properties;
    return save(melody);
}

bool SongSession::remove(std::u16string_view name) {
    const std::u16string question = u"「" + std::u16string(name) + u"」を削除してよろしいですか？";
    if (m_ui.askQuestion(question, QuestionButtons::YesNo) != Answer::Yes)
        return false;
    if (!m_library.deleteSong(name).ok())
        return false;
    if (m_current && m_current->name() == name)
        clearCurrent();
    return true;
}

std::filesystem::path SongSession::folderToShow() const {
    if (m_current) {
        std::filesystem::path songFolder = m_library.guideFolder(m_current->name());
        if (std::filesystem::is_directory(songFolder))
            return songFolder;
    }
    return m_library.folders().textFolder();
}

void SongSession::clearCurrent() {
    m_current.reset();
}

} // namespace sarvo::app
