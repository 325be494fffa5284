// A private folder on a memory file system for fuzz targets that read and
// write real files (rename, fsync): cheap enough for every input.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace tavik::fuzz {

inline const std::filesystem::path& FuzzFolder() {
    static const std::filesystem::path folder = [] {
        std::string pattern = "/dev/shm/tavik-fuzz-XXXXXX";
        if (!::mkdtemp(pattern.data())) {
            pattern = (std::filesystem::temp_directory_path() / "tavik-fuzz-XXXXXX").string();
            if (!::mkdtemp(pattern.data())) __builtin_trap();
        }
        return std::filesystem::path(pattern);
    }();
    return folder;
}

inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), std::streamsize(bytes.size()));
}

}  // namespace tavik::fuzz
