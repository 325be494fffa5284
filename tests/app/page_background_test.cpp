// The page background of a home folder whose name holds characters that HTML
// or a URL give a meaning to: the picture request names the file exactly and
// the page keeps its background.
#include <gtest/gtest.h>
#include <wx/frame.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/html_viewer.h"
#include "app/picture.h"
#include "app/wx_text.h"
#include "dict/entry_page.h"
#include "dict/search_action.h"
#include "support/temp_dir.h"

namespace tavik {
namespace {

const std::filesystem::path kSkin = std::filesystem::path(TAVIK_SOURCE_DIR) / "data" / "Skin";

class PageBackgroundTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_frame = new wxFrame(nullptr, wxID_ANY, "viewer", wxDefaultPosition, wxSize(400, 300));
        HtmlViewerHost::Callbacks callbacks;
        callbacks.onPicture = [this](const PictureRequest& request) {
            m_requests.push_back(std::string(request.source.utf8_str()));
            if (m_picture.LoadFromFile(PathFromWx(request.source)))
                m_viewer->SetImage(request.cookie, m_picture.CreateCopy());
            else
                m_viewer->ImageFail(request.cookie);
        };
        m_viewer = new HtmlViewerHost(m_frame, wxRect(0, 0, 400, 300), callbacks);
    }
    void TearDown() override { m_frame->Destroy(); }

    // A home folder named `name` inside the test's folder, with the skin's
    // page background.
    std::filesystem::path Home(const std::string& name) {
        const std::filesystem::path home = m_dir.Path() / name;
        std::filesystem::create_directories(home / "Skin");
        std::filesystem::copy_file(kSkin / "BGHtml.gif", home / "Skin" / "BGHtml.gif");
        return home;
    }

    testing::TempDir m_dir;
    wxFrame* m_frame = nullptr;
    HtmlViewerHost* m_viewer = nullptr;
    ImageBitmap m_picture;
    std::vector<std::string> m_requests;  // UTF-8
};

TEST_F(PageBackgroundTest, HomeFoldersWithQuotesPercentsAndMarkupKeepTheBackground) {
    for (const std::string name :
         {"it's %41 & <b>", "a#b?c=\"d\"", "tab\there", "%2541%", "내 사전 (1)", "x/./../y"}) {
        const std::filesystem::path home = Home(name);
        m_requests.clear();
        ShowEntryPage(home, u"word", u"content", *m_viewer);
        ASSERT_EQ(m_requests.size(), 1u) << name;
        EXPECT_EQ(m_requests[0], (home / "Skin" / "BGHtml.gif").string()) << name;
        EXPECT_TRUE(m_viewer->PageBackground().IsOk()) << name;
        EXPECT_TRUE(m_viewer->ToText().Contains("word")) << name;

        m_requests.clear();
        ShowCreditsPage(home, *m_viewer);
        ASSERT_EQ(m_requests.size(), 1u) << name;
        EXPECT_EQ(m_requests[0], (home / "Skin" / "BGHtml.gif").string()) << name;
        EXPECT_TRUE(m_viewer->PageBackground().IsOk()) << name;
    }
}

}  // namespace
}  // namespace tavik
