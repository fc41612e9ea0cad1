#pragma once
// The monotonic clock the timed parts of the sound output schedule against. Programs use the
// steady clock; tests and offline rendering move a manual clock by hand.

#include <chrono>

namespace sarvo::sound {

using SteadyClock = std::chrono::steady_clock;
using TimePoint = SteadyClock::time_point;
using Milliseconds = std::chrono::milliseconds;

class IClock {
public:
    virtual ~IClock() = default;
    virtual TimePoint now() const = 0;
};

class SystemClock final : public IClock {
public:
    TimePoint now() const override { return SteadyClock::now(); }
};

// A clock that only moves when told to.
class ManualClock final : public IClock {
public:
    explicit ManualClock(TimePoint start = TimePoint{})
        : m_now(start) {}
    TimePoint now() const override { return m_now; }
    void setNow(TimePoint t) { m_now = t; }
    void advance(SteadyClock::duration d) { m_now += d; }

private:
    TimePoint m_now;
};

} // namespace sarvo::sound
