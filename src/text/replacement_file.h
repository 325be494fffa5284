// Replacing a file's content in one step: the new content goes into a fresh
// file beside it, which is flushed and then renamed over the old one, so the
// old file stays whole until the new one is complete.
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string_view>

#include "text/file.h"

namespace tavik {

class ReplacementFile {
public:
    // Creates a new file with a unique name in `target`'s folder, to take the
    // place of `target`, whose permission bits (and owner, where allowed) it
    // gets from `targetInfo`. nullopt when the file cannot be created.
    // `tag`, when given, goes into the name (".<name>.<tag>XXXXXX") so that
    // its maker can recognise the file later.
    static std::optional<ReplacementFile> Create(const std::filesystem::path& target,
                                                 const struct stat& targetInfo,
                                                 std::string_view tag = {});
    // The same for a target that may not exist yet: an existing one lends its
    // permission bits and owner, a new one gets the usual 0666 less the umask.
    static std::optional<ReplacementFile> Create(const std::filesystem::path& target,
                                                 std::string_view tag = {});

    ReplacementFile(ReplacementFile&& other) noexcept;
    ReplacementFile& operator=(ReplacementFile&&) = delete;
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;
    // Removes the new file unless it replaced the target.
    ~ReplacementFile();

    // Appends to the new file. False on failure, which is also remembered and
    // fails Commit.
    bool Write(std::string_view bytes);

    // Flushes the new file to the disk and renames it over the target. False
    // when anything failed; the target is then untouched.
    bool Commit();

private:
    ReplacementFile(FileHandle file, std::filesystem::path path, std::filesystem::path target)
        : m_file(std::move(file)), m_path(std::move(path)), m_target(std::move(target)) {}

    FileHandle m_file;
    std::filesystem::path m_path;
    std::filesystem::path m_target;
    bool m_failed = false;
    bool m_committed = false;
};

}  // namespace tavik
