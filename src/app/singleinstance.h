#pragma once
// One running program per library. The first start holds a lock file and listens on a local
// socket named after the library's data folder; a later start finds the lock taken and hands its
// request to the running program over the socket instead: "import the song files waiting in the
// log folder", "open the import dialog on this file" or "come to the front". A lock left by a
// program that died is taken over.

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <filesystem>
#include <memory>

namespace sarvo::app {

enum class HandOverRequest { ImportWaitingSongs, OpenImportOf, Activate };

class SingleInstance : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(const std::filesystem::path& dataFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Becomes the running program: true when this start took the lock and listens.
    bool claim();

    // Sends a request to the running program and waits until it confirms; false when no
    // running program answered within the time. OpenImportOf carries the file's absolute path.
    bool send(HandOverRequest request, const std::filesystem::path& file = {},
              int timeoutMs = 5000) const;

    const QString& serverName() const { return m_serverName; }

signals:
    void importRequested();
    void importOfFileRequested(const std::filesystem::path& file);
    void activationRequested();

private:
    void readRequest(class QLocalSocket* socket);

    QString m_serverName;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer m_server;
};

} // namespace sarvo::app
