#include "cable/serialports.h"

#include <QSerialPortInfo>

namespace sarvo::cable {

QVector<SerialPortEntry> serialPorts() {
    QVector<SerialPortEntry> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const QString name = info.portName();
        if (!name.startsWith(QStringLiteral("ttyS")) &&
            !name.startsWith(QStringLiteral("ttyUSB")) &&
            !name.startsWith(QStringLiteral("ttyACM")))
            continue;
        const QString description =
            info.description().isEmpty() ? info.manufacturer() : info.description();
        ports.push_back({description.isEmpty() ? name : name + QStringLiteral("  ") + description,
                         info.systemLocation()});
    }
    return ports;
}

} // namespace sarvo::cable
