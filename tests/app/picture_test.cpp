// Picture loading and copying, and the viewer's picture requests: good
// pictures load, anything else (missing, not a picture, not a regular file,
// too large) is refused at once and answered with image-fail.
#include "app/picture.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/image.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "app/html_viewer.h"
#include "app/picture_cache.h"
#include "app/view_background.h"
#include "support/temp_dir.h"
#include "support/time_budget.h"

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

// The read calls this process has made so far.
long ReadCalls() {
    std::ifstream io("/proc/self/io");
    std::string key;
    long value = 0;
    while (io >> key >> value)
        if (key == "syscr:") return value;
    return 0;
}

long PeakMemoryKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
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

// Files that make a probe step through them a byte at a time.
TEST(ImageBitmapTest, FillBytesAndOneByteBlocksAreProbedQuickly) {
    testing::TempDir dir;
    const auto jpeg = dir.Write("fill.jpg", "\xFF\xD8" + std::string(32'000'000, '\xFF'));
    std::string gif = "GIF89a" + Le16(1) + Le16(1) + std::string("\x80\0\0", 3) +
                      std::string(6, '\0') + "," + Le16(0) + Le16(0) + Le16(1) + Le16(1) +
                      std::string(1, '\0') + "\x02";
    gif.reserve(32'000'000);
    while (gif.size() < 31'999'990) gif += std::string("\x01\x00", 2);
    gif += std::string("\x00;", 2);
    const auto blocks = dir.Write("blocks.gif", gif);

    ImageBitmap picture;
    for (const auto& path : {jpeg, blocks}) {
        const long readsBefore = ReadCalls();
        const auto start = std::chrono::steady_clock::now();
        picture.LoadFromFile(path);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        // Before the buffered probe: a read a byte, 13.6 s and 7.4 s.
        EXPECT_LT(ReadCalls() - readsBefore, 2000) << path;
        EXPECT_LT(seconds, testing::Budget(8.0)) << path;
        std::cout << path.filename() << ": " << seconds << " s\n";
    }
    EXPECT_FALSE(picture.LoadFromFile(jpeg));
}

// The cache decodes a file once per version of it.
TEST(PictureCacheTest, DecodesAFileOncePerVersion) {
    testing::TempDir dir;
    const auto path = dir.Path() / "BGImg.bmp";
    std::filesystem::copy_file(kSkin / "BGImg.bmp", path);
    PictureCache cache(1, kMaxPicturePixels);
    for (int i = 0; i < 5; ++i) ASSERT_EQ(cache.Get(path).GetWidth(), 640);
    EXPECT_EQ(cache.Decodes(), 1);

    // Another picture in place, through a new file.
    std::filesystem::remove(path);
    ASSERT_TRUE(wxImage(40, 30).SaveFile(wxString::FromUTF8(path.string()), wxBITMAP_TYPE_BMP));
    EXPECT_EQ(cache.Get(path).GetWidth(), 40);
    EXPECT_EQ(cache.Decodes(), 2);
    // The same file with a new time: decoded again.
    std::filesystem::last_write_time(
        path, std::filesystem::last_write_time(path) + std::chrono::seconds(5));
    EXPECT_EQ(cache.Get(path).GetWidth(), 40);
    EXPECT_EQ(cache.Decodes(), 3);
    // Rewritten in place with another size.
    {
        std::ofstream out(path, std::ios::binary | std::ios::app);
        out << "tail";
    }
    cache.Get(path);
    EXPECT_EQ(cache.Decodes(), 4);
    // Gone: nothing drawn, and nothing decoded.
    std::filesystem::remove(path);
    EXPECT_FALSE(cache.Get(path).IsOk());
    EXPECT_EQ(cache.Decodes(), 4);
    // A file that is no picture is decoded once too, then known.
    dir.Write("BGImg.bmp", "no picture");
    EXPECT_FALSE(cache.Get(path).IsOk());
    EXPECT_FALSE(cache.Get(path).IsOk());
    EXPECT_EQ(cache.Decodes(), 5);
}

TEST(PictureCacheTest, KeepsAtMostItsPicturesAndPixels) {
    testing::TempDir dir;
    std::vector<std::filesystem::path> paths;
    for (int i = 0; i < 3; ++i) {
        paths.push_back(dir.Path() / ("p" + std::to_string(i) + ".png"));
        ASSERT_TRUE(wxImage(100, 100).SaveFile(wxString::FromUTF8(paths.back().string()),
                                               wxBITMAP_TYPE_PNG));
    }
    PictureCache byCount(2, kMaxPicturePixels);
    for (const auto& path : {paths[0], paths[1], paths[0], paths[2], paths[0], paths[1]})
        byCount.Get(path);
    // p1 went when p2 came (p0 was used later), and came back as a new decode.
    EXPECT_EQ(byCount.Decodes(), 4);

    PictureCache byPixels(16, 15'000);
    for (const auto& path : {paths[0], paths[1], paths[0]}) byPixels.Get(path);
    EXPECT_EQ(byPixels.Decodes(), 3) << "one 100x100 picture at a time";
    EXPECT_TRUE(byPixels.Get(paths[0]).IsOk()) << "the picture asked for stays";
}

TEST(LabelPieceTest, CoversOnlyWhatThePictureHoldsBehindTheLabel) {
    EXPECT_EQ(LabelPiece(wxSize(640, 480), wxRect(12, 17, 60, 20)), wxRect(12, 17, 60, 20));
    EXPECT_EQ(LabelPiece(wxSize(40, 30), wxRect(12, 17, 60, 20)), wxRect(12, 17, 28, 13));
    EXPECT_TRUE(LabelPiece(wxSize(40, 30), wxRect(40, 17, 60, 20)).IsEmpty());
    EXPECT_TRUE(LabelPiece(wxSize(0, 0), wxRect(0, 0, 60, 20)).IsEmpty());
    EXPECT_EQ(LabelPiece(wxSize(40, 30), wxRect(-10, -5, 20, 20)), wxRect(0, 0, 10, 15));
}

// A picture of 4x3 pixels: its last column red, red, blue from the top,
// its last row green, green, green and that column's blue.
wxBitmap EdgePicture() {
    wxImage image(4, 3);
    image.SetRGB(wxRect(0, 0, 4, 3), 10, 10, 10);
    image.SetRGB(wxRect(3, 0, 1, 2), 200, 0, 0);
    image.SetRGB(wxRect(0, 2, 3, 1), 0, 200, 0);
    image.SetRGB(3, 2, 0, 0, 200);
    return wxBitmap(image);
}

TEST(ContinuedEdgesTest, TheLastColumnAndRowGoOnToTheFormsEdgesOneBandPerColour) {
    const wxBitmap picture = EdgePicture();
    const wxColour red(200, 0, 0), green(0, 200, 0), blue(0, 0, 200);
    EXPECT_EQ(ContinuedEdges(picture, wxSize(4, 3), wxSize(10, 8)),
              (std::vector<ColourBand>{{wxRect(4, 0, 6, 2), red},
                                       {wxRect(4, 2, 6, 1), blue},
                                       {wxRect(0, 3, 3, 5), green},
                                       {wxRect(3, 3, 1, 5), blue},
                                       {wxRect(4, 3, 6, 5), blue}}));
    // Wider only: the right edge goes on over the picture's rows alone.
    EXPECT_EQ(ContinuedEdges(picture, wxSize(4, 3), wxSize(6, 2)),
              (std::vector<ColourBand>{{wxRect(4, 0, 2, 2), red}, {wxRect(4, 2, 2, 1), blue}}));
    // The picture covers the form (the skin's own size, or smaller): nothing.
    EXPECT_TRUE(ContinuedEdges(picture, wxSize(4, 3), wxSize(4, 3)).empty());
    EXPECT_TRUE(ContinuedEdges(picture, wxSize(4, 3), wxSize(2, 1)).empty());
    // A picture narrower than its skin's layout is not stretched to it.
    EXPECT_EQ(ContinuedEdges(picture, wxSize(5, 3), wxSize(10, 8)).size(), 2u);
    EXPECT_TRUE(ContinuedEdges(picture, wxSize(5, 4), wxSize(10, 8)).empty());
    EXPECT_TRUE(ContinuedEdges(wxBitmap(), wxSize(4, 3), wxSize(10, 8)).empty());
}

TEST(ScaledPictureTest, TheSkinPictureGrowsWithTheLayoutAndIsMadeOncePerVersion) {
    ImageBitmap picture;
    ASSERT_TRUE(picture.LoadFromFile(kSkin / "BGImg.bmp"));
    ScaledPicture scaled;
    // At the skin's own scale, the decoded pixels themselves.
    EXPECT_TRUE(scaled.Get(picture, 1, 1.0).IsSameAs(picture.Bitmap()));
    const wxBitmap& larger = scaled.Get(picture, 1, 1.5);
    EXPECT_EQ(larger.GetSize(), wxSize(960, 720));
    const wxBitmap copy = larger;
    EXPECT_TRUE(scaled.Get(picture, 1, 1.5).IsSameAs(copy)) << "made again without a change";
    EXPECT_FALSE(scaled.Get(picture, 2, 1.5).IsSameAs(copy)) << "a new version is scaled anew";
    EXPECT_EQ(scaled.Get(picture, 2, 1.25).GetSize(), wxSize(800, 600));
    EXPECT_FALSE(scaled.Get(ImageBitmap(), 3, 1.5).IsOk());
    // Beyond the pixels any picture may have, it stays at its own size.
    EXPECT_TRUE(scaled.Get(picture, 4, 12.0).IsSameAs(picture.Bitmap()));
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

    // A page that names one picture twice asks for it once; the next page
    // asks again.
    Show("<html><body background='" + gif + "'><img src='" + gif + "'></body></html>");
    ASSERT_EQ(m_requests.size(), 2u);
    EXPECT_NE(m_requests[0].cookie, m_requests[1].cookie);
    EXPECT_EQ(m_viewer->PicturePixelsShown(), 2 * 160 * 120);
    EXPECT_TRUE(m_viewer->PageBackground().IsOk());
}

TEST_F(PictureRequestTest, ALargePictureUsedFiftyTimesIsDecodedOnceAndShownWithinThePageBound) {
    testing::TempDir dir;
    const auto large = dir.Path() / "large.png";
    {
        wxImage image(5000, 5000);
        image.SetRGB(wxRect(0, 0, 5000, 5000), 90, 120, 200);
        ASSERT_TRUE(image.SaveFile(wxString::FromUTF8(large.string()), wxBITMAP_TYPE_PNG));
    }
    const auto small = dir.Path() / "small.png";
    ASSERT_TRUE(wxImage(100, 100).SaveFile(wxString::FromUTF8(small.string()), wxBITMAP_TYPE_PNG));
    wxString page = "<html><body>";
    for (int i = 0; i < 50; ++i)
        page += "<img src='" + wxString::FromUTF8(large.string()) + "'><img src='" +
                wxString::FromUTF8(small.string()) + "'>";

    const long peakBefore = PeakMemoryKb();
    const auto start = std::chrono::steady_clock::now();
    Show(page + "</body></html>");
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // Before the bound: 40.7 s and 3.94 GB for the fifty large ones alone.
    EXPECT_LT(seconds, testing::Budget(15.0));
    EXPECT_LT(PeakMemoryKb() - peakBefore, 1'500'000);
    // The first large one fills the page's bound: nothing more is asked for.
    EXPECT_EQ(m_requests.size(), 1u);
    EXPECT_EQ(m_viewer->PicturePixelsShown(), 5000 * 5000);
    std::cout << "fifty large pictures: " << seconds << " s, "
              << (PeakMemoryKb() - peakBefore) / 1024 << " MB more at the peak\n";
}

TEST_F(PictureRequestTest, ManySmallPicturesAreAllShown) {
    testing::TempDir dir;
    const auto small = dir.Path() / "small.png";
    ASSERT_TRUE(wxImage(20, 10).SaveFile(wxString::FromUTF8(small.string()), wxBITMAP_TYPE_PNG));
    wxString page = "<html><body>";
    for (int i = 0; i < 200; ++i) page += "<img src='" + wxString::FromUTF8(small.string()) + "'>";
    Show(page + "</body></html>");
    EXPECT_EQ(m_requests.size(), 1u);
    EXPECT_EQ(m_viewer->PicturePixelsShown(), 200 * 20 * 10);
}

TEST_F(PictureRequestTest, ALongPageInTwoStepsAsksForEachPictureOnceAndCountsEachUseOnce) {
    testing::TempDir dir;
    const auto small = dir.Path() / "small.png";
    ASSERT_TRUE(wxImage(20, 10).SaveFile(wxString::FromUTF8(small.string()), wxBITMAP_TYPE_PNG));
    const wxString gif = wxString::FromUTF8((kSkin / "BGHtml.gif").string());
    wxString page = "<html><body background='" + gif + "'>";
    for (int i = 0; i < 600; ++i) {
        page += wxString::Format("line %d of a long entry<br>", i);
        if (i % 100 == 0) page += "<img src='" + wxString::FromUTF8(small.string()) + "'><br>";
    }
    Show(page + "</body></html>");
    ASSERT_TRUE(m_viewer->PagePending());
    EXPECT_TRUE(m_viewer->PageBackground().IsOk());
    wxTheApp->ProcessIdle();
    ASSERT_FALSE(m_viewer->PagePending());
    EXPECT_EQ(m_requests.size(), 2u);
    EXPECT_EQ(m_viewer->PicturePixelsShown(), 160 * 120 + 6 * 20 * 10);
    EXPECT_TRUE(m_viewer->PageBackground().IsOk());
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
