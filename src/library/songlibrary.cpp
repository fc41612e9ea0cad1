#include "library/songlibrary.h"

#include "common/textcodec.h"
#include "keyguide/keytextexport.h"
#include "library/songnames.h"
#include "settings/privateprofile.h"
#include "settings/profiletext.h"

#include <algorithm>
#include <ctime>
#include <fstream>
#include <span>

namespace sarvo::library {
namespace {

using settings::PrivateProfile;

enum class SongKey { Icon, Name, Kashu, From, Date, Jan, Body, Tenpo, Neiro, Music };

struct SongKeyField {
    SongKey key;
    std::u16string_view name;
};

constexpr SongKeyField kSongKeys[] = {
    {SongKey::Icon, u"Icon"},   {SongKey::Name, u"Name"},   {SongKey::Kashu, u"Kashu"},
    {SongKey::From, u"From"},   {SongKey::Date, u"Date"},   {SongKey::Jan, u"Jan"},
    {SongKey::Body, u"Body"},   {SongKey::Tenpo, u"Tenpo"}, {SongKey::Neiro, u"Neiro"},
    {SongKey::Music, u"Music"},
};

std::u16string_view keyName(SongKey key) {
    return kSongKeys[static_cast<size_t>(key)].name;
}

// The orders in which the song operations write their keys.
constexpr SongKey kSaveOrder[] = {SongKey::Icon, SongKey::Kashu, SongKey::From,  SongKey::Date,
                                  SongKey::Jan,  SongKey::Body,  SongKey::Tenpo, SongKey::Neiro,
                                  SongKey::Name, SongKey::Music};
constexpr SongKey kCreateOrder[] = {SongKey::Icon, SongKey::Name,  SongKey::Kashu,
                                    SongKey::From, SongKey::Date,  SongKey::Jan,
                                    SongKey::Body, SongKey::Tenpo, SongKey::Neiro};
constexpr SongKey kUpdateOrder[] = {SongKey::Name, SongKey::Kashu, SongKey::Jan,
                                    SongKey::Body, SongKey::Tenpo, SongKey::Neiro};

const std::u16string& fieldOf(const SongInfo& info, SongKey key) {
    switch (key) {
    case SongKey::Icon: return info.icon;
    case SongKey::Kashu: return info.properties.kashu;
    case SongKey::From: return info.from;
    case SongKey::Date: return info.date;
    case SongKey::Jan: return info.properties.jan;
    case SongKey::Body: return info.properties.body;
    case SongKey::Tenpo: return info.properties.tenpo;
    case SongKey::Neiro: return info.properties.neiro;
    case SongKey::Name:
    case SongKey::Music: break;
    }
    return info.properties.name;
}

void writeKeys(PrivateProfile& profile, std::span<const SongKey> order, const SongInfo& info,
               std::u16string_view melody) {
    for (SongKey key : order) {
        profile.setValue(kSongSection, keyName(key),
                         key == SongKey::Music ? melody : std::u16string_view(fieldOf(info, key)));
    }
}

SongInfo readInfo(const PrivateProfile& profile, std::u16string_view name) {
    // One pass over the section rather than one search per key: lists read a thousand files.
    const auto entries = profile.entries(kSongSection, kSongKeyBuffer);
    auto read = [&](SongKey key, std::u16string_view fallback = {}) {
        for (const auto& [entryKey, value] : entries) {
            if (sameSongName(entryKey, keyName(key)))
                return value;
        }
        return std::u16string(fallback);
    };
    SongInfo info;
    info.properties = {std::u16string(name), read(SongKey::Kashu), read(SongKey::Jan),
                       read(SongKey::Body),  read(SongKey::Tenpo), read(SongKey::Neiro)};
    info.icon = read(SongKey::Icon, u"1");
    info.from = read(SongKey::From);
    info.date = read(SongKey::Date);
    return info;
}

bool pathExists(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

// Removes the regular files and links directly inside folder; subfolders stay.
void clearGuideFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(folder, ec)))
        return;
    std::vector<std::filesystem::path> files;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        if (!it->is_directory(ec) || it->is_symlink(ec))
            files.push_back(it->path());
    }
    for (const auto& file : files)
        std::filesystem::remove(file, ec);
}

// Removes the files directly inside folder and then the folder when it is empty. A folder that is
// a symbolic link loses only the link, so nothing outside the library is touched.
void removeGuideFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(folder, ec);
    if (std::filesystem::is_symlink(status)) {
        std::filesystem::remove(folder, ec);
        return;
    }
    if (!std::filesystem::is_directory(status))
        return;
    clearGuideFolder(folder);
    std::filesystem::remove(folder, ec); // fails, as it should, when a subfolder is left
}

bool endsWithIgnoringCase(std::u16string_view text, std::u16string_view suffix) {
    return text.size() >= suffix.size() &&
           sameSongName(text.substr(text.size() - suffix.size()), suffix);
}

// The melody of an old-layout song folder: the first line of its first "*.log" file that does not
// begin with "#".
std::optional<std::u16string> legacyMelody(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> logs;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::u16string file = nameFromPath(it->path().filename());
        if (endsWithIgnoringCase(file, u".log") && it->is_regular_file(ec))
            logs.push_back(it->path());
    }
    if (logs.empty())
        return std::nullopt;
    std::ranges::sort(logs);
    std::ifstream in(logs.front(), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.starts_with('#'))
            return settings::decodeProfileText(line);
    }
    return std::nullopt;
}

std::u16string quoted(std::u16string_view before, std::u16string_view name,
                      std::u16string_view after) {
    return std::u16string(before) + u"「" + std::u16string(name) + u"」" + std::u16string(after);
}

// Writes the keys of order into the song file of name: into the existing file, keeping its other
// keys, or into a fresh one.
LibraryResult writeSongFile(const std::filesystem::path& file, std::u16string_view name,
                            const SongInfo& info, std::span<const SongKey> order,
                            std::u16string_view melody, bool fresh) {
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    PrivateProfile profile;
    if (!fresh) {
        auto loaded = PrivateProfile::load(file);
        if (!loaded.error.empty())
            return {loaded.error};
        profile = std::move(loaded.profile);
    }
    SongInfo named = info;
    named.properties.name = name;
    writeKeys(profile, order, named, melody);
    return {profile.save(file)};
}

} // namespace

std::u16string songDate(std::chrono::system_clock::time_point time) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y/%m/%d %H:%M", &local);
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

SongInfo newSongInfo(const SongProperties& properties, std::u16string_view userName,
                     std::chrono::system_clock::time_point now) {
    SongInfo info;
    info.properties = properties;
    info.from = userName;
    info.date = songDate(now);
    return info;
}

std::u16string withFinalSpace(std::u16string_view melody) {
    std::u16string text(melody);
    if (text.empty() || text.back() != u' ')
        text += u' ';
    return text;
}

std::filesystem::path SongLibrary::songFile(std::u16string_view name) const {
    return m_folders.logFolder() / pathFromName(std::u16string(name) + u".ini");
}

std::filesystem::path SongLibrary::guideFolder(std::u16string_view name) const {
    return m_folders.textFolder() / pathFromName(name);
}

std::optional<std::u16string> SongLibrary::findSong(std::u16string_view name) const {
    if (pathExists(songFile(name)))
        return std::u16string(name);
    std::error_code ec;
    for (std::filesystem::directory_iterator it(m_folders.logFolder(), ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::u16string file = nameFromPath(it->path().filename());
        if (endsWithIgnoringCase(file, u".ini") &&
            sameSongName(std::u16string_view(file).substr(0, file.size() - 4), name))
            return file.substr(0, file.size() - 4);
    }
    return std::nullopt;
}

std::vector<SongInfo> SongLibrary::listSongs() const {
    std::vector<SongInfo> songs;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(m_folders.logFolder(), ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::u16string file = nameFromPath(it->path().filename());
        if (file.size() <= 4 || !endsWithIgnoringCase(file, u".ini") || !it->is_regular_file(ec))
            continue;
        const auto loaded = PrivateProfile::load(it->path());
        songs.push_back(
            readInfo(loaded.profile, std::u16string_view(file).substr(0, file.size() - 4)));
    }
    std::ranges::sort(songs, {},
                      [](const SongInfo& info) -> const std::u16string& { return info.name(); });
    return songs;
}

std::optional<Song> SongLibrary::loadSong(std::u16string_view name) const {
    const auto safe = safeSongName(name);
    if (!safe || !pathExists(songFile(*safe)))
        return std::nullopt;
    const auto loaded = PrivateProfile::load(songFile(*safe));
    if (!loaded.error.empty())
        return std::nullopt;
    // The whole melody, however long: a song is never cut when it is loaded.
    return Song{readInfo(loaded.profile, *safe),
                withFinalSpace(loaded.profile.value(kSongSection, keyName(SongKey::Music)))};
}

LibraryResult SongLibrary::saveSong(const SongInfo& info, std::u16string_view melody,
                                    const std::vector<int>& phoneTypes, melody::ParserState& state,
                                    IInteractive& ui) const {
    const auto name = safeSongName(info.name());
    if (!name)
        return {"the song name cannot name a file"};
    std::error_code ec;
    std::filesystem::create_directories(guideFolder(*name), ec);
    const std::u16string music = withFinalSpace(melody);
    LibraryResult written = writeSongFile(songFile(*name), *name, info, kSaveOrder, music, false);
    if (!written.ok())
        return written;
    return {keyguide::exportKeyTexts(guideFolder(*name), phoneTypes, music, state, ui).error};
}

std::optional<SongInfo> SongLibrary::createSong(const SongProperties& properties,
                                                std::u16string_view userName,
                                                std::chrono::system_clock::time_point now,
                                                IInteractive& ui, LibraryResult* result) const {
    LibraryResult ignored;
    LibraryResult& outcome = result ? *result : ignored;
    const auto name = safeSongName(properties.name);
    if (!name) {
        outcome.error = "the song name cannot name a file";
        return std::nullopt;
    }
    // Asked also when only the song file exists, so that naming a melody never replaces a stored
    // song unasked.
    const auto stored = findSong(*name);
    if (stored || pathExists(guideFolder(*name))) {
        if (ui.askQuestion(quoted(u"", *name, u"が既に存在します。上書きしてよろしいですか？"),
                           QuestionButtons::YesNo) != Answer::Yes)
            return std::nullopt;
        clearGuideFolder(guideFolder(*name));
        std::error_code ec;
        if (stored && *stored != *name)
            std::filesystem::remove(songFile(*stored), ec);
    }
    SongInfo info = newSongInfo(properties, userName, now);
    info.properties.name = *name;
    outcome = writeSongFile(songFile(*name), *name, info, kCreateOrder, {}, true);
    if (!outcome.ok())
        return std::nullopt;
    return info;
}

std::optional<SongInfo> SongLibrary::updateSong(std::u16string_view oldName,
                                                const SongProperties& properties, IInteractive& ui,
                                                LibraryResult* result) const {
    LibraryResult ignored;
    LibraryResult& outcome = result ? *result : ignored;
    const auto from = safeSongName(oldName);
    const auto to = safeSongName(properties.name);
    if (!from || !to) {
        outcome.error = "the song name cannot name a file";
        return std::nullopt;
    }
    const auto other = findSong(*to);
    if (other && !sameSongName(*other, *from)) {
        ui.showMessage(u"既に同じ曲名が存在します。");
        return std::nullopt;
    }
    std::error_code ec;
    if (*to != *from) {
        if (pathExists(songFile(*from))) {
            std::filesystem::rename(songFile(*from), songFile(*to), ec);
            if (ec) {
                outcome.error = "cannot rename the song file: " + ec.message();
                return std::nullopt;
            }
        }
        if (pathExists(guideFolder(*from))) {
            // Guide texts left behind under the new name are stale: they are made again on save.
            if (!sameSongName(*from, *to))
                removeGuideFolder(guideFolder(*to));
            std::filesystem::rename(guideFolder(*from), guideFolder(*to), ec);
            if (ec) {
                outcome.error = "cannot rename the guide folder: " + ec.message();
                return std::nullopt;
            }
        }
    }
    SongInfo info;
    if (auto loaded = PrivateProfile::load(songFile(*to)); loaded.error.empty())
        info = readInfo(loaded.profile, *to);
    info.properties = properties;
    info.properties.name = *to;
    outcome = writeSongFile(songFile(*to), *to, info, kUpdateOrder, {}, false);
    if (!outcome.ok())
        return std::nullopt;
    return info;
}

LibraryResult SongLibrary::deleteSong(std::u16string_view name) const {
    const auto safe = safeSongName(name);
    if (!safe)
        return {"the song name cannot name a file"};
    removeGuideFolder(guideFolder(*safe));
    std::error_code ec;
    const auto file = songFile(*safe);
    if (pathExists(file) && !std::filesystem::remove(file, ec))
        return {"cannot delete the song file: " + ec.message()};
    return {};
}

ImportResult SongLibrary::importSongFile(std::u16string_view fileName, IInteractive& ui) const {
    if (fileName.size() <= 4 || !endsWithIgnoringCase(fileName, u".svo") ||
        fileName.find_first_of(u"/\\") != std::u16string_view::npos)
        return {{}, "not a .svo file of the log folder"};
    const std::u16string base(fileName.substr(0, fileName.size() - 4));
    const auto log = m_folders.logFolder();
    const auto temporary = log / pathFromName(u"tmptmp" + base + u"tmptmp.ini");
    std::error_code ec;
    std::filesystem::remove(temporary, ec);
    std::filesystem::rename(log / pathFromName(fileName), temporary, ec);
    if (ec)
        return {{}, "cannot take " + toUtf8(fileName) + ": " + ec.message()};

    auto loaded = PrivateProfile::load(temporary);
    const std::u16string stored =
        loaded.profile.value(kSongSection, keyName(SongKey::Name), {}, kSongKeyBuffer);
    // A file without a usable name becomes the song of its own file name.
    const auto fromFile = safeSongName(stored);
    const auto name = fromFile ? fromFile : safeSongName(base);
    if (!name)
        return {{}, "the song has no name that can name a file"};

    const auto existing = findSong(*name);
    if (existing) {
        if (ui.askQuestion(quoted(u"ダウンロードした", *name,
                                  u"は、既に存在します。上書きしてよろしいですか？"),
                           QuestionButtons::YesNo) != Answer::Yes)
            return {};
    }
    if (!fromFile || *fromFile != stored) {
        loaded.profile.setValue(kSongSection, keyName(SongKey::Name), *name);
        if (auto error = loaded.profile.save(temporary); !error.empty())
            return {{}, error};
    }
    // Renaming over the old song replaces it in one step: there is no moment without either.
    std::filesystem::rename(temporary, songFile(*name), ec);
    if (ec)
        return {{}, "cannot store the song: " + ec.message()};
    if (existing && *existing != *name)
        std::filesystem::remove(songFile(*existing), ec);
    if (!existing)
        ui.showMessage(quoted(u"ダウンロードした", *name, u"を読み込みました。"));
    return {*name, {}};
}

ImportResult SongLibrary::importExternalFile(const std::filesystem::path& svoFile,
                                             IInteractive& ui) const {
    const std::u16string fileName = nameFromPath(svoFile.filename());
    if (fileName.size() <= 4 || !endsWithIgnoringCase(fileName, u".svo"))
        return {{}, "not a .svo file: " + svoFile.string()};
    std::error_code ec;
    std::filesystem::create_directories(m_folders.logFolder(), ec);
    const auto target = m_folders.logFolder() / svoFile.filename();
    if (!std::filesystem::equivalent(svoFile, target, ec)) {
        std::filesystem::copy_file(svoFile, target,
                                   std::filesystem::copy_options::overwrite_existing, ec);
        if (ec)
            return {{}, "cannot copy " + svoFile.string() + ": " + ec.message()};
    }
    return importSongFile(fileName, ui);
}

std::optional<std::u16string> SongLibrary::firstWaitingSvo() const {
    std::optional<std::u16string> first;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(m_folders.logFolder(), ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::u16string file = nameFromPath(it->path().filename());
        if (file.size() > 4 && endsWithIgnoringCase(file, u".svo") && it->is_regular_file(ec) &&
            (!first || file < *first))
            first = file;
    }
    return first;
}

LibraryResult SongLibrary::migrateLegacyFolders() const {
    namespace fs = std::filesystem;
    const auto log = m_folders.logFolder();
    std::vector<fs::path> folders;
    std::error_code ec;
    for (fs::directory_iterator it(log, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string folderName = it->path().filename().string();
        if (!folderName.starts_with('.') && it->is_directory(ec) && !it->is_symlink(ec))
            folders.push_back(it->path());
    }
    std::ranges::sort(folders);
    LibraryResult outcome;
    for (const fs::path& folder : folders) {
        const std::u16string name = nameFromPath(folder.filename());
        const auto safe = safeSongName(name);
        // A song of that name in the new layout is never overwritten; the old folder waits.
        if (!safe || *safe != name || findSong(name)) {
            outcome.error = "left " + folder.string() + " as it is";
            continue;
        }
        PrivateProfile profile;
        if (auto old = caseInsensitiveEntry(folder, "log.ini"); pathExists(old)) {
            auto loaded = PrivateProfile::load(old);
            if (!loaded.error.empty()) {
                outcome.error = loaded.error;
                continue;
            }
            profile = std::move(loaded.profile);
        }
        profile.setValue(kSongSection, keyName(SongKey::Name), name);
        if (auto melody = legacyMelody(folder))
            profile.setValue(kSongSection, keyName(SongKey::Music), *melody);
        // The old folder goes only once its song is safely stored.
        if (auto error = profile.save(songFile(name)); !error.empty()) {
            outcome.error = error;
            continue;
        }
        removeGuideFolder(folder);
    }
    return outcome;
}

} // namespace sarvo::library
