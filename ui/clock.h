// Wall-clock readings the pacing and waits use; injected so tests can drive time.
#pragma once

#include <cstdint>

namespace torvex {

class WallClock {
public:
    virtual ~WallClock() = default;
    // Wall-clock instant in whole seconds (an epoch of the clock's choosing).
    virtual int64_t NowWholeSeconds() = 0;
    // Time of day in seconds since midnight, with fractions.
    virtual double SecondsSinceMidnight() = 0;
    // Monotonic milliseconds, for time slicing.
    virtual int64_t MonotonicMs() = 0;
    // Sleep without servicing the window system.
    virtual void SleepMs(int ms) = 0;
};

// The real clock.
class SystemClock : public WallClock {
public:
    int64_t NowWholeSeconds() override;
    double SecondsSinceMidnight() override;
    int64_t MonotonicMs() override;
    void SleepMs(int ms) override;
};

}  // namespace torvex
