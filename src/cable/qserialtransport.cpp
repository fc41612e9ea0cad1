#include "cable/qserialtransport.h"

#include <QFileInfo>

#include <termios.h>

namespace sarvo::cable {

QSerialTransport::QSerialTransport(QObject* parent)
    : QObject(parent) {
    connect(&m_port, &QSerialPort::readyRead, this, &QSerialTransport::readyRead);
}

bool QSerialTransport::openWith(const LineSettings& settings) {
    // Every parameter is set before opening: a pseudo-terminal refuses a parity change later.
    m_port.setPortName(m_name);
    m_port.setBaudRate(settings.baud);
    m_port.setParity(settings.evenParity ? QSerialPort::EvenParity : QSerialPort::NoParity);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadWrite))
        return false;
    // A pseudo-terminal may take the setting and silently drop the parity bit.
    termios taken{};
    if (settings.evenParity &&
        (tcgetattr(static_cast<int>(m_port.handle()), &taken) != 0 || !(taken.c_cflag & PARENB))) {
        m_port.close();
        return false;
    }
    return true;
}

OpenResult QSerialTransport::open(const LineSettings& settings) {
    close();
    if (openWith(settings))
        return {true, false, {}};
    const std::string error = m_port.errorString().toStdString();
    const bool pseudoTerminal =
        QFileInfo(m_name).canonicalFilePath().startsWith(QStringLiteral("/dev/pts/"));
    if (settings.evenParity && pseudoTerminal && openWith({settings.baud, false}))
        return {true, true, {}};
    return {false, false, m_name.toStdString() + ": " + error};
}

void QSerialTransport::close() {
    if (!m_port.isOpen())
        return;
    // What was written (the end frame) leaves before the port closes.
    if (m_port.bytesToWrite() > 0)
        m_port.waitForBytesWritten(1000);
    m_port.close();
    m_port.clearError();
}

bool QSerialTransport::write(std::span<const uint8_t> bytes) {
    const qint64 size = static_cast<qint64>(bytes.size());
    return m_port.write(reinterpret_cast<const char*>(bytes.data()), size) == size;
}

Bytes QSerialTransport::readAll() {
    const QByteArray data = m_port.readAll();
    return Bytes(data.begin(), data.end());
}

} // namespace sarvo::cable
