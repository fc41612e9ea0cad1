#pragma once
// A line in memory, for the link tests and the cable fuzz target: the bytes the phone "sends"
// are queued in `incoming` and handed out one piece per read; every piece written is kept.

#include "cable/transport.h"

#include <deque>
#include <vector>

namespace sarvo::cable::testing {

class MemoryTransport final : public IByteTransport {
public:
    OpenResult open(const LineSettings&) override {
        m_open = true;
        return {true, false, {}};
    }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    bool write(std::span<const uint8_t> bytes) override {
        written.emplace_back(bytes.begin(), bytes.end());
        return true;
    }
    Bytes readAll() override {
        if (incoming.empty())
            return {};
        Bytes piece = incoming.front();
        incoming.pop_front();
        return piece;
    }

    std::deque<Bytes> incoming;
    std::vector<Bytes> written;

private:
    bool m_open = false;
};

} // namespace sarvo::cable::testing
