#include "mail/mailsongs.h"

#include "settings/profilenumbers.h"

#include <algorithm>

namespace sarvo::mail {

Converted<MailSongs> loadMailSongs(const library::SongLibrary& library,
                                   const std::vector<std::u16string>& names,
                                   std::u16string_view tempoNote, int defaultTempo) {
    MailSongs songs;
    for (const std::u16string& name : names) {
        const auto stored = library.findSong(name);
        const auto song = stored ? library.loadSong(*stored) : std::nullopt;
        if (!song)
            return {{}, u"「" + name + u"」という曲はありません。"};
        const library::SongProperties& p = song->info.properties;
        if (songs.ringtone.parts.empty()) {
            songs.name = p.name;
            songs.kashu = p.kashu;
            songs.jan = p.jan;
            songs.ringtone.title = p.name;
            const int tempo = settings::integerFrom(p.tenpo).value_or(defaultTempo);
            songs.ringtone.tempo =
                formats::TempoUnit::fromTempo(tempo, tempoNote)
                    .value_or(formats::TempoUnit::quarterNotes(std::max(tempo, 1)));
        }
        const auto voice = settings::integerIn(p.neiro, 0, 127);
        songs.ringtone.parts.push_back({song->melody, voice ? *voice : formats::kDefaultVoice});
    }
    return {std::move(songs), {}};
}

} // namespace sarvo::mail
