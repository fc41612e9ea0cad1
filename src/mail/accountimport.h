#pragma once
// The mail account of the desktop's mail client (Thunderbird's default profile), to seed the
// mail settings: its default account's POP3 server and user name and its SMTP server.

#include "settings/settingsfile.h"

#include <filesystem>
#include <optional>
#include <string>

namespace sarvo::mail {

inline constexpr std::u16string_view kNoMailClientMessage =
    u"どうも OutLooK Express が、ちゃんとインストールされてないみたい！？";

struct ImportedAccount {
    std::u16string pop3Server, smtpServer, userId;
};

// Reads home/.thunderbird: the default profile of profiles.ini and the default account of its
// prefs.js; nullopt when any of them is missing.
std::optional<ImportedAccount> readThunderbirdAccount(const std::filesystem::path& home);

// Writes "POP3", "SMTP" and "USERID" of section "メイル", each the one entry imported.
std::string saveImportedAccount(const settings::SettingsFile& file, const ImportedAccount& account);

} // namespace sarvo::mail
