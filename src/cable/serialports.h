#pragma once
// The serial ports a Linux machine has (ttyS, ttyUSB, ttyACM), for the cable dialog's port list.

#include <QString>
#include <QVector>

namespace sarvo::cable {

struct SerialPortEntry {
    QString text;     // "ttyUSB0  USB-Serial Controller"
    QString location; // "/dev/ttyUSB0"
};

QVector<SerialPortEntry> serialPorts();

} // namespace sarvo::cable
