// Times commands one process at a time, the commands taking turns, and
// reports each command's median wall time and peak resident memory.
//
// usage: spawn_timer ROUNDS STDIN_FILE :: CMD1 ARGS... :: CMD2 ARGS... ...
// STDIN_FILE ("-" for none) is given to every command on its standard input.
// Prints one line per command: median_us p10_us p90_us max_rss_kb exit_status
// (the peak memory of a spawned child also counts this timer's own pages, so
// run.sh measures memory with /usr/bin/time instead).
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

double NowMicroseconds() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e6 + ts.tv_nsec / 1e3;
}

struct Sample {
    double micros;
    long maxRssKb;
    int status;
};

Sample RunOnce(const std::vector<char*>& argv, const char* input) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 0, input ? input : "/dev/null", O_RDONLY, 0);
    const double start = NowMicroseconds();
    pid_t pid;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        std::perror(argv[0]);
        std::exit(2);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const double micros = NowMicroseconds() - start;
    posix_spawn_file_actions_destroy(&actions);
    return {micros, usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: spawn_timer ROUNDS STDIN_FILE :: CMD ARGS... [:: CMD ...]\n");
        return 2;
    }
    const int rounds = std::atoi(argv[1]);
    const char* input = std::strcmp(argv[2], "-") == 0 ? nullptr : argv[2];
    std::vector<std::vector<char*>> commands;
    for (int i = 3; i < argc; ++i) {
        if (std::strcmp(argv[i], "::") == 0) {
            commands.emplace_back();
        } else {
            commands.back().push_back(argv[i]);
        }
    }
    for (auto& command : commands) command.push_back(nullptr);
    std::vector<std::vector<Sample>> samples(commands.size());
    for (auto& command : commands) RunOnce(command, input);  // warm the caches
    for (int round = 0; round < rounds; ++round)
        for (size_t c = 0; c < commands.size(); ++c)
            samples[c].push_back(RunOnce(commands[c], input));
    for (auto& list : samples) {
        std::vector<double> times;
        long rss = 0;
        for (const Sample& s : list) {
            times.push_back(s.micros);
            rss = std::max(rss, s.maxRssKb);
        }
        std::sort(times.begin(), times.end());
        auto at = [&](double q) { return times[size_t(q * double(times.size() - 1))]; };
        std::printf("%.1f %.1f %.1f %ld %d\n", at(0.5), at(0.1), at(0.9), rss, list.back().status);
    }
    return 0;
}
