// The real wall clock.
#include "ui/clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace torvex {

int64_t SystemClock::NowWholeSeconds() {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

double SystemClock::SecondsSinceMidnight() {
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t t = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    double frac = duration<double>(now.time_since_epoch()).count();
    frac -= static_cast<double>(static_cast<int64_t>(frac));
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + frac;
}

int64_t SystemClock::MonotonicMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void SystemClock::SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace torvex
