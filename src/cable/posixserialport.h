#pragma once
// A serial device (or pseudo-terminal) through termios, for the command line, the phone
// emulator and the benchmarks. A pseudo-terminal refuses even parity; the port is then opened
// without it and says so.

#include "cable/transport.h"
#include "sound/clock.h"

#include <string>

namespace sarvo::cable {

class PosixSerialPort final : public IByteTransport {
public:
    explicit PosixSerialPort(std::string path)
        : m_path(std::move(path)) {}
    ~PosixSerialPort() override { close(); }
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    OpenResult open(const LineSettings& settings) override;
    void close() override;
    bool isOpen() const override { return m_fd >= 0; }
    bool write(std::span<const uint8_t> bytes) override;
    Bytes readAll() override;

    // Returns once bytes wait in the input or the deadline has passed.
    void waitReadable(sound::TimePoint deadline) const;

private:
    std::string m_path;
    int m_fd = -1;
};

class TransferRunner;

// Plays a transfer to its end on this port with the steady clock, waiting for bytes in between.
void runTransfer(TransferRunner& runner, const PosixSerialPort& port);

} // namespace sarvo::cable
