#include "app/singleinstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QThread>

#include <unistd.h>

namespace sarvo::app {
namespace {

constexpr QByteArrayView kImport = "IMPORT\n";
constexpr QByteArrayView kActivate = "ACTIVATE\n";
constexpr QByteArrayView kOpenImport = "OPEN "; // then the file's path in UTF-8 and a newline
constexpr QByteArrayView kDone = "OK\n";

// The same library gives the same name, for one user only.
QString serverNameFor(const std::filesystem::path& dataFolder) {
    std::error_code ec;
    const auto canonical = std::filesystem::weakly_canonical(dataFolder, ec);
    const std::string folder = (ec ? dataFolder : canonical).string();
    const QByteArray hash =
        QCryptographicHash::hash(QByteArray::fromStdString(folder), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return QStringLiteral("sarvo-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}

} // namespace

SingleInstance::SingleInstance(const std::filesystem::path& dataFolder, QObject* parent)
    : QObject(parent)
    , m_serverName(serverNameFor(dataFolder))
    , m_lock(std::make_unique<QLockFile>(QDir::temp().filePath(m_serverName + ".lock"))) {
    // The lock is held for the program's lifetime; never treat it as stale by age.
    m_lock->setStaleLockTime(0);
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this,
                    [this, socket] { readRequest(socket); });
            readRequest(socket);
        }
    });
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::claim() {
    // tryLock removes a lock whose process is gone.
    if (!m_lock->tryLock(0))
        return false;
    // The lock is ours, so a socket of that name is left over from a program that died.
    QLocalServer::removeServer(m_serverName);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    return m_server.listen(m_serverName);
}

void SingleInstance::readRequest(QLocalSocket* socket) {
    if (!socket->canReadLine())
        return;
    const QByteArray line = socket->readLine();
    socket->write(kDone.data(), kDone.size());
    socket->flush();
    if (line == kImport)
        emit importRequested();
    else if (line == kActivate)
        emit activationRequested();
    else if (line.startsWith(kOpenImport) && line.endsWith('\n'))
        emit importOfFileRequested(std::filesystem::path(
            QString::fromUtf8(line.mid(kOpenImport.size()).chopped(1)).toStdU16String()));
}

bool SingleInstance::send(HandOverRequest request, const std::filesystem::path& file,
                          int timeoutMs) const {
    QLocalSocket socket;
    // The running program may still be starting and not listen yet: try again for a while.
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        socket.connectToServer(m_serverName);
        if (socket.waitForConnected(timeoutMs))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    QByteArray message;
    if (request == HandOverRequest::ImportWaitingSongs)
        message = kImport.toByteArray();
    else if (request == HandOverRequest::Activate)
        message = kActivate.toByteArray();
    else
        message = kOpenImport.toByteArray() +
                  QString::fromStdU16String(file.u16string()).toUtf8() + '\n';
    socket.write(message);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    }
    return socket.readLine() == kDone;
}

} // namespace sarvo::app
