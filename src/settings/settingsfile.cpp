#include "settings/settingsfile.h"

#include "settings/profilenumbers.h"
#include "settings/scrambling.h"

namespace sarvo::settings {
namespace {

constexpr std::u16string_view kMainSection = u"メイン";
constexpr std::u16string_view kMailSection = u"メイル";
constexpr std::u16string_view kCableSection = u"ケーブル接続";
constexpr std::u16string_view kServerSection = u"曲サーバ";

constexpr std::u16string_view kPasswordKey = u"音の状態";
constexpr std::u16string_view kPinKey = u"SARVONO";
constexpr std::u16string_view kUploadCountKey = u"EncodeNo";

// The mail settings are read with a 255-byte buffer.
constexpr size_t kMailBuffer = 255;
constexpr int kMailTypeCount = 5;

std::u16string columnWidthKey(size_t column) {
    return u"lvw" + numberText(static_cast<int>(column + 1)) + u"Width";
}

struct MailList {
    std::u16string_view key;
    std::vector<std::u16string> MailSettings::*entries;
};

// The five lists in the order of the mail dialog's fields.
constexpr MailList kMailLists[] = {
    {u"SMTP", &MailSettings::smtpServers},      {u"POP3", &MailSettings::pop3Servers},
    {u"SENDADDR", &MailSettings::destinations}, {u"MYADDR", &MailSettings::ownAddresses},
    {u"USERID", &MailSettings::userIds},
};

} // namespace

std::u16string listText(const std::vector<std::u16string>& entries) {
    std::u16string text;
    for (const std::u16string& entry : entries) {
        if (entry.empty())
            continue;
        text += entry;
        text += u',';
    }
    return text;
}

std::vector<std::u16string> listFromText(std::u16string_view text) {
    std::vector<std::u16string> entries;
    size_t start = 0;
    for (size_t comma = text.find(u','); comma != std::u16string_view::npos;
         comma = text.find(u',', start)) {
        entries.emplace_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    return entries;
}

PrivateProfile SettingsFile::profile() const {
    return PrivateProfile::load(m_file).profile;
}

Preferences SettingsFile::preferences() const {
    return readPreferences(profile());
}

std::string SettingsFile::savePreferences(const Preferences& preferences) const {
    return update([&](PrivateProfile& profile) { writePreferences(profile, preferences); });
}

WindowPlacement SettingsFile::windowPlacement() const {
    const PrivateProfile file = profile();
    auto read = [&](std::u16string_view key) {
        return integerFrom(file.value(kMainSection, key, {}, kPreferenceBuffer));
    };
    WindowPlacement placement;
    placement.splitTop = read(u"SplitTop");
    for (size_t column = 0; column < placement.columnWidths.size(); ++column)
        placement.columnWidths[column] = read(columnWidthKey(column));
    placement.top = read(u"Top");
    placement.left = read(u"Left");
    placement.height = read(u"Height");
    placement.width = read(u"Width");
    return placement;
}

std::string SettingsFile::saveWindowPlacement(const WindowPlacement& placement) const {
    return update([&](PrivateProfile& file) {
        auto write = [&](std::u16string_view key, std::optional<int> value) {
            if (value)
                file.setValue(kMainSection, key, numberText(*value));
        };
        write(u"SplitTop", placement.splitTop);
        for (size_t column = 0; column < placement.columnWidths.size(); ++column)
            write(columnWidthKey(column), placement.columnWidths[column]);
        write(u"Top", placement.top);
        write(u"Left", placement.left);
        write(u"Height", placement.height);
        write(u"Width", placement.width);
    });
}

MailSettings SettingsFile::mailSettings() const {
    const PrivateProfile file = profile();
    auto read = [&](std::u16string_view key) {
        return file.find(kMailSection, key, kMailBuffer);
    };
    MailSettings mail;
    mail.mailType = integerIn(read(u"MAILTYPE").value_or(u""), 0, kMailTypeCount - 1).value_or(2);
    for (const MailList& list : kMailLists)
        mail.*list.entries = listFromText(read(list.key).value_or(u""));
    mail.smtpPort = read(u"SMTPPORT").value_or(mail.smtpPort);
    mail.pop3Port = read(u"POP3PORT").value_or(mail.pop3Port);
    mail.imodeAddress = read(u"IMODEADDR").value_or(u"");
    mail.keepPassword = flagFromText(read(u"PASS").value_or(u"")).value_or(false);
    mail.deleteAfterReceiving = flagFromText(read(u"DEL").value_or(u"")).value_or(false);
    return mail;
}

std::string SettingsFile::saveMailSettings(const MailSettings& mail) const {
    return update([&](PrivateProfile& file) {
        auto write = [&](std::u16string_view key, std::u16string_view value) {
            file.setValue(kMailSection, key, value);
        };
        write(u"MAILTYPE", numberText(mail.mailType));
        for (const MailList& list : kMailLists)
            write(list.key, listText(mail.*list.entries));
        write(u"SMTPPORT", mail.smtpPort);
        write(u"POP3PORT", mail.pop3Port);
        write(u"IMODEADDR", mail.imodeAddress);
        write(u"PASS", flagText(mail.keepPassword));
        write(u"DEL", flagText(mail.deleteAfterReceiving));
    });
}

std::optional<std::u16string> SettingsFile::mailPassword() const {
    const std::u16string stored =
        profile().value(kPreferencesSection, kPasswordKey, {}, kPreferenceBuffer);
    if (stored.empty())
        return std::nullopt;
    return revealPassword(stored);
}

std::string SettingsFile::saveMailPassword(std::u16string_view password) const {
    const auto disguised = disguisePassword(password);
    if (!disguised)
        return "a mail password can have at most 120 characters";
    return update([&](PrivateProfile& file) {
        file.setValue(kPreferencesSection, kPasswordKey, *disguised);
    });
}

CableSettings SettingsFile::cableSettings() const {
    const PrivateProfile file = profile();
    CableSettings cable;
    cable.port = integerFrom(file.value(kCableSection, u"PORT", {}, kPreferenceBuffer));
    cable.melodySlot = integerFrom(file.value(kCableSection, u"MELODYNO", {}, kPreferenceBuffer));
    cable.type = file.value(kCableSection, u"TYPE", {}, kPreferenceBuffer);
    if (auto stored = file.find(kPreferencesSection, kPinKey, kPreferenceBuffer))
        cable.pin = unscramblePin(*stored);
    return cable;
}

std::string SettingsFile::saveCableSettings(const CableSettings& cable) const {
    std::optional<std::u16string> scrambledPin;
    if (cable.pin) {
        scrambledPin = scramblePin(*cable.pin);
        if (!scrambledPin)
            return "a PIN can have at most 120 characters";
    }
    return update([&](PrivateProfile& file) {
        if (cable.port)
            file.setValue(kCableSection, u"PORT", numberText(*cable.port));
        if (cable.melodySlot)
            file.setValue(kCableSection, u"MELODYNO", numberText(*cable.melodySlot));
        file.setValue(kCableSection, u"TYPE", cable.type);
        if (scrambledPin)
            file.setValue(kPreferencesSection, kPinKey, *scrambledPin);
    });
}

int SettingsFile::uploadCount() const {
    return integerFrom(
               profile().value(kPreferencesSection, kUploadCountKey, u"0", kPreferenceBuffer))
        .value_or(0);
}

std::string SettingsFile::saveUploadCount(int count) const {
    return update([&](PrivateProfile& file) {
        file.setValue(kPreferencesSection, kUploadCountKey, numberText(count));
    });
}

bool SettingsFile::publishAddress() const {
    return flagFromText(profile().value(kServerSection, u"アドレス公開", {}, kPreferenceBuffer))
        .value_or(false);
}

std::string SettingsFile::savePublishAddress(bool publish) const {
    return update([&](PrivateProfile& file) {
        file.setValue(kServerSection, u"アドレス公開", flagText(publish));
    });
}

} // namespace sarvo::settings
