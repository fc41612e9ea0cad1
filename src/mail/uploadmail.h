#pragma once
// The mail that uploads a song to the song server: the song file as ISO-2022-JP text, headers
// encoded but not folded.

#include "common/converted.h"

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

} // namespace sarvo::mail
