// Arbitrary pages laid out by the real HTML viewer's parser and layout, after
// the page bounding the window applies: every page ends within the run's time
// and memory budget. Needs a display (scripts/fuzz.sh runs it under Xvfb).
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/filesys.h>
#include <wx/html/htmprint.h>
#include <wx/init.h>

#include <cstdlib>
#include <memory>
#include <optional>

#include "dict/page_bounds.h"
#include "fuzz/cpu_budget.h"
#include "fuzz/fuzz_input.h"

using namespace tavik;

namespace {

constexpr int kPageWidth = 600;
constexpr int kPageHeight = 400;

// The toolkit set up once for the whole run, kept until the process ends.
class Toolkit {
public:
    Toolkit() {
        int argc = 1;
        static char name[] = "fuzz_html_layout";
        static char* argv[] = {name, nullptr};
        wxApp::SetInstance(new wxApp);
        if (!wxEntryStart(argc, argv) || !wxTheApp || !wxTheApp->CallOnInit()) std::abort();
        // The window serves every picture itself and never lets a page open
        // a file; here nothing opens at all, so a page naming /dev/zero
        // costs nothing.
        wxFileSystem::CleanUpHandlers();
        // The drawing objects only once the toolkit is up.
        m_bitmap = std::make_unique<wxBitmap>(kPageWidth, kPageHeight);
        m_dc = std::make_unique<wxMemoryDC>(*m_bitmap);
    }
    wxMemoryDC& Dc() { return *m_dc; }

private:
    std::unique_ptr<wxBitmap> m_bitmap;
    std::unique_ptr<wxMemoryDC> m_dc;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::CpuBudget budget;
    static Toolkit* toolkit = new Toolkit;
    fuzz::FuzzInput input(data, size);
    const Text body = FromUtf8(input.Rest());
    const Text page = u"<html><body>" + body + u"</body></html>";
    const std::optional<Text> bounded = BoundPage(page);

    wxHtmlDCRenderer renderer;
    renderer.SetDC(&toolkit->Dc());
    renderer.SetSize(kPageWidth, kPageHeight);
    renderer.SetHtmlText(wxString::FromUTF8(ToUtf8(bounded ? *bounded : page)));
    renderer.Render(0, 0);
    if (renderer.GetTotalHeight() < 0) std::abort();
    return 0;
}
