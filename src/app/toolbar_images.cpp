// Drawing the toolbar pictures.
#include "app/toolbar_images.h"

#include <wx/dcmemory.h>
#include <wx/image.h>

#include <functional>
#include <iterator>

namespace tavik {

namespace {

constexpr int kSize = 16;
const wxColour kFace(0xd8, 0xdc, 0xe0);
const wxColour kInk(0x1f, 0x4f, 0xa8);
const wxColour kPaper(0xf4, 0xf6, 0xfa);

wxBitmap Draw(const std::function<void(wxDC&)>& paint) {
    wxBitmap bitmap(kSize, kSize, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(wxBrush(kFace));
        dc.Clear();
        dc.SetPen(wxPen(kInk));
        dc.SetBrush(wxBrush(kInk));
        paint(dc);
    }
    return bitmap;
}

}  // namespace

wxBitmap BackImage() {
    return Draw([](wxDC& dc) {
        const wxPoint outline[] = {{1, 8}, {7, 2}, {7, 6}, {14, 6}, {14, 10}, {7, 10}, {7, 14}};
        dc.DrawPolygon(int(std::size(outline)), outline);
    });
}

wxBitmap ForwardImage() { return wxBitmap(BackImage().ConvertToImage().Mirror()); }

wxBitmap AddWordBookImage() {
    return Draw([](wxDC& dc) {
        dc.DrawRectangle(7, 2, 3, 12);
        dc.DrawRectangle(2, 7, 12, 3);
    });
}

wxBitmap RecentWordsImage() {
    return Draw([](wxDC& dc) {
        dc.SetBrush(wxBrush(kPaper));
        dc.DrawRectangle(3, 1, 10, 14);
        for (int y = 4; y <= 12; y += 2) dc.DrawLine(5, y, y == 12 ? 9 : 11, y);
    });
}

wxBitmap WordBookImage() {
    return Draw([](wxDC& dc) {
        dc.SetBrush(wxBrush(kPaper));
        dc.DrawRectangle(4, 1, 10, 14);
        dc.SetBrush(wxBrush(kInk));
        dc.DrawRectangle(11, 1, 3, 14);  // the cover's edge
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        for (int y = 3; y <= 12; y += 3) dc.DrawRectangle(2, y, 4, 2);  // the rings
    });
}

wxBitmap AboutImage() {
    return Draw([](wxDC& dc) {
        const wxPoint hook[] = {{5, 5}, {6, 3}, {8, 2}, {10, 3}, {11, 5}, {10, 7}, {8, 8}, {8, 10}};
        dc.SetPen(wxPen(kInk, 2));
        dc.DrawLines(int(std::size(hook)), hook);
        dc.SetPen(wxPen(kInk));
        dc.DrawRectangle(7, 12, 2, 2);
    });
}

}  // namespace tavik
