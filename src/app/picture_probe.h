// Reads a picture file's size from its header, before anything is decoded,
// so that a file claiming an absurd size never reaches the decoder.
#pragma once

#include <cstdint>
#include <optional>

#include "text/file.h"

namespace tavik {

enum class PictureFormat { kBmp, kGif, kPng, kJpeg };

struct PictureHeader {
    PictureFormat format;
    int width = 0;
    int height = 0;
    // Pixels the decoder will hold at once: for a GIF, every frame's.
    int64_t totalPixels = 0;
};

// The format and size of the picture in `file` (a regular file, read with
// pread through one 64 KiB buffer); nothing when the file is none of the
// four formats or its header is cut short or malformed.
std::optional<PictureHeader> ProbePicture(const FileHandle& file);

}  // namespace tavik
