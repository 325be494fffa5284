// The page parser's picture files: the last picture is kept for the next
// page, every other file goes when its page is parsed.
#include "app/served_pictures.h"

#include <gtest/gtest.h>
#include <wx/filesys.h>
#include <wx/fs_mem.h>
#include <wx/log.h>

#include <memory>

namespace tavik {
namespace {

wxImage Picture(int width, int height, unsigned char shade) {
    wxImage image(width, height);
    image.SetRGB(wxRect(0, 0, width, height), shade, 100, 200);
    return image;
}

bool Readable(const wxString& name) {
    const wxLogNull quiet;  // a missing file is no error here
    wxFileSystem files;
    const std::unique_ptr<wxFSFile> file(files.OpenFile("memory:" + name));
    return file != nullptr;
}

class ServedPicturesTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!wxFileSystem::HasHandlerForPath("memory:x"))
            wxFileSystem::AddHandler(new wxMemoryFSHandler);
        if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    }
};

TEST_F(ServedPicturesTest, TheSamePictureIsWrittenOnceForPageAfterPage) {
    ServedPictures served;
    const wxString first = served.Serve(Picture(16, 8, 1));
    EXPECT_TRUE(served.Serves(first));
    served.PageDone();
    EXPECT_FALSE(served.Serves(first));
    EXPECT_TRUE(Readable(first));
    for (int page = 2; page < 5; ++page) {
        EXPECT_EQ(served.Serve(Picture(16, 8, 1)), first);
        EXPECT_TRUE(served.Serves(first));
        served.PageDone();
    }
    EXPECT_EQ(served.Written(), 1);
    wxImage read;
    wxFileSystem files;
    const std::unique_ptr<wxFSFile> file(files.OpenFile("memory:" + first));
    ASSERT_TRUE(file);
    ASSERT_TRUE(read.LoadFile(*file->GetStream(), wxBITMAP_TYPE_PNG));
    EXPECT_TRUE(SamePicture(read, Picture(16, 8, 1)));

    // Another picture replaces it, and its file goes.
    const wxString second = served.Serve(Picture(16, 8, 2));
    EXPECT_NE(second, first);
    EXPECT_FALSE(Readable(first));
    served.PageDone();
    EXPECT_TRUE(Readable(second));

    // Replaced on a page that used it too, it stays until the page is parsed.
    EXPECT_EQ(served.Serve(Picture(16, 8, 2)), second);
    const wxString third = served.Serve(Picture(16, 8, 3));
    EXPECT_TRUE(Readable(second));
    served.PageDone();
    EXPECT_FALSE(Readable(second));
    EXPECT_TRUE(Readable(third));
    EXPECT_EQ(served.Written(), 3);
}

TEST_F(ServedPicturesTest, APageWithTwoPicturesKeepsOnlyTheLast) {
    wxString names[2];
    {
        ServedPictures served;
        names[0] = served.Serve(Picture(4, 4, 1));
        names[1] = served.Serve(Picture(4, 4, 2));
        served.PageDone();
        EXPECT_FALSE(Readable(names[0]));
        EXPECT_TRUE(Readable(names[1]));
    }
    // Nothing is left behind.
    EXPECT_FALSE(Readable(names[1]));
}

TEST_F(ServedPicturesTest, TwoViewersKeepTheirOwnPictures) {
    ServedPictures one;
    ServedPictures other;
    const wxString first = one.Serve(Picture(4, 4, 1));
    one.PageDone();
    const wxString second = other.Serve(Picture(4, 4, 2));
    other.PageDone();
    EXPECT_NE(first, second);
    EXPECT_TRUE(Readable(first));
    EXPECT_TRUE(Readable(second));
}

TEST_F(ServedPicturesTest, ALargePictureIsNotKept) {
    ServedPictures served;
    const int side = 1001;  // just over a million pixels
    const wxString small = served.Serve(Picture(4, 4, 1));
    served.PageDone();
    const wxString large = served.Serve(Picture(side, side, 3));
    served.PageDone();
    EXPECT_FALSE(Readable(large));
    EXPECT_EQ(served.Serve(Picture(4, 4, 1)), small);
    EXPECT_NE(served.Serve(Picture(side, side, 3)), large);
    served.PageDone();
    EXPECT_EQ(served.Written(), 3);
}

TEST(SamePictureTest, EveryPixelAlphaAndMaskCounts) {
    const wxImage base = Picture(5, 3, 7);
    EXPECT_TRUE(SamePicture(base, Picture(5, 3, 7)));
    EXPECT_FALSE(SamePicture(base, Picture(3, 5, 7)));
    wxImage pixel = Picture(5, 3, 7);
    pixel.SetRGB(4, 2, 7, 100, 201);
    EXPECT_FALSE(SamePicture(base, pixel));
    wxImage alpha = Picture(5, 3, 7);
    alpha.InitAlpha();
    EXPECT_FALSE(SamePicture(base, alpha));
    wxImage otherAlpha = alpha.Copy();
    otherAlpha.SetAlpha(0, 0, 3);
    EXPECT_FALSE(SamePicture(alpha, otherAlpha));
    wxImage mask = Picture(5, 3, 7);
    mask.SetMaskColour(1, 2, 3);
    wxImage otherMask = Picture(5, 3, 7);
    otherMask.SetMaskColour(1, 2, 4);
    EXPECT_FALSE(SamePicture(base, mask));
    EXPECT_FALSE(SamePicture(mask, otherMask));
    EXPECT_FALSE(SamePicture(wxImage(), wxImage()));
}

}  // namespace
}  // namespace tavik
