#pragma once
// Where the song server lives: the mail server that takes uploads, the upload mailbox (also the
// destination of i-melody URL notices) and the download page. Section "曲サーバ" of the settings
// file; a missing key gives a placeholder of the reserved ".invalid" domain, so nothing is ever
// sent to a real host by accident.

#include "settings/settingsfile.h"

#include <string>
#include <string_view>

namespace sarvo::mail {

inline constexpr std::u16string_view kServerSection = u"曲サーバ";

struct SongServerSettings {
    std::u16string smtpHost{u"mail.sarvo.invalid"};                     // "SMTP"
    std::u16string uploadMailbox{u"upload@sarvo.invalid"};              // "UPLOADADDR"
    std::u16string downloadPage{u"http://www.sarvo.invalid/download/"}; // "DOWNLOAD"
    int smtpPort = 25;                                                  // "SMTPPORT"
};

// The address an upload or a mail sent without an own address carries.
inline constexpr std::u16string_view kPlaceholderAddress = u"sarvo@sarvo.invalid";
// The host CheckMailFields starts from.
inline constexpr std::u16string_view kPlaceholderHost = u"sarvo.invalid";

SongServerSettings songServerSettings(const settings::SettingsFile& file);

} // namespace sarvo::mail
