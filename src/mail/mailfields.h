#pragma once
// The fields of the mail dialog as plain data, their check before an exchange (CheckMailFields)
// and their place in the settings file (LoadMailSettings, SaveMailSettings), with the options
// this program adds: TLS per server, SMTP AUTH, the idle time-out and the size limit.

#include "mail/exchange.h"
#include "mail/serversettings.h"
#include "settings/settingsfile.h"

#include <array>
#include <optional>
#include <string>

namespace sarvo::mail {

// The five combos cmbMail(0..4).
enum MailField { SmtpServer = 0, Pop3Server = 1, Destination = 2, OwnAddress = 3, UserId = 4 };
inline constexpr int kMailFieldCount = 5;
// Focus targets beside the combos.
inline constexpr int kPop3PortField = 6;

// Section "メイル" keys of the additions.
struct MailOptions {
    TlsMode smtpTls = TlsMode::None; // "SMTPTLS": none, starttls, implicit
    TlsMode pop3Tls = TlsMode::None; // "POP3TLS"
    bool smtpAuth = false;           // "SMTPAUTH": AUTH with the user ID and password
    int idleSeconds = 60;            // "TIMEOUT"
    long sizeLimit = 65536;          // "MAXSIZE": 3072 for the old rule

    bool operator==(const MailOptions&) const = default;
};

struct MailForm {
    settings::MailSettings settings; // type, lists, ports, i-mode address, check boxes
    std::array<std::u16string, kMailFieldCount> fieldTexts; // what each combo shows
    std::u16string password;
    MailOptions options;
};

enum class ExchangeKind { Send = 1, Receive = 2 }; // ConnectMode

// Where and as whom an exchange runs.
struct MailAccount {
    ServerAddress smtp, pop3;
    std::u16string destination, ownAddress, userId, password;
    bool smtpAuth = false;
};

struct FieldCheck {
    std::optional<MailAccount> account; // nullopt: refused
    std::u16string message;             // why, for a message box
    int focusField = -1;                // the field to focus: a MailField or kPop3PortField
};

// CheckMailFields: refuses missing fields, fills the placeholders, moves each used value to
// the top of its list (the form's lists change). Does not save.
FieldCheck checkMailFields(MailForm& form, ExchangeKind kind, const SongServerSettings& server);

// "Sarvo@" + the server name after its first "." (the own address a new SMTP server suggests).
std::u16string suggestedOwnAddress(std::u16string_view smtpServer);

// The password is the settings file's (older versions kept it there); the desktop keychain's,
// when it holds one, comes later (mail/mailpassword.h).
MailForm loadMailSettings(const settings::SettingsFile& file);
// Writes the form but not the password, which keepMailPassword keeps.
std::string saveMailSettings(const settings::SettingsFile& file, const MailForm& form);

} // namespace sarvo::mail
