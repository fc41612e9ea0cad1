// A 256-note melody written into and read from a Type-AC phone at 9600 bps: the emulator at the
// far end of a pseudo-terminal paces every byte at the line's speed. The counters give the
// line's own time (every byte sent and received at the speed of the moment) and the waits the
// dialogue itself asks for (the 3 seconds after the speed change, the phone's 0.3 s before its
// A3), so the time over both is what the program adds.

#include "../tests/cable/phoneline.h"
#include "cable/posixserialport.h"
#include "cable/transferrunner.h"

#include <benchmark/benchmark.h>

namespace {

using namespace sarvo;
using namespace sarvo::cable;

// The port, counting the line time of every byte that passes.
class TimedLine final : public IByteTransport {
public:
    explicit TimedLine(PosixSerialPort& port)
        : m_port(port) {}
    OpenResult open(const LineSettings& settings) override {
        m_baud = settings.baud;
        return m_port.open(settings);
    }
    void close() override { m_port.close(); }
    bool isOpen() const override { return m_port.isOpen(); }
    bool write(std::span<const uint8_t> bytes) override {
        count(bytes.size());
        return m_port.write(bytes);
    }
    Bytes readAll() override {
        Bytes bytes = m_port.readAll();
        count(bytes.size());
        return bytes;
    }
    double lineSeconds() const { return m_seconds; }

private:
    void count(size_t bytes) { m_seconds += static_cast<double>(bytes) * 10.0 / m_baud; }

    PosixSerialPort& m_port;
    int m_baud = 600;
    double m_seconds = 0;
};

std::u16string melody256() {
    std::u16string melody;
    const char16_t* notes[] = {u"C中ド ", u"D高ソ# ", u"E低シ ", u"I ", u"D.中ミ ", u"B高レ "};
    for (int i = 0; i < 256; ++i)
        melody += notes[i % 6];
    return melody;
}

// Runs one transfer; returns its time in seconds and sets the counters.
double transfer(benchmark::State& state, const testing::PhoneLine& line, Direction direction) {
    PosixSerialPort port(line.port());
    TimedLine timed(port);
    ProtocolLog log;
    const sound::SystemClock clock;
    Link link(timed, log, clock);
    RecordingInteractive ui;
    TransferRequest request;
    request.direction = direction;
    request.type = CableType::AC;
    request.melody = melody256();
    TransferRunner runner(request, link, ui);
    const auto start = sound::SteadyClock::now();
    runTransfer(runner, port);
    const double seconds = std::chrono::duration<double>(sound::SteadyClock::now() - start).count();
    if (!runner.outcome().completed)
        state.SkipWithError("the transfer did not complete");
    const double waits = 3.0 + 0.3;
    state.counters["line_s"] = timed.lineSeconds();
    state.counters["waits_s"] = waits;
    state.counters["added_ms"] = (seconds - timed.lineSeconds() - waits) * 1000.0;
    return seconds;
}

void BM_CableWrite256At9600(benchmark::State& state) {
    for (auto _ : state) {
        const testing::PhoneLine line({"--type", "Type-AC", "--line-speed"});
        state.SetIterationTime(transfer(state, line, Direction::Write));
    }
}
BENCHMARK(BM_CableWrite256At9600)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_CableRead256At9600(benchmark::State& state) {
    for (auto _ : state) {
        const testing::PhoneLine line({"--type", "Type-AC", "--line-speed"});
        transfer(state, line, Direction::Write);
        state.SetIterationTime(transfer(state, line, Direction::Read));
    }
}
BENCHMARK(BM_CableRead256At9600)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
