#pragma once
// The cable's byte line through QSerialPort. Even parity is asked for; a pseudo-terminal, which
// cannot hold it, is opened without parity instead and the open says so.

#include "cable/transport.h"

#include <QObject>
#include <QSerialPort>

namespace sarvo::cable {

class QSerialTransport final : public QObject, public IByteTransport {
    Q_OBJECT

public:
    explicit QSerialTransport(QObject* parent = nullptr);

    // The device path (or a serial port name such as "ttyUSB0") the next open uses.
    void setPortName(const QString& name) { m_name = name; }

    OpenResult open(const LineSettings& settings) override;
    void close() override;
    bool isOpen() const override { return m_port.isOpen(); }
    bool write(std::span<const uint8_t> bytes) override;
    Bytes readAll() override;

signals:
    void readyRead();

private:
    bool openWith(const LineSettings& settings);

    QSerialPort m_port;
    QString m_name;
};

} // namespace sarvo::cable
