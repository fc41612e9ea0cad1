#include "mail/mailpassword.h"

namespace sarvo::mail {

std::u16string mailPasswordEntry(const settings::SettingsFile& file) {
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(file.path(), ignored);
    return u"メイル " + (absolute.empty() ? file.path() : absolute).u16string();
}

void keepMailPassword(PasswordStore& store, const settings::SettingsFile& file,
                      std::u16string password, std::function<void(std::string error)> done) {
    store.write(password, [file, password, done = std::move(done)](bool stored) {
        done(file.saveMailPassword(stored ? u"" : password));
    });
}

} // namespace sarvo::mail
