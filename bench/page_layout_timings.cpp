// Times the HTML viewer's layout of hostile pages, as they are and as the
// window bounds them: processor time of parsing, laying out 600 pixels wide
// and drawing. Each page runs in a process of its own with a limit of
// processor time, so a page that would take minutes as it is reads "more
// than" the limit, and a page that crashes the viewer or fails one of its
// assertions says so.
//
// usage: tavik-page-layout-timings [--limit SECONDS] [FILE...]
//        (without files, the pages of docs/robustness.md; needs a display)
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/filesys.h>
#include <wx/html/htmprint.h>
#include <wx/init.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "dict/page_bounds.h"

namespace {

using tavik::Text;

struct Page {
    std::string name;
    Text body;
};

Text Repeat(const Text& piece, int times) {
    Text text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

std::vector<Page> DocumentedPages() {
    const Text listsInBold = u"<b>" + Repeat(u"<ul><li>", 10) + u"x</b>";
    return {
        {"24 nested lists", Repeat(u"<ul><li>", 24) + u"x" + Repeat(u"</li></ul>", 24)},
        {"126 nested lists, items unclosed",
         Repeat(u"<ol><li>", 126) + u"x" + Repeat(u"</ol>", 126)},
        {"colspan=100000 rowspan=100000",
         u"<table><tr><td colspan=100000 rowspan=100000>x</td></tr></table>"},
        {"colspan=2147483647 rowspan=2147483647",
         u"<table><tr><td colspan=2147483647 rowspan=2147483647>x</td></tr></table>"},
        {"a cell spanning 1000 x 100",
         u"<table><tr><td rowspan=1000 colspan=100>x</td></tr></table>"},
        {"10 lists around 500 nested elements",
         Repeat(u"<ul><li>", 10) + Repeat(u"<b><font color=#ff0000>y", 250)},
        {"three bolds of ten lists in a table header",
         u"<table><tr><th>" + Repeat(listsInBold, 3) + u"x"},
        {"three block quotes around a cell", u"<table><blockquote><blockquote><blockquote><td>x"},
        {"a character reference past U+10FFFF", u"a&#1234512345;b"},
        {"cells in a pre without an end",
         u"<table><pre><li><blockquote><blockquote><table><td><small><b></li><script>x</script>"
         u"<td>x"},
        {"4000 bold pieces in one word", Repeat(u"<b>y</b>", 4000)},
    };
}

double ProcessSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// The toolkit's start fails now and then right after a child was killed
// (the display still busy with it): tried again.
constexpr int kToolkitFailed = 3;
// A failed assertion of the toolkit, which in the window stops on a dialog.
constexpr int kAssertionFailed = 4;

void AssertionFailed(const wxString&, int, const wxString&, const wxString&, const wxString&) {
    std::_Exit(kAssertionFailed);
}

// In the child: the toolkit, then the page; prints the seconds.
[[noreturn]] void LayOut(const Text& body, bool bounded) {
    wxApp::SetInstance(new wxApp);
    int argc = 1;
    static char name[] = "tavik-page-layout-timings";
    static char* argv[] = {name, nullptr};
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) std::_Exit(kToolkitFailed);
    wxFileSystem::CleanUpHandlers();
    wxSetAssertHandler(&AssertionFailed);
    wxBitmap bitmap(600, 400);
    wxMemoryDC dc(bitmap);
    const Text page = u"<html><body>" + body + u"</body></html>";
    const double start = ProcessSeconds();
    const std::optional<Text> shown = bounded ? tavik::BoundPage(page) : std::nullopt;
    wxHtmlDCRenderer renderer;
    renderer.SetDC(&dc);
    renderer.SetSize(600, 400);
    renderer.SetHtmlText(wxString::FromUTF8(tavik::ToUtf8(shown ? *shown : page)));
    renderer.Render(0, 0);
    std::printf("%.3f s", ProcessSeconds() - start);
    std::fflush(stdout);
    std::_Exit(0);
}

void Time(const Text& body, bool bounded, int limit) {
    int status = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::fflush(stdout);
        const pid_t child = fork();
        if (child < 0) {
            std::perror("fork");
            std::exit(2);
        }
        if (child == 0) {
            const rlimit cpu{rlim_t(limit), rlim_t(limit) + 1};
            setrlimit(RLIMIT_CPU, &cpu);
            LayOut(body, bounded);
        }
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != kToolkitFailed) break;
    }
    if (WIFSIGNALED(status)) {
        const int signal = WTERMSIG(status);
        if (signal == SIGXCPU || signal == SIGKILL)
            std::printf("more than %d s", limit);
        else
            std::printf("crash (signal %d)", signal);
    } else if (WEXITSTATUS(status) == kAssertionFailed) {
        std::printf("assertion failed");
    } else if (WEXITSTATUS(status) != 0) {
        std::printf("no display");
    }
}

}  // namespace

int main(int argc, char** argv) {
    int limit = 10;
    std::vector<Page> pages;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--limit" && i + 1 < argc) {
            limit = std::max(1, std::atoi(argv[++i]));
            continue;
        }
        std::ifstream in(arg, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "%s: cannot read %s\n", argv[0], arg.c_str());
            return 2;
        }
        pages.push_back(
            {arg, tavik::FromUtf8(std::string(std::istreambuf_iterator<char>(in), {}))});
    }
    if (pages.empty()) pages = DocumentedPages();
    std::printf("page\tas it is\tbounded\n");
    for (const Page& page : pages) {
        std::printf("%s\t", page.name.c_str());
        Time(page.body, false, limit);
        std::printf("\t");
        Time(page.body, true, limit);
        std::printf("\n");
    }
}
