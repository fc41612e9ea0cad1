#include "mail/receivedsongs.h"

#include "mail/mailcompose.h"
#include "melody/parserstate.h"
#include "settings/profilenumbers.h"

namespace sarvo::mail {

NameClashChooser fixedNameClashChoice(const library::SongLibrary& library,
                                      std::optional<Answer> answer) {
    return [&library, answer](const std::u16string& name) {
        library::NameClash clash(name);
        if (answer == Answer::Yes) {
            clash.overwrite();
        } else if (answer) {
            clash.discard();
        } else {
            RecordingInteractive quiet;
            for (int n = 2;; ++n) {
                const std::u16string free = name + u"(" + asciiText(std::to_string(n)) + u")";
                if (!library.findSong(free)) {
                    clash.rename(free, quiet);
                    break;
                }
            }
        }
        return clash;
    };
}

StoredSongs storeReceivedSongs(const library::SongLibrary& library,
                               const std::vector<ReceivedSong>& songs, std::u16string_view neiro,
                               const std::vector<int>& phoneTypes,
                               const NameClashChooser& chooseOnClash, IInteractive& ui) {
    StoredSongs stored;
    for (const ReceivedSong& song : songs) {
        std::u16string name = song.name;
        if (const auto existing = library.findSong(name)) {
            const library::NameClash clash = chooseOnClash(*existing);
            if (clash.result() == library::NameClashResult::Rename)
                name = clash.newName();
            else if (clash.result() != library::NameClashResult::Overwrite)
                continue;
            else
                name = *existing;
        }
        library::SongInfo info;
        info.properties = {name,
                           song.kashu,
                           song.jan,
                           song.body,
                           song.tempo ? settings::numberText(*song.tempo) : u"",
                           std::u16string(neiro)};
        info.from = song.from;
        info.date = song.date;
        melody::ParserState state;
        const library::LibraryResult result =
            library.saveSong(info, library::withFinalSpace(song.melody), phoneTypes, state, ui);
        if (!result.ok()) {
            if (stored.error.empty())
                stored.error = result.error;
            continue;
        }
        stored.names.push_back(name);
    }
    return stored;
}

} // namespace sarvo::mail
