// Picture loading and copying, and the viewer's picture requests: good
// pictures load, anything else (missing, not a picture, not a regular file,
// too large) is refused at once and answered with image-fail.
#include "app/picture.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/image.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/html_viewer.h"
#include "app/view_background.h"
#include "support/temp_dir.h"

namespace tavik {
namespace {

const std::filesystem::path kSkin = std::filesystem::path(TAVIK_SOURCE_DIR) / "data" / "Skin";

std::string Le16(int v) { return {char(v & 0xFF), char((v >> 8) & 0xFF)}; }
std::string Le32(int64_t v) { return Le16(int(v & 0xFFFF)) + Le16(int((v >> 16) & 0xFFFF)); }

// A GIF whose frames have the given sizes; the pixel data is one clear
// code and an end code, which is all the probe needs to walk it.
std::string GifWithFrames(int width, int height, const std::vector<std::pair<int, int>>& frames) {
    std::string gif =
        "GIF89a" + Le16(width) + Le16(height) + std::string("\x80\0\0", 3) + std::string(6, '\0');
    for (auto [w, h] : frames)
        gif += "," + Le16(0) + Le16(0) + Le16(w) + Le16(h) + std::string(1, '\0') +
               std::string("\x02\x02\x4c\x01\x00", 5);
    return gif + ";";
}

std::string BmpHeader(int width, int height) {
    return "BM" + Le32(54 + 3) + Le32(0) + Le32(54) + Le32(40) + Le32(width) + Le32(height) +
           Le16(1) + Le16(24) + Le32(0) + Le32(0) + Le32(0) + Le32(0) + Le32(0) + Le32(0) +
           std::string(4, '\0');
}

TEST(ImageBitmapTest, LoadsTheBundledGifAndBmpAndCopiesThem) {
    ImageBitmap picture;
    ASSERT_TRUE(picture.LoadFromFile(kSkin / "BGHtml.gif"));
    EXPECT_EQ(picture.GetWidth(), 160);
    EXPECT_EQ(picture.GetHeight(), 120);
    const wxBitmap copy = picture.CreateCopy();
    ASSERT_TRUE(copy.IsOk());
    EXPECT_FALSE(copy.IsSameAs(picture.Bitmap()));
    EXPECT_EQ(copy.GetSize(), wxSize(160, 120));
    const wxImage a = copy.ConvertToImage(), b = picture.Bitmap().ConvertToImage();
    EXPECT_EQ(0, memcmp(a.GetData(), b.GetData(), 160 * 120 * 3));

    ASSERT_TRUE(picture.LoadFromFile(kSkin / "BGImg.bmp"));
    EXPECT_EQ(picture.GetWidth(), 640);
    EXPECT_EQ(picture.GetHeight(), 480);
    EXPECT_TRUE(copy.IsOk()) << "a copy outlives the next load";
}

TEST(ImageBitmapTest, LoadsPngAndJpegAsWell) {
    testing::TempDir dir;
    wxImage image(30, 20);
    image.SetRGB(wxRect(0, 0, 30, 20), 10, 200, 30);
    ASSERT_TRUE(image.SaveFile((dir.Path() / "a.png").string(), wxBITMAP_TYPE_PNG));
    ASSERT_TRUE(image.SaveFile((dir.Path() / "a.jpg").string(), wxBITMAP_TYPE_JPEG));
    ImageBitmap picture;
    ASSERT_TRUE(picture.LoadFromFile(dir.Path() / "a.png"));
    EXPECT_EQ(picture.Bitmap().GetSize(), wxSize(30, 20));
    ASSERT_TRUE(picture.LoadFromFile(dir.Path() / "a.jpg"));
    EXPECT_EQ(picture.Bitmap().GetSize(), wxSize(30, 20));
}

TEST(ImageBitmapTest, RefusesWhatIsNotAPictureAndReleasesThePreviousOne) {
    testing::TempDir dir;
    const auto text = dir.Write("BGHtml.gif", "this is no picture\n");
    const auto truncated = dir.Write("cut.gif", "GIF89a\x10\x00");
    std::string real;
    {
        std::ifstream in(kSkin / "BGHtml.gif", std::ios::binary);
        real.assign(std::istreambuf_iterator<char>(in), {});
    }
    const auto corrupt = dir.Write("corrupt.gif", real.substr(0, 13) + std::string(200, '\x2c'));
    const auto fifo = dir.Path() / "pipe.gif";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    ImageBitmap picture;
    for (const std::filesystem::path& path :
         {dir.Path() / "missing.gif", text, truncated, corrupt, fifo,
          std::filesystem::path("/dev/zero"), dir.Path()}) {
        ASSERT_TRUE(picture.LoadFromFile(kSkin / "BGHtml.gif"));
        EXPECT_FALSE(picture.LoadFromFile(path)) << path;
        EXPECT_FALSE(picture.IsOk()) << path;
        EXPECT_EQ(picture.GetWidth(), 0) << path;
        EXPECT_FALSE(picture.CreateCopy().IsOk()) << path;
    }
}

TEST(ImageBitmapTest, RefusesPicturesThatClaimTooManyPixelsOrBytes) {
    testing::TempDir dir;
    ImageBitmap picture;
    // Sides over the limit, in the header of each format.
    EXPECT_FALSE(picture.LoadFromFile(dir.Write("wide.bmp", BmpHeader(kMaxPictureSide + 1, 1))));
    EXPECT_FALSE(picture.LoadFromFile(dir.Write("tall.bmp", BmpHeader(1, -(kMaxPictureSide + 1)))));
    EXPECT_FALSE(
        picture.LoadFromFile(dir.Write("big.gif", GifWithFrames(1, 1, {{1, 1}, {60000, 60000}}))));
    // Within the sides, but the frames together hold too many pixels.
    EXPECT_FALSE(picture.LoadFromFile(dir.Write(
        "frames.gif", GifWithFrames(5000, 2000, {{5000, 2000}, {5000, 2000}, {5000, 2000}}))));
    const std::string png = std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16) +
                            std::string("\0\0\x27\x11\0\0\0\x01\x08\x02\0\0\0", 13);
    EXPECT_FALSE(picture.LoadFromFile(dir.Write("wide.png", png)));

    // More bytes than any skin picture needs: refused before reading.
    const auto huge = dir.Write("huge.bmp", BmpHeader(100, 100));
    std::filesystem::resize_file(huge, kMaxPictureBytes + 1);
    EXPECT_FALSE(picture.LoadFromFile(huge));
}

TEST(LabelPieceTest, CoversOnlyWhatThePictureHoldsBehindTheLabel) {
    EXPECT_EQ(LabelPiece(wxSize(640, 480), wxRect(12, 17, 60, 20)), wxRect(12, 17, 60, 20));
    EXPECT_EQ(LabelPiece(wxSize(40, 30), wxRect(12, 17, 60, 20)), wxRect(12, 17, 28, 13));
    EXPECT_TRUE(LabelPiece(wxSize(40, 30), wxRect(40, 17, 60, 20)).IsEmpty());
    EXPECT_TRUE(LabelPiece(wxSize(0, 0), wxRect(0, 0, 60, 20)).IsEmpty());
    EXPECT_EQ(LabelPiece(wxSize(40, 30), wxRect(-10, -5, 20, 20)), wxRect(0, 0, 10, 15));
}

// The viewer asks its host for every picture with a cookie; the host
// answers with a copy or with image-fail.
class PictureRequestTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_frame = new wxFrame(nullptr, wxID_ANY, "viewer", wxDefaultPosition, wxSize(400, 300));
        HtmlViewerHost::Callbacks callbacks;
        callbacks.onPicture = [this](const PictureRequest& request) {
            m_requests.push_back(request);
            if (m_picture.LoadFromFile(std::string(request.source.utf8_str())))
                m_viewer->SetImage(request.cookie, m_picture.CreateCopy());
            else
                m_viewer->ImageFail(request.cookie);
            m_viewer->SetImage(request.cookie + 1, m_picture.CreateCopy());  // stale: ignored
        };
        m_viewer = new HtmlViewerHost(m_frame, wxRect(0, 0, 400, 300), callbacks);
    }
    void TearDown() override { m_frame->Destroy(); }
    void Show(const wxString& page) {
        m_viewer->Clear();
        m_viewer->AddText(std::u16string(page.ToStdWstring().begin(), page.ToStdWstring().end()));
        m_viewer->EndOfSource();
    }

    wxFrame* m_frame = nullptr;
    HtmlViewerHost* m_viewer = nullptr;
    ImageBitmap m_picture;
    std::vector<PictureRequest> m_requests;
};

TEST_F(PictureRequestTest, ThePageBackgroundComesFromTheHostAndIsNotTiled) {
    const wxString gif = wxString::FromUTF8((kSkin / "BGHtml.gif").string());
    Show("<html><body background='" + gif + "'>word</body></html>");
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_EQ(m_requests[0].source, gif);
    ASSERT_TRUE(m_viewer->PageBackground().IsOk());
    EXPECT_EQ(m_viewer->PageBackground().GetSize(), wxSize(160, 120));
    EXPECT_FALSE(m_viewer->PageBackground().IsSameAs(m_picture.Bitmap()));

    Show("<html><body background='" + gif + "'><img src='" + gif + "'></body></html>");
    ASSERT_EQ(m_requests.size(), 3u);
    EXPECT_NE(m_requests[1].cookie, m_requests[2].cookie);
    EXPECT_NE(m_requests[0].cookie, m_requests[1].cookie);
}

TEST_F(PictureRequestTest, AMissingOrUnsafePictureIsAnsweredWithImageFail) {
    testing::TempDir dir;
    const auto fifo = dir.Path() / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    Show("<html><body background='/no/such/BGHtml.gif'><img src='/dev/zero'><img src='" +
         wxString::FromUTF8(fifo.string()) + "'>text</body></html>");
    EXPECT_EQ(m_requests.size(), 3u);
    EXPECT_FALSE(m_viewer->PageBackground().IsOk());
    EXPECT_FALSE(m_picture.IsOk());
    EXPECT_TRUE(m_viewer->ToText().Contains("text"));
}

TEST_F(PictureRequestTest, PathsWithSpacesAndKoreanReachTheHostUnchanged) {
    testing::TempDir dir;
    const auto folder = dir.Path() / "내 사전 (1)" / "Skin";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(kSkin / "BGHtml.gif", folder / "BGHtml.gif");
    const wxString gif = wxString::FromUTF8((folder / "BGHtml.gif").string());
    Show("<html><body background='" + gif + "'></body></html>");
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_EQ(m_requests[0].source, gif);
    EXPECT_TRUE(m_viewer->PageBackground().IsOk());
}

}  // namespace
}  // namespace tavik

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    wxApp::SetInstance(new wxApp);
    int wxArgc = 1;
    char* wxArgv[] = {argv[0], nullptr};
    if (!wxEntryStart(wxArgc, wxArgv)) return 2;
    wxInitAllImageHandlers();
    const int result = RUN_ALL_TESTS();
    wxEntryCleanup();
    return result;
}
