#include "mail/ui/keychainpasswordstore.h"

#include <qt6keychain/keychain.h>

#include <QTimer>

#include <memory>

namespace sarvo::mail {
namespace {

const QString kService = QStringLiteral("Sarvo");

// The first of the job's answer and the time-out wins; the other finds nothing left to call.
template <class... Args> std::function<void(Args...)> once(std::function<void(Args...)> done) {
    auto slot = std::make_shared<std::function<void(Args...)>>(std::move(done));
    return [slot](Args... args) {
        if (auto call = std::exchange(*slot, nullptr))
            call(std::move(args)...);
    };
}

} // namespace

KeychainPasswordStore::KeychainPasswordStore(QString entry, std::chrono::milliseconds bound,
                                             QObject* parent)
    : QObject(parent)
    , m_entry(std::move(entry))
    , m_bound(bound) {}

void KeychainPasswordStore::read(std::function<void(std::optional<std::u16string>)> done) {
    auto answer = once(std::move(done));
    // No parent: a job deletes itself when it finishes, also after this object is gone.
    auto* job = new QKeychain::ReadPasswordJob(kService);
    job->setKey(m_entry);
    connect(job, &QKeychain::Job::finished, this, [answer](QKeychain::Job* finished) {
        const auto* read = static_cast<QKeychain::ReadPasswordJob*>(finished);
        answer(read->error() == QKeychain::NoError
                   ? std::optional(read->textData().toStdU16String())
                   : std::nullopt);
    });
    QTimer::singleShot(m_bound, this, [answer] { answer(std::nullopt); });
    job->start();
}

void KeychainPasswordStore::write(std::u16string password, std::function<void(bool)> done) {
    auto answer = once(std::move(done));
    auto* job = new QKeychain::WritePasswordJob(kService);
    job->setKey(m_entry);
    job->setTextData(QString::fromStdU16String(password));
    connect(job, &QKeychain::Job::finished, this, [answer](QKeychain::Job* finished) {
        answer(finished->error() == QKeychain::NoError);
    });
    QTimer::singleShot(m_bound, this, [answer] { answer(false); });
    job->start();
}

} // namespace sarvo::mail
