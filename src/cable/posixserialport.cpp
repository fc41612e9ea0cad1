#include "cable/posixserialport.h"

#include "cable/transferrunner.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace sarvo::cable {
namespace {

speed_t speedOf(int baud) {
    switch (baud) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    default: return B600;
    }
}

bool configure(int fd, const LineSettings& settings) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return false;
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD | CS8;
    tio.c_cflag &= ~(CSTOPB | PARODD | CRTSCTS);
    if (settings.evenParity)
        tio.c_cflag |= PARENB;
    else
        tio.c_cflag &= ~PARENB;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, speedOf(settings.baud));
    cfsetospeed(&tio, speedOf(settings.baud));
    if (tcsetattr(fd, TCSANOW, &tio) != 0)
        return false;
    // A pseudo-terminal may take the setting and silently drop the parity bit.
    termios taken{};
    return tcgetattr(fd, &taken) == 0 && (taken.c_cflag & PARENB) == (tio.c_cflag & PARENB);
}

} // namespace

OpenResult PosixSerialPort::open(const LineSettings& settings) {
    close();
    m_fd = ::open(m_path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0)
        return {false, false, m_path + ": " + std::strerror(errno)};
    OpenResult result{true, false, {}};
    if (!configure(m_fd, settings)) {
        const int error = errno;
        // A pseudo-terminal takes no parity: the only setting it refuses.
        if (!settings.evenParity || !isatty(m_fd) || !configure(m_fd, {settings.baud, false})) {
            close();
            return {false, false, m_path + ": " + std::strerror(error)};
        }
        result.parityDropped = true;
    }
    return result;
}

void PosixSerialPort::close() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool PosixSerialPort::write(std::span<const uint8_t> bytes) {
    size_t done = 0;
    while (m_fd >= 0 && done < bytes.size()) {
        const ssize_t written = ::write(m_fd, bytes.data() + done, bytes.size() - done);
        if (written > 0) {
            done += static_cast<size_t>(written);
        } else if (written < 0 && errno == EAGAIN) {
            pollfd out{m_fd, POLLOUT, 0};
            ::poll(&out, 1, 100);
        } else {
            return false;
        }
    }
    return done == bytes.size();
}

Bytes PosixSerialPort::readAll() {
    Bytes bytes;
    uint8_t buffer[512];
    while (m_fd >= 0) {
        const ssize_t got = ::read(m_fd, buffer, sizeof buffer);
        if (got <= 0)
            break;
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    return bytes;
}

void PosixSerialPort::waitReadable(sound::TimePoint deadline) const {
    const auto left = deadline - sound::SteadyClock::now();
    if (left <= sound::SteadyClock::duration::zero())
        return;
    const int ms = static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
    if (m_fd >= 0) {
        pollfd in{m_fd, POLLIN, 0};
        if (::poll(&in, 1, ms) > 0 && (in.revents & POLLIN))
            return;
    }
    // A closed port or a line that hung up: nothing will come before the deadline.
    std::this_thread::sleep_until(deadline);
}

void runTransfer(TransferRunner& runner, const PosixSerialPort& port) {
    while (const auto due = runner.poll())
        port.waitReadable(*due);
}

} // namespace sarvo::cable
