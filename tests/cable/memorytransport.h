#pragma once
// A line in memory for the link's table tests: the bytes the phone "sends" are queued by the
// test and handed out one piece per read; every piece written is kept.

#include "cable/transport.h"

#include <deque>
#include <vector>

namespace sarvo::cable::testing {

class MemoryTransport final : public IByteTransport {
public:
    OpenResult open(const LineSettings& settings) override {
        m_settings.push_back(settings);
        m_open = true;
        return {true, false, {}};
    }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    bool write(std::span<const uint8_t> bytes) override {
        m_written.emplace_back(bytes.begin(), bytes.end());
        return true;
    }
    Bytes readAll() override {
        if (m_incoming.empty())
            return {};
        Bytes piece = m_incoming.front();
        m_incoming.pop_front();
        return piece;
    }

    void arrive(Bytes piece) { m_incoming.push_back(std::move(piece)); }
    const std::vector<Bytes>& written() const { return m_written; }
    const std::vector<LineSettings>& settings() const { return m_settings; }

private:
    bool m_open = false;
    std::deque<Bytes> m_incoming;
    std::vector<Bytes> m_written;
    std::vector<LineSettings> m_settings;
};

} // namespace sarvo::cable::testing
