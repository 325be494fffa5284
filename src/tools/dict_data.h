// Random access to the article data of dictd and StarDict dictionaries: a
// plain file, or a dictzip file read through its table of independently
// compressed chunks. A gzip file without that table is inflated whole.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace tavik {

class DictData {
public:
    virtual ~DictData() = default;
    // The `length` bytes at `offset`; throws ToolError when they lie past the
    // end or the compressed data is broken.
    virtual std::string Read(uint64_t offset, uint64_t length) = 0;
};

// Chooses by the file's first bytes (the gzip magic) rather than its name.
std::unique_ptr<DictData> OpenDictData(const std::filesystem::path& path);

// The whole content of a file, inflated when it is gzip-compressed.
std::string ReadWholeFile(const std::filesystem::path& path);

}  // namespace tavik
