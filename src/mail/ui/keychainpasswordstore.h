#pragma once
// The desktop keychain (Secret Service, KWallet, …) as the mail password's store. Every job
// answers through its finished signal, or as "no store" when it has not answered within the
// bound: a desktop without a D-Bus session fails at once, a hung service does not hold the
// dialog. Answers that come after this object is gone are dropped.

#include "mail/mailpassword.h"

#include <QObject>
#include <QString>

#include <chrono>

namespace sarvo::mail {

class KeychainPasswordStore : public QObject, public PasswordStore {
    Q_OBJECT

public:
    KeychainPasswordStore(QString entry, std::chrono::milliseconds bound,
                          QObject* parent = nullptr);

    void read(std::function<void(std::optional<std::u16string>)> done) override;
    void write(std::u16string password, std::function<void(bool stored)> done) override;

private:
    QString m_entry;
    std::chrono::milliseconds m_bound;
};

} // namespace sarvo::mail
