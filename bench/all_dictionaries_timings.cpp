// Times the search of every dictionary of a folder: from the word to the
// page composed, as the window's Enter runs it without the window.
//
// usage: tavik-all-dictionaries-timings FOLDER [WORD...]
//        (each dictionary read in the code page found in it)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "dict/all_dictionaries.h"
#include "dict/recorders.h"
#include "text/codepage_detect.h"
#include "thread_clock.h"
#include "wordlists/dictionary_choice.h"

namespace {

using bench::Clock;
using bench::Milliseconds;
using bench::ThreadMilliseconds;

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER [WORD...]\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::vector<std::string> words(argv + 2, argv + argc);
    if (words.empty()) words = {"apple", "light", "cat", "zebra", "qqq", "mango"};

    const tavik::CodePage fallback = tavik::CodePage::Default();
    const auto listing = tavik::ListDictionaries({folder}, {});
    const tavik::DictionaryList list(listing.files, [&](const std::filesystem::path& file) {
        return tavik::CodePageForFinding(tavik::DetectFileEncoding(file), fallback);
    });
    std::uintmax_t bytes = 0;
    for (const auto& file : listing.files) bytes += std::filesystem::file_size(file);
    std::printf("%zu dictionaries, %.0f MB together\n", listing.files.size(), double(bytes) / 1e6);

    // The first round reads the files' pages from disk; the later ones
    // find them cached, as a user's second search near a word does.
    std::vector<double> times;
    std::vector<double> cpuTimes;
    for (int round = 0; round < 5; ++round) {
        if (round == 1) times.clear(), cpuTimes.clear();
        for (const std::string& word : words) {
            tavik::RecordingNeighbourList neighbours;
            tavik::RecordingPage page;  // with the copy text, as the window takes it
            tavik::RecordingMessages messages;
            tavik::EntryScreen screen{neighbours, page, messages};
            const double cpuStart = ThreadMilliseconds();
            const Clock::time_point start = Clock::now();
            const tavik::DictionariesOutcome outcome = tavik::SearchDictionaries(
                tavik::FromUtf8(word), list.Dictionaries(), folder, screen);
            times.push_back(Milliseconds(Clock::now() - start));
            cpuTimes.push_back(ThreadMilliseconds() - cpuStart);
            if (round == 0 || round == 4)
                std::printf(
                    "  %-12s %6.2f ms (processor %6.2f ms)  %zu entries, page %zu characters\n",
                    word.c_str(), times.back(), cpuTimes.back(), outcome.found.size(),
                    page.Page() ? page.Page()->size() : 0);
        }
    }
    std::sort(times.begin(), times.end());
    std::sort(cpuTimes.begin(), cpuTimes.end());
    std::printf(
        "word to page over %zu searches after the first round: median %.2f ms, max %.2f ms; "
        "processor time median %.2f ms, max %.2f ms\n",
        times.size(), times[times.size() / 2], times.back(), cpuTimes[cpuTimes.size() / 2],
        cpuTimes.back());
    return 0;
}
