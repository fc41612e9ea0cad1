#pragma once
// The settings file Sarvo.ini. Every call reads the file afresh and every change rewrites it
// atomically, keeping the keys it does not touch, so the parts of the program that own
// different sections never overwrite each other's values.
//
// Sections: "設定" (the preferences, the disguised mail password and PIN, the upload count),
// "メイン" (window placement), "メイル" (mail account), "ケーブル接続" (cable transfer) and
// "曲サーバ" (song server).

#include "settings/preferences.h"
#include "settings/privateprofile.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sarvo::settings {

inline constexpr std::u16string_view kSettingsFileName = u"Sarvo.ini";

// Main window placement, section "メイン"; nullopt for a key that is missing or not a number.
struct WindowPlacement {
    std::optional<int> splitTop;
    std::array<std::optional<int>, 7> columnWidths; // "lvw1Width" … "lvw7Width"
    std::optional<int> top, left, height, width;

    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

// Mail account, section "メイル". The five lists keep their order, most recent first.
struct MailSettings {
    int mailType = 2;                         // "MAILTYPE", 0 to 4
    std::vector<std::u16string> smtpServers;  // "SMTP"
    std::vector<std::u16string> pop3Servers;  // "POP3"
    std::vector<std::u16string> destinations; // "SENDADDR"
    std::vector<std::u16string> ownAddresses; // "MYADDR"
    std::vector<std::u16string> userIds;      // "USERID"
    std::u16string smtpPort = u"25";          // "SMTPPORT"
    std::u16string pop3Port = u"110";         // "POP3PORT"
    std::u16string imodeAddress;              // "IMODEADDR"
    bool keepPassword = false;                // "PASS"
    bool deleteAfterReceiving = false;        // "DEL"

    friend bool operator==(const MailSettings&, const MailSettings&) = default;
};

// Cable transfer, section "ケーブル接続", with the PIN kept in "設定".
struct CableSettings {
    std::optional<int> port;           // "PORT": list index of the port
    std::optional<int> melodySlot;     // "MELODYNO": list index of the ringtone slot
    std::u16string type;               // "TYPE": the chosen cable type's entry text
    std::optional<std::u16string> pin; // "SARVONO", disguised on disk

    friend bool operator==(const CableSettings&, const CableSettings&) = default;
};

// A list value as the mail settings store it: every non-empty entry followed by ",".
std::u16string listText(const std::vector<std::u16string>& entries);
// The reverse: split at every ","; the text after the last "," is ignored.
std::vector<std::u16string> listFromText(std::u16string_view text);

class SettingsFile {
public:
    explicit SettingsFile(std::filesystem::path file)
        : m_file(std::move(file)) {}

    const std::filesystem::path& path() const { return m_file; }

    // The whole file; an unreadable file reads as empty.
    PrivateProfile profile() const;
    // Reads the file, lets change() edit it and writes it back; "" on success.
    template <typename Change> std::string update(Change change) const {
        ProfileLoad loaded = PrivateProfile::load(m_file);
        if (!loaded.error.empty())
            return loaded.error;
        change(loaded.profile);
        return loaded.profile.save(m_file);
    }

    Preferences preferences() const;
    std::string savePreferences(const Preferences& preferences) const;

    WindowPlacement windowPlacement() const;
    // Writes "SplitTop", the seven column widths, "Top", "Left", "Height", "Width" in this order;
    // keys without a value are left as they are.
    std::string saveWindowPlacement(const WindowPlacement& placement) const;

    MailSettings mailSettings() const;
    std::string saveMailSettings(const MailSettings& mail) const;
    // The stored mail password ("設定", "音の状態"); nullopt when none is stored.
    std::optional<std::u16string> mailPassword() const;
    // Fails (message) for a password longer than 120 characters.
    std::string saveMailPassword(std::u16string_view password) const;

    CableSettings cableSettings() const;
    std::string saveCableSettings(const CableSettings& cable) const;

    // "設定", "EncodeNo": uploads made so far; 0 when missing.
    int uploadCount() const;
    std::string saveUploadCount(int count) const;
    // "曲サーバ", "アドレス公開": publish the sender's address in uploads.
    bool publishAddress() const;
    std::string savePublishAddress(bool publish) const;

private:
    std::filesystem::path m_file;
};

} // namespace sarvo::settings
