#pragma once
// Where the mail password is kept when "保存" is ticked: in the desktop keychain when one
// answers, otherwise in the settings file's disguised key, where older versions kept it too.

#include "settings/settingsfile.h"

#include <functional>
#include <optional>
#include <string>

namespace sarvo::mail {

// A secret store outside the settings file. Every call answers exactly once, later, on the
// caller's thread; a store that cannot be reached answers as if it held nothing.
class PasswordStore {
public:
    virtual ~PasswordStore() = default;
    // The stored password; nullopt when there is none or no store answered.
    virtual void read(std::function<void(std::optional<std::u16string>)> done) = 0;
    // false when no store took it.
    virtual void write(std::u16string password, std::function<void(bool stored)> done) = 0;
};

// The store's entry name of the password of one settings file, so that two program folders
// keep two passwords as their settings files do.
std::u16string mailPasswordEntry(const settings::SettingsFile& file);

// Keeps the password in the store; when the store takes it, the settings file's copy is emptied,
// otherwise the settings file keeps it disguised. done gets "" or why the file was not written.
void keepMailPassword(PasswordStore& store, const settings::SettingsFile& file,
                      std::u16string password, std::function<void(std::string error)> done);

} // namespace sarvo::mail
