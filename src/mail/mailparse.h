#pragma once
// Recognising a retrieved message as a ringtone mail of one kind and taking it apart into songs.
// Pure: the caller stores the songs (receivedsongs.h).

#include "common/interaction.h"
#include "mail/mailkind.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sarvo::mail {

inline constexpr std::u16string_view kReceivedGenre = u"J-POP";
inline constexpr std::u16string_view kUnknownAuthor = u"PDXFAN";

struct ReceivedSong {
    std::u16string name; // N, N-Sub1, N-Sub2, N-Sub3 for the parts of a chord
    std::u16string kashu;
    std::u16string jan{kReceivedGenre};
    std::u16string from;
    std::u16string date;
    std::optional<int> tempo; // quarter notes per minute, as the decoder read it
    std::u16string melody;
    std::u16string body; // the message text
};

// The songs of a message of the kind, or nullopt when it lacks the kind's markers. A message
// whose markers are there but whose melody does not decode gives no song (and stays on the
// server). Decoders that report failures do so through ui.
std::optional<std::vector<ReceivedSong>> parseMail(MailKind kind, std::string_view message,
                                                   IInteractive& ui);

} // namespace sarvo::mail
