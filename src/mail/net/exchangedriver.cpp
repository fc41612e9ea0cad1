#include "mail/net/exchangedriver.h"

#include <QSslConfiguration>

namespace sarvo::mail {

ExchangeDriver::ExchangeDriver(Exchange& exchange, ServerAddress server,
                               QList<QSslCertificate> extraCertificates, QObject* parent)
    : QObject(parent)
    , m_exchange(exchange)
    , m_server(std::move(server)) {
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.addCaCertificates(extraCertificates);
    m_socket.setSslConfiguration(configuration);
    m_idleTimer.setInterval(1000);

    connect(&m_socket, &QSslSocket::readyRead, this, [this] {
        const QByteArray bytes = m_socket.readAll();
        apply(m_exchange.received(std::string_view(bytes.constData(), bytes.size())));
    });
    connect(&m_socket, &QSslSocket::encrypted, this, [this] {
        if (m_server.tls == TlsMode::StartTls)
            apply(m_exchange.tlsEstablished());
    });
    connect(&m_socket, &QSslSocket::sslErrors, this, [this](const QList<QSslError>& errors) {
        for (const QSslError& error : errors)
            m_certificateProblems +=
                (m_certificateProblems.isEmpty() ? "" : " / ") + error.errorString();
    });
    connect(&m_socket, &QAbstractSocket::errorOccurred, this, &ExchangeDriver::socketError);
    connect(&m_idleTimer, &QTimer::timeout, this, [this] { apply(m_exchange.tick()); });
}

void ExchangeDriver::start() {
    m_running = true;
    m_certificateProblems.clear();
    apply(m_exchange.start());
    const QString host = QString::fromStdU16String(m_server.host);
    const auto port = static_cast<quint16>(m_server.port);
    if (m_server.tls == TlsMode::Implicit)
        m_socket.connectToHostEncrypted(host, port);
    else
        m_socket.connectToHost(host, port);
    m_idleTimer.start();
}

void ExchangeDriver::socketError(QAbstractSocket::SocketError error) {
    if (!m_running)
        return;
    QString description = m_socket.errorString();
    if (!m_certificateProblems.isEmpty())
        description = QStringLiteral("サーバの証明書を確認できません: ") + m_certificateProblems;
    apply(m_exchange.socketError(static_cast<int>(error), description.toStdU16String()));
}

void ExchangeDriver::apply(const ExchangeOutput& out) {
    if (out.checkLogLength)
        emit logLengthCheck();
    if (!out.log.empty())
        emit logged(QString::fromStdU16String(out.log));
    if (!out.send.empty())
        m_socket.write(out.send.data(), static_cast<qint64>(out.send.size()));
    if (out.startTls)
        m_socket.startClientEncryption();
    if (out.close) {
        m_idleTimer.stop();
        if (m_socket.state() == QAbstractSocket::ConnectedState)
            m_socket.disconnectFromHost();
        else
            m_socket.abort();
    }
    if (out.finished && m_running) {
        m_running = false;
        emit finished(m_exchange.errorMessage().empty());
    }
}

QList<QSslCertificate> certificatesFromFile(const QString& path, QString* error) {
    const QList<QSslCertificate> certificates = QSslCertificate::fromPath(path, QSsl::Pem);
    if (certificates.isEmpty() && error)
        *error = path + QStringLiteral(" に証明書がありません");
    return certificates;
}

} // namespace sarvo::mail
