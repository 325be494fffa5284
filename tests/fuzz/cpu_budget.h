// Each input's budget of processor time. libFuzzer's own -timeout counts the
// wall clock, so on a busy machine a fuzzer run at low priority is "slow"
// whenever it waits for a processor; this counts only the time the process
// actually runs. Past the budget the run aborts, and libFuzzer keeps the
// input as a crash-* file. The budget comes from TAVIK_FUZZ_CPU_SECONDS
// (scripts/fuzz.sh sets it); without it there is none.
#pragma once

#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>

namespace tavik::fuzz {

class CpuBudget {
public:
    CpuBudget() {
        static const long seconds = Seconds();
        if (seconds <= 0) return;
        static timer_t timer = MakeTimer();
        m_timer = &timer;
        itimerspec spec{};
        spec.it_value.tv_sec = seconds;
        timer_settime(timer, 0, &spec, nullptr);
    }
    ~CpuBudget() {
        if (!m_timer) return;
        const itimerspec off{};
        timer_settime(*m_timer, 0, &off, nullptr);
    }
    CpuBudget(const CpuBudget&) = delete;
    CpuBudget& operator=(const CpuBudget&) = delete;

private:
    static long Seconds() {
        const char* value = std::getenv("TAVIK_FUZZ_CPU_SECONDS");
        return value ? std::atol(value) : 0;
    }
    static timer_t MakeTimer() {
        struct sigaction action {};
        action.sa_handler = &Exceeded;
        sigaction(SIGXCPU, &action, nullptr);
        sigevent event{};
        event.sigev_notify = SIGEV_SIGNAL;
        event.sigev_signo = SIGXCPU;
        timer_t timer{};
        if (timer_create(CLOCK_PROCESS_CPUTIME_ID, &event, &timer) != 0) std::abort();
        return timer;
    }
    static void Exceeded(int) {
        static const char kMessage[] =
            "==tavik== ERROR: an input took more than its processor-time budget "
            "(TAVIK_FUZZ_CPU_SECONDS)\n";
        [[maybe_unused]] const ssize_t written = ::write(2, kMessage, sizeof kMessage - 1);
        std::abort();
    }

    timer_t* m_timer = nullptr;
};

}  // namespace tavik::fuzz
