#include "mail/serversettings.h"

#include "settings/profilenumbers.h"

namespace sarvo::mail {

SongServerSettings songServerSettings(const settings::SettingsFile& file) {
    const settings::PrivateProfile profile = file.profile();
    SongServerSettings server;
    for (auto [key, field] : {std::pair{u"SMTP", &SongServerSettings::smtpHost},
                              std::pair{u"UPLOADADDR", &SongServerSettings::uploadMailbox},
                              std::pair{u"DOWNLOAD", &SongServerSettings::downloadPage}}) {
        if (auto value = profile.find(kServerSection, key); value && !value->empty())
            server.*field = *value;
    }
    if (auto port = settings::integerIn(profile.value(kServerSection, u"SMTPPORT"), 1, 65535))
        server.smtpPort = *port;
    return server;
}

} // namespace sarvo::mail
