#pragma once
// Runs an exchange over a QSslSocket on the thread's event loop: the socket's events go into
// the engine and what the engine answers goes out to the socket and the log. Nothing here
// waits; the caller learns the end from finished().

#include "mail/exchange.h"

#include <QList>
#include <QObject>
#include <QSslCertificate>
#include <QSslSocket>
#include <QTimer>

namespace sarvo::mail {

class ExchangeDriver : public QObject {
    Q_OBJECT

public:
    // extraCertificates are trusted beside the system's (a self-signed server of one's own).
    ExchangeDriver(Exchange& exchange, ServerAddress server,
                   QList<QSslCertificate> extraCertificates = {}, QObject* parent = nullptr);

    // Logs the start marker and connects; plain, or encrypted from the start for implicit TLS.
    void start();
    bool running() const { return m_running; }

signals:
    void logged(const QString& text);
    // Asks the log's owner to reset a log longer than kLogLimit before the next lines.
    void logLengthCheck();
    void finished(bool ok);

private:
    void apply(const ExchangeOutput& out);
    void socketError(QAbstractSocket::SocketError error);

    Exchange& m_exchange;
    ServerAddress m_server;
    QSslSocket m_socket;
    QTimer m_idleTimer;
    QString m_certificateProblems;
    bool m_running = false;
};

// Certificates of a PEM file; empty (with the reason in error) when it holds none.
QList<QSslCertificate> certificatesFromFile(const QString& path, QString* error);

} // namespace sarvo::mail
