// Random access to the article data of dictd and StarDict dictionaries: a
// plain file, or a dictzip file read through its table of independently
// compressed chunks. A gzip file without that table is inflated once into an
// unnamed temporary file. Memory stays bounded whatever the data says.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace tavik {

// At most this much of one article is read; a longer one is cut.
inline constexpr size_t kArticleReadLimit = size_t(1) << 20;

class DictData {
public:
    virtual ~DictData() = default;
    // The first `limit` bytes (or all, when fewer) of the `length` bytes at
    // `offset`; throws ToolError when the `length` bytes lie past the end or
    // the compressed data is broken.
    virtual std::string Read(uint64_t offset, uint64_t length,
                             size_t limit = kArticleReadLimit) = 0;
};

// Chooses by the file's first bytes (the gzip magic) rather than its name.
// `scratch` is the folder for the inflated copy of a gzip file without a
// chunk table.
std::unique_ptr<DictData> OpenDictData(const std::filesystem::path& path,
                                       const std::filesystem::path& scratch);

// `bytes` without a UTF-8 sequence left incomplete at its end by a cut.
std::string_view CutAtCharacter(std::string_view bytes);

}  // namespace tavik
