#include "mail/accountimport.h"

#include "common/filebytes.h"
#include "common/textcodec.h"

#include <map>
#include <regex>
#include <sstream>

namespace sarvo::mail {
namespace {

// The folder of the default profile: the Default= of an [Install…] section, else the profile
// marked Default=1, else the only profile.
std::optional<std::filesystem::path> defaultProfile(const std::filesystem::path& root) {
    const auto ini = readFileBytes(root / "profiles.ini");
    if (!ini)
        return std::nullopt;
    std::string section, installDefault, markedPath, firstPath, path;
    bool relative = true, marked = false;
    std::map<std::string, bool> relativeOf;
    const auto endProfile = [&] {
        if (path.empty())
            return;
        relativeOf[path] = relative;
        if (firstPath.empty())
            firstPath = path;
        if (marked)
            markedPath = path;
        path.clear();
        relative = true;
        marked = false;
    };
    std::istringstream lines(*ini);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.starts_with('[')) {
            endProfile();
            section = line;
        } else if (section.starts_with("[Install") && line.starts_with("Default=")) {
            installDefault = line.substr(8);
        } else if (section.starts_with("[Profile")) {
            if (line.starts_with("Path="))
                path = line.substr(5);
            else if (line == "IsRelative=0")
                relative = false;
            else if (line == "Default=1")
                marked = true;
        }
    }
    endProfile();
    const std::string chosen = !installDefault.empty() ? installDefault
                               : !markedPath.empty()   ? markedPath
                                                       : firstPath;
    if (chosen.empty())
        return std::nullopt;
    const auto found = relativeOf.find(chosen);
    return found == relativeOf.end() || found->second ? root / chosen
                                                      : std::filesystem::path(chosen);
}

} // namespace

std::optional<ImportedAccount> readThunderbirdAccount(const std::filesystem::path& home) {
    const std::filesystem::path root = home / ".thunderbird";
    const auto profile = defaultProfile(root);
    const auto prefsText = profile ? readFileBytes(*profile / "prefs.js") : std::nullopt;
    if (!prefsText)
        return std::nullopt;
    std::map<std::string, std::string> prefs;
    static const std::regex pref(R"re(user_pref\("([^"]+)",\s*"?([^")]*)"?\);)re");
    for (auto it = std::sregex_iterator(prefsText->begin(), prefsText->end(), pref);
         it != std::sregex_iterator(); ++it)
        prefs[(*it)[1]] = (*it)[2];
    const auto get = [&](const std::string& key) {
        const auto found = prefs.find(key);
        return found == prefs.end() ? std::string() : found->second;
    };
    const std::string account = get("mail.accountmanager.defaultaccount");
    const std::string server = get("mail.account." + account + ".server");
    const std::string identity = get("mail.account." + account + ".identities");
    std::string smtp =
        get("mail.identity." + identity.substr(0, identity.find(',')) + ".smtpServer");
    if (smtp.empty())
        smtp = get("mail.smtp.defaultserver");
    ImportedAccount imported{fromUtf8(get("mail.server." + server + ".hostname")).value_or(u""),
                             fromUtf8(get("mail.smtpserver." + smtp + ".hostname")).value_or(u""),
                             fromUtf8(get("mail.server." + server + ".userName")).value_or(u"")};
    if (account.empty() || imported.pop3Server.empty())
        return std::nullopt;
    return imported;
}

std::string saveImportedAccount(const settings::SettingsFile& file,
                                const ImportedAccount& account) {
    return file.update([&](settings::PrivateProfile& profile) {
        profile.setValue(u"メイル", u"POP3", account.pop3Server + u",");
        profile.setValue(u"メイル", u"SMTP", account.smtpServer + u",");
        profile.setValue(u"メイル", u"USERID", account.userId + u",");
    });
}

} // namespace sarvo::mail
