// The window's own pictures come from memory: a repaint or a search decodes
// nothing until the skin's picture files change.
#include <filesystem>

#include "app/window_fixture.h"

namespace tavik {
namespace {

TEST_F(WindowTest, RepaintsAndSearchesDecodeTheSkinPicturesOncePerChange) {
    auto repaint = [&] {
        View().Form()->Refresh();
        View().Form()->Update();
        Pump();
    };
    auto search = [&](const wxString& word) {
        Type(word);
        Click(kIdSearchButton);
    };
    repaint();
    search("apple");
    const int decoded = View().PictureDecodes();
    for (int i = 0; i < 5; ++i) {
        repaint();
        search(i % 2 ? "apple" : "about");
        Frame().SetSize(Frame().GetSize() + wxSize(i % 2 ? -7 : 7, 0));
        Pump();
    }
    EXPECT_EQ(View().PictureDecodes(), decoded);
    EXPECT_TRUE(View().HtmlView()->PageBackground().IsOk());

    // A new version of each file is decoded once, at its next use.
    const std::filesystem::path skin = theApp().m_strAppDir / "Skin";
    for (const char* name : {"BGImg.bmp", "BGHtml.gif"}) {
        const auto path = skin / name;
        std::filesystem::last_write_time(
            path, std::filesystem::last_write_time(path) + std::chrono::seconds(3));
    }
    repaint();
    search("apple");
    repaint();
    search("about");
    EXPECT_EQ(View().PictureDecodes(), decoded + 2);
}

}  // namespace
}  // namespace tavik
