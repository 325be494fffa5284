// The main window's geometry in the settings.
#include "app/window_geometry.h"

#include <wx/display.h>

#include <algorithm>
#include <cstdlib>

namespace tavik {

namespace {

constexpr char kX[] = "/Window/X";
constexpr char kY[] = "/Window/Y";
constexpr char kWidth[] = "/Window/Width";
constexpr char kHeight[] = "/Window/Height";
constexpr char kMaximised[] = "/Window/Maximised";

wxRect WorkAreaOf(const wxWindow& window, const wxPoint& at) {
    int index = wxDisplay::GetFromPoint(at);
    if (index == wxNOT_FOUND) index = wxDisplay::GetFromWindow(&window);
    if (index == wxNOT_FOUND) index = 0;
    return wxDisplay(unsigned(index)).GetClientArea();
}

}  // namespace

std::optional<WindowGeometry> ReadWindowGeometry(wxConfigBase& settings) {
    long x = 0, y = 0, width = 0, height = 0;
    if (!settings.Read(kX, &x) || !settings.Read(kY, &y) || !settings.Read(kWidth, &width) ||
        !settings.Read(kHeight, &height))
        return std::nullopt;
    // A damaged value is ignored rather than giving a window nobody can see.
    constexpr long kLimit = 100000;
    if (width <= 0 || height <= 0 || width > kLimit || height > kLimit || std::labs(x) > kLimit ||
        std::labs(y) > kLimit)
        return std::nullopt;
    WindowGeometry geometry;
    geometry.frame = wxRect(int(x), int(y), int(width), int(height));
    geometry.maximised = settings.ReadBool(kMaximised, false);
    return geometry;
}

void WriteWindowGeometry(wxConfigBase& settings, const WindowGeometry& geometry) {
    settings.Write(kX, long(geometry.frame.x));
    settings.Write(kY, long(geometry.frame.y));
    settings.Write(kWidth, long(geometry.frame.width));
    settings.Write(kHeight, long(geometry.frame.height));
    settings.Write(kMaximised, geometry.maximised);
    settings.Flush();
}

wxRect FitOnScreen(const wxRect& wanted, const wxSize& minimum, const wxRect& workArea) {
    wxRect fitted = wanted;
    fitted.width = std::min(std::max(fitted.width, minimum.x), workArea.width);
    fitted.height = std::min(std::max(fitted.height, minimum.y), workArea.height);
    fitted.x = std::clamp(fitted.x, workArea.x, workArea.GetRight() + 1 - fitted.width);
    fitted.y = std::clamp(fitted.y, workArea.y, workArea.GetBottom() + 1 - fitted.height);
    return fitted;
}

void RestoreWindowGeometry(wxTopLevelWindow& frame, wxConfigBase& settings, const wxSize& client,
                           const wxSize& minimumClient) {
    // The frame's parts around the client area: menu, tools, status line.
    const wxSize chrome = frame.GetSize() - frame.GetClientSize();
    frame.SetMinClientSize(minimumClient);
    const wxSize minimum = minimumClient + chrome;
    const std::optional<WindowGeometry> stored = ReadWindowGeometry(settings);
    if (stored) {
        const wxRect work = WorkAreaOf(frame, stored->frame.GetPosition());
        frame.SetSize(FitOnScreen(stored->frame, minimum, work));
        if (stored->maximised) frame.Maximize();
        return;
    }
    const wxRect work = WorkAreaOf(frame, frame.GetPosition());
    const wxRect fitted = FitOnScreen(wxRect(work.GetPosition(), client + chrome), minimum, work);
    frame.SetSize(fitted.GetSize());
    frame.CentreOnScreen();
}

void SaveWindowGeometry(const wxTopLevelWindow& frame, wxConfigBase& settings) {
    WindowGeometry geometry;
    geometry.maximised = frame.IsMaximized();
    // A maximised or minimised window keeps the size it had before.
    if (geometry.maximised || frame.IsIconized()) {
        const std::optional<WindowGeometry> stored = ReadWindowGeometry(settings);
        if (!stored) {
            settings.Write(kMaximised, geometry.maximised);
            settings.Flush();
            return;
        }
        geometry.frame = stored->frame;
    } else {
        geometry.frame = frame.GetRect();
    }
    WriteWindowGeometry(settings, geometry);
}

}  // namespace tavik
