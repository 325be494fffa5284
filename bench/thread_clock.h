// Clocks the timing programs share: wall time, and the processor time of the
// calling thread, which on a busy machine leaves out the time other processes
// had the processor.
#pragma once

#include <time.h>

#include <chrono>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

inline double ThreadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

}  // namespace bench
