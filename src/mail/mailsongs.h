#pragma once
// The songs a mail carries, gathered from the library: the fields of the first song and the
// parts of the chord, each with its own voice, at the first song's tempo.

#include "common/converted.h"
#include "formats/ringtone.h"
#include "library/songlibrary.h"

#include <string>
#include <vector>

namespace sarvo::mail {

struct MailSongs {
    std::u16string name, kashu, jan;
    formats::Ringtone ringtone; // titled with the song name
};

// Loads the named songs; tempoNote is the settings' tempo note that a song's tempo counts.
// Fails naming the first song the library does not hold.
Converted<MailSongs> loadMailSongs(const library::SongLibrary& library,
                                   const std::vector<std::u16string>& names,
                                   std::u16string_view tempoNote, int defaultTempo);

} // namespace sarvo::mail
