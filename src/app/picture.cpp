// Picture loading: the header is checked first, then wx decodes the file
// as it streams it from the open descriptor.
#include "app/picture.h"

#include <sys/stat.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/stream.h>
#include <wx/wfstream.h>

#include "app/picture_probe.h"
#include "text/file.h"

namespace tavik {

namespace {

wxBitmapType DecoderType(PictureFormat format) {
    switch (format) {
        case PictureFormat::kBmp:
            return wxBITMAP_TYPE_BMP;
        case PictureFormat::kGif:
            return wxBITMAP_TYPE_GIF;
        case PictureFormat::kPng:
            return wxBITMAP_TYPE_PNG;
        case PictureFormat::kJpeg:
            return wxBITMAP_TYPE_JPEG;
    }
    return wxBITMAP_TYPE_INVALID;
}

// Only the four decoders the probe knows are ever used.
void AddDecoders() {
    if (!wxImage::FindHandler(wxBITMAP_TYPE_BMP)) wxImage::AddHandler(new wxBMPHandler);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_GIF)) wxImage::AddHandler(new wxGIFHandler);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_JPEG)) wxImage::AddHandler(new wxJPEGHandler);
}

bool WithinBounds(const PictureHeader& header) {
    return header.width <= kMaxPictureSide && header.height <= kMaxPictureSide &&
           header.totalPixels <= kMaxPicturePixels;
}

}  // namespace

void ImageBitmap::Release() {
    m_bitmap = wxBitmap();
    m_width = 0;
    m_height = 0;
}

bool ImageBitmap::LoadFromFile(const std::filesystem::path& path) {
    Release();
    // A page may name any path: a FIFO or a device would block the window,
    // so only regular files are opened, and never waited for.
    std::optional<FileHandle> file = OpenRegularFileForReading(path);
    if (!file) return false;
    struct stat info;
    if (::fstat(file->Get(), &info) != 0 || info.st_size > kMaxPictureBytes) return false;
    const std::optional<PictureHeader> header = ProbePicture(*file);
    if (!header || !WithinBounds(*header)) return false;

    AddDecoders();
    wxImage image;
    {
        // A broken file makes the decoders log; the answer is "no picture".
        wxLogNull quiet;
        wxFileInputStream stream(file->Release());
        // The decoders read a few bytes at a time: through a buffer, not a
        // system call each.
        wxBufferedInputStream buffered(stream, 64 * 1024);
        if (!stream.IsOk() || !image.LoadFile(buffered, DecoderType(header->format))) return false;
    }
    if (!image.IsOk() || image.GetWidth() > kMaxPictureSide || image.GetHeight() > kMaxPictureSide)
        return false;
    wxBitmap bitmap(image);
    if (!bitmap.IsOk()) return false;
    m_bitmap = bitmap;
    m_width = bitmap.GetWidth();
    m_height = bitmap.GetHeight();
    return true;
}

wxBitmap ImageBitmap::CreateCopy() const {
    if (!m_bitmap.IsOk()) return wxBitmap();
    // A sub-bitmap is a copy of its own, unlike the toolkit's shared copies.
    return m_bitmap.GetSubBitmap(wxRect(0, 0, m_width, m_height));
}

}  // namespace tavik
