#include "mail/uploadmail.h"

#include "common/headerwords.h"
#include "common/jistext.h"
#include "mail/mailcompose.h"
#include "mail/serversettings.h"
#include "settings/privateprofile.h"
#include "settings/profilenumbers.h"

namespace sarvo::mail {

Converted<std::string> composeUploadMail(const UploadMail& mail) {
    std::u16string from = u"From: " + mail.ownAddress;
    if (!mail.userName.empty())
        from = u"From: " + mail.userName + u"<" +
               (mail.publishAddress ? mail.ownAddress : std::u16string(kPlaceholderAddress)) + u">";
    const Converted<std::u16string> body = sjisToJisText(mail.songFileText);
    if (!body.ok())
        return {{}, body.error};
    const std::u16string text =
        u"Subject: " + mail.songName + u"\r\n" + from + u"\r\nTo: " + mail.destination +
        u"\r\nMIME-Version: 1.0\r\nX-Mailer: " + std::u16string(kMailer) +
        u"\r\nContent-type: Text/Plain;charset=iso-2022-jp\r\n\r\n" + body.value + u"\r\n";
    const Converted<std::u16string> encoded = encodeHeader(text);
    if (!encoded.ok())
        return {{}, encoded.error};
    return {bytesOfText(encoded.value), {}};
}

std::string writeBackListIcon(const library::SongLibrary& library, std::u16string_view name) {
    const std::optional<library::Song> song = library.loadSong(name);
    if (!song)
        return "the song file is gone";
    const std::u16string& listed = song->info.icon;
    const std::filesystem::path file = library.songFile(name);
    settings::ProfileLoad loaded = settings::PrivateProfile::load(file);
    if (!loaded.error.empty())
        return loaded.error;
    loaded.profile.setValue(library::kSongSection, u"Icon",
                            settings::integerFrom(listed) ? listed : u"1");
    return loaded.profile.save(file);
}

} // namespace sarvo::mail
