#pragma once
// The mail that uploads a song to the song server: the song file as ISO-2022-JP text, headers
// encoded but not folded; and the song file's icon after the upload.

#include "common/converted.h"
#include "library/songlibrary.h"

#include <string>
#include <string_view>

namespace sarvo::mail {

struct UploadMail {
    std::u16string songName;
    std::u16string songFileText; // the song file's lines joined with CRLF
    std::u16string userName;
    std::u16string ownAddress;  // already the placeholder when none is set
    std::u16string destination; // the upload mailbox
    bool publishAddress = false;
};

Converted<std::string> composeUploadMail(const UploadMail& mail);

// After a successful upload: writes the song's music-box icon back into its song file (key
// "Icon"): the number its file gives, "1" (a new song's) when the file gives none or no number.
// "" on success.
std::string writeBackListIcon(const library::SongLibrary& library, std::u16string_view name);

} // namespace sarvo::mail
