#pragma once
// Storing the songs of a received mail in the library, with the name-clash decision for a name
// that is taken.

#include "common/interaction.h"
#include "library/nameclash.h"
#include "library/songlibrary.h"
#include "mail/mailparse.h"

#include <functional>
#include <string>
#include <vector>

namespace sarvo::mail {

// Decides what happens to a song arriving under the name of a stored one.
using NameClashChooser = std::function<library::NameClash(const std::u16string& arrivingName)>;

// The chooser of scripts: overwrite, keep the stored song, or store under the first free name
// "N(2)", "N(3)", … when no answer is given.
NameClashChooser fixedNameClashChoice(const library::SongLibrary& library,
                                      std::optional<Answer> answer);

struct StoredSongs {
    std::vector<std::u16string> names; // the names stored under, in order
    std::string error;                 // the first write that failed
};

// Stores each song with the voice neiro (a program number) and the key guides of phoneTypes.
StoredSongs storeReceivedSongs(const library::SongLibrary& library,
                               const std::vector<ReceivedSong>& songs, std::u16string_view neiro,
                               const std::vector<int>& phoneTypes,
                               const NameClashChooser& chooseOnClash, IInteractive& ui);

} // namespace sarvo::mail
