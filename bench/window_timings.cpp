// Times the window: from the program's start to the first window shown, and
// from Enter in the search box to the entry page shown: its first screen, and
// the whole page (a long page's rest is laid out when the program is idle).
//
// usage: tavik-window-timings [--dict FILE | --all FOLDER] [--codepage NAME] [WORD...]
//        (on a display, e.g. under xvfb-run; Data and Skin are copied from
//        beside the program). When the environment holds TAVIK_SPAWN_NS, the
//        CLOCK_MONOTONIC time at which the caller started the process, the
//        start is also counted from there: loading the libraries included.
//        --all links FOLDER's files into the Data folder and searches every
//        dictionary.
#include <wx/app.h>
#include <wx/combobox.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/command_ids.h"
#include "app/prompts.h"
#include "app/tavik_app.h"
#include "app/tavik_view.h"
#include "text/paths.h"
#include "thread_clock.h"

wxIMPLEMENT_APP_NO_MAIN(tavik::CTavikApp);

namespace {

using bench::Clock;
using bench::Milliseconds;
using bench::ThreadMilliseconds;

// The proportional set size of this process, in kB; -1 when unknown.
long ProportionalSetKb() {
    std::ifstream rollup("/proc/self/smaps_rollup");
    for (std::string line; std::getline(rollup, line);)
        if (line.starts_with("Pss:")) return std::atol(line.c_str() + 4);
    return -1;
}

struct Spread {
    double median = 0;
    double max = 0;
};

Spread SpreadOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.back()};
}

void Pump() {
    while (wxTheApp->Pending()) wxTheApp->Dispatch();
    wxTheApp->Yield(true);
}

}  // namespace

int main(int argc, char** argv) {
    const Clock::time_point start = Clock::now();
    std::vector<std::string> words;
    std::string dictionary;
    std::string codePage;
    std::filesystem::path allFolder;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--dict" && i + 1 < argc)
            dictionary = std::filesystem::absolute(argv[++i]).string();
        else if (arg == "--all" && i + 1 < argc)
            allFolder = std::filesystem::absolute(argv[++i]), dictionary = "all-dictionaries/";
        else if (arg == "--codepage" && i + 1 < argc)
            codePage = argv[++i];
        else
            words.push_back(arg);
    }
    if (words.empty()) words = {"apple", "cat", "dog", "zebra", "qqq", "mango"};

    // Settings of the run's own, naming the dictionary to time.
    const std::filesystem::path settings =
        std::filesystem::temp_directory_path() / "tavik-window-timings.conf";
    std::filesystem::remove(settings);
    if (!dictionary.empty()) {
        FILE* file = std::fopen(settings.c_str(), "w");
        if (!file) return 2;
        std::fprintf(file, "[DicInfo]\nCurDicPath=%s\n", dictionary.c_str());
        if (!codePage.empty()) std::fprintf(file, "CodePage=%s\n", codePage.c_str());
        std::fclose(file);
    }
    setenv("TAVIK_SETTINGS", settings.c_str(), 1);
    // A home of the run's own: the searches add to its recent words.
    const std::filesystem::path home =
        std::filesystem::temp_directory_path() / "tavik-window-timings-home";
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home);
    for (const char* part : {"Data", "Skin"})
        std::filesystem::copy(tavik::ExecutableFolder() / part, home / part,
                              std::filesystem::copy_options::recursive);
    if (!allFolder.empty())
        for (const auto& entry : std::filesystem::directory_iterator(allFolder))
            std::filesystem::create_symlink(entry.path(), home / "Data" / entry.path().filename());
    setenv("TAVIK_HOME", home.c_str(), 1);
    tavik::AppPrompts().message = [](wxWindow*, const wxString& text, const wxString&) {
        std::fprintf(stderr, "message: %s\n", text.utf8_str().data());
    };

    int wxArgc = 1;
    char* wxArgv[] = {argv[0], nullptr};
    wxApp::SetInstance(new tavik::CTavikApp);
    if (!wxEntryStart(wxArgc, wxArgv) || !wxTheApp->CallOnInit()) return 3;
    wxWindow* frame = wxTheApp->GetTopWindow();
    frame->Update();
    Pump();
    const Clock::time_point shown = Clock::now();
    std::error_code noSize;
    const std::uintmax_t size = std::filesystem::file_size(tavik::theApp().m_strDicPath, noSize);
    std::printf("dictionary: %s (%.1f MB)\n", tavik::theApp().m_strDicPath.c_str(),
                noSize ? 0.0 : double(size) / 1e6);
    std::printf("start to window shown: %.1f ms\n", Milliseconds(shown - start));
    if (const char* spawn = std::getenv("TAVIK_SPAWN_NS")) {
        const auto spawned = Clock::time_point(std::chrono::nanoseconds(std::atoll(spawn)));
        std::printf("process start to window shown: %.1f ms\n", Milliseconds(shown - spawned));
    }

    tavik::CTavikView& view = *tavik::theApp().View();
    auto* box = dynamic_cast<wxComboBox*>(view.Form()->FindWindow(tavik::kIdSearchEdit));
    std::vector<double> times;
    std::vector<double> processorTimes;
    std::vector<double> wholeTimes;
    std::vector<double> wholeProcessorTimes;
    int searches = 0;
    for (int round = 0; round < 3; ++round) {
        for (const std::string& word : words) {
            box->ChangeValue(wxString::FromUTF8(word));
            Pump();
            const Clock::time_point enter = Clock::now();
            const double enterProcessor = ThreadMilliseconds();
            wxKeyEvent key(wxEVT_CHAR_HOOK);
            key.m_keyCode = WXK_RETURN;
            key.SetEventObject(box);
            box->ProcessWindowEvent(key);
            view.HtmlView()->Update();  // paints the new page now
            times.push_back(Milliseconds(Clock::now() - enter));
            processorTimes.push_back(ThreadMilliseconds() - enterProcessor);
            // A long page's first part is on the screen; the rest is laid
            // out when the program is next idle.
            const bool inTwoSteps = view.HtmlView()->PagePending();
            while (view.HtmlView()->PagePending()) wxTheApp->ProcessIdle();
            view.HtmlView()->Update();
            wholeTimes.push_back(Milliseconds(Clock::now() - enter));
            wholeProcessorTimes.push_back(ThreadMilliseconds() - enterProcessor);
            if (round == 0)
                std::printf("  %-8s %.2f ms, whole page %.2f ms%s\n", word.c_str(), times.back(),
                            wholeTimes.back(), inTwoSteps ? " (in two steps)" : "");
            if (++searches == 10)
                std::printf("proportional set size after 10 searches: %.1f MB\n",
                            double(ProportionalSetKb()) / 1024);
        }
    }
    const Spread shownIn = SpreadOf(times);
    std::printf("Enter to page shown over %zu searches: median %.2f ms, max %.2f ms\n",
                times.size(), shownIn.median, shownIn.max);
    const Spread processor = SpreadOf(processorTimes);
    std::printf(
        "Enter to page shown, the program's own processor time: median %.2f ms, max %.2f ms\n",
        processor.median, processor.max);
    const Spread wholeIn = SpreadOf(wholeTimes);
    std::printf("Enter to whole page shown: median %.2f ms, max %.2f ms\n", wholeIn.median,
                wholeIn.max);
    const Spread wholeProcessor = SpreadOf(wholeProcessorTimes);
    std::printf(
        "Enter to whole page shown, the program's own processor time: median %.2f ms, max %.2f "
        "ms\n",
        wholeProcessor.median, wholeProcessor.max);
    if (searches < 10)
        std::printf("proportional set size after %d searches: %.1f MB\n", searches,
                    double(ProportionalSetKb()) / 1024);

    // Resizes: the window's background and the page laid out again.
    std::vector<double> resizes;
    const wxSize original = frame->GetSize();
    for (int i = 0; i < 10; ++i) {
        const Clock::time_point start = Clock::now();
        frame->SetSize(original + (i % 2 ? wxSize(0, 0) : wxSize(-120, -80)));
        Pump();
        frame->Update();
        view.HtmlView()->Update();
        resizes.push_back(Milliseconds(Clock::now() - start));
    }
    const Spread resized = SpreadOf(resizes);
    std::printf("resize to window drawn over %zu resizes: median %.2f ms, max %.2f ms\n",
                resizes.size(), resized.median, resized.max);

    frame->Close(true);
    Pump();
    wxTheApp->OnExit();
    wxEntryCleanup();
    std::filesystem::remove(settings);
    std::filesystem::remove_all(home);
    return 0;
}
