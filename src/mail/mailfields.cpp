#include "mail/mailfields.h"

#include "settings/profilenumbers.h"

#include <algorithm>

namespace sarvo::mail {
namespace {

constexpr std::u16string_view kMailSection = u"メイル";

std::vector<std::u16string> settings::MailSettings::*const kLists[kMailFieldCount] = {
    &settings::MailSettings::smtpServers, &settings::MailSettings::pop3Servers,
    &settings::MailSettings::destinations, &settings::MailSettings::ownAddresses,
    &settings::MailSettings::userIds};

constexpr std::pair<TlsMode, std::u16string_view> kTlsNames[] = {
    {TlsMode::None, u"none"}, {TlsMode::StartTls, u"starttls"}, {TlsMode::Implicit, u"implicit"}};

std::u16string trimmed(std::u16string_view text) {
    const size_t first = text.find_first_not_of(u" \t\u3000");
    if (first == std::u16string_view::npos)
        return {};
    const size_t last = text.find_last_not_of(u" \t\u3000");
    return std::u16string(text.substr(first, last - first + 1));
}

void moveToTop(std::vector<std::u16string>& list, const std::u16string& value) {
    std::erase(list, value);
    list.insert(list.begin(), value);
}

std::optional<TlsMode> tlsOfName(std::u16string_view name) {
    for (const auto& [mode, text] : kTlsNames)
        if (text == name)
            return mode;
    return std::nullopt;
}

std::u16string_view nameOfTls(TlsMode mode) {
    return kTlsNames[static_cast<int>(mode)].second;
}

} // namespace

std::u16string suggestedOwnAddress(std::u16string_view smtpServer) {
    const size_t dot = smtpServer.find(u'.');
    return u"Sarvo@" +
           std::u16string(dot == std::u16string_view::npos ? u"" : smtpServer.substr(dot + 1));
}

FieldCheck checkMailFields(MailForm& form, ExchangeKind kind, const SongServerSettings& server) {
    const bool sending = kind == ExchangeKind::Send;
    settings::MailSettings& s = form.settings;
    MailAccount account;
    account.smtp = {std::u16string(kPlaceholderHost), 25, form.options.smtpTls};
    account.pop3 = {std::u16string(kPlaceholderHost), 110, form.options.pop3Tls};
    account.destination = kPlaceholderAddress;
    account.ownAddress = suggestedOwnAddress(form.fieldTexts[SmtpServer]);
    account.smtpAuth = form.options.smtpAuth;

    if (sending && !settings::integerIn(s.smtpPort, 0, 65535))
        s.smtpPort = u"25";
    if (!sending && !settings::integerIn(s.pop3Port, 0, 65535))
        return {std::nullopt, u"POP3のポートには、整数を指定して下さい。既定値は、110 です。",
                kPop3PortField};
    account.smtp.port = settings::integerIn(s.smtpPort, 0, 65535).value_or(25);
    account.pop3.port = settings::integerIn(s.pop3Port, 0, 65535).value_or(110);

    const std::u16string_view missing[kMailFieldCount] = {
        u"", u"POP3サーバを指定して下さい！", u"宛先メイルアドレスを指定して下さい！",
        u"自分のメイルアドレスを指定して下さい！", u"ユーザＩＤを指定して下さい！"};
    const ExchangeKind needs[kMailFieldCount] = {ExchangeKind::Send, ExchangeKind::Receive,
                                                 ExchangeKind::Send, ExchangeKind::Send,
                                                 ExchangeKind::Receive};
    std::u16string* targets[kMailFieldCount] = {&account.smtp.host, &account.pop3.host,
                                                &account.destination, &account.ownAddress,
                                                &account.userId};
    for (int i = 0; i < kMailFieldCount; ++i) {
        const std::u16string value = trimmed(form.fieldTexts[i]);
        if (value.empty()) {
            if (needs[i] != kind)
                continue;
            if (i == SmtpServer) {
                account.smtp.host = server.smtpHost;
                continue;
            }
            return {std::nullopt, std::u16string(missing[i]), i};
        }
        *targets[i] = value;
        moveToTop(s.*kLists[i], value);
    }
    account.password = form.password;
    return {account, {}, -1};
}

MailForm loadMailSettings(const settings::SettingsFile& file) {
    MailForm form;
    form.settings = file.mailSettings();
    for (int i = 0; i < kMailFieldCount; ++i) {
        const auto& list = form.settings.*kLists[i];
        form.fieldTexts[i] = list.empty() ? u"" : list.front();
    }
    if (form.settings.keepPassword)
        form.password = file.mailPassword().value_or(u"");
    const settings::PrivateProfile profile = file.profile();
    MailOptions& o = form.options;
    o.smtpTls = tlsOfName(profile.value(kMailSection, u"SMTPTLS")).value_or(TlsMode::None);
    o.pop3Tls = tlsOfName(profile.value(kMailSection, u"POP3TLS")).value_or(TlsMode::None);
    o.smtpAuth = settings::flagFromText(profile.value(kMailSection, u"SMTPAUTH")).value_or(false);
    o.idleSeconds =
        settings::integerIn(profile.value(kMailSection, u"TIMEOUT"), 1, 86400).value_or(60);
    o.sizeLimit = settings::integerIn(profile.value(kMailSection, u"MAXSIZE"), 1, 1 << 30)
                      .value_or(static_cast<int>(o.sizeLimit));
    return form;
}

std::string saveMailSettings(const settings::SettingsFile& file, const MailForm& form) {
    if (std::string error = file.saveMailSettings(form.settings); !error.empty())
        return error;
    const MailOptions& o = form.options;
    return file.update([&](settings::PrivateProfile& profile) {
        profile.setValue(kMailSection, u"SMTPTLS", nameOfTls(o.smtpTls));
        profile.setValue(kMailSection, u"POP3TLS", nameOfTls(o.pop3Tls));
        profile.setValue(kMailSection, u"SMTPAUTH", settings::flagText(o.smtpAuth));
        profile.setValue(kMailSection, u"TIMEOUT", settings::numberText(o.idleSeconds));
        profile.setValue(kMailSection, u"MAXSIZE",
                         settings::numberText(static_cast<int>(o.sizeLimit)));
    });
}

} // namespace sarvo::mail
