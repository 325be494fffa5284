// Which file a path or an open handle names, and in what state: enough to
// tell that a file was replaced, cut, grown or rewritten since it was opened.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <optional>

#include "text/file.h"

namespace tavik {

struct FileIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    // Both times, to the nanosecond: an edit that keeps the size still moves
    // them (a rename over the file gives another inode instead).
    int64_t modifiedSeconds = 0;
    int64_t modifiedNanoseconds = 0;
    int64_t changedSeconds = 0;
    int64_t changedNanoseconds = 0;

    bool operator==(const FileIdentity&) const = default;
};

FileIdentity IdentityOf(const struct stat& info);
// Of the file the path names now (links followed); nothing when it is gone.
std::optional<FileIdentity> PathIdentity(const std::filesystem::path& path);
// Of the file the handle holds open.
std::optional<FileIdentity> HandleIdentity(const FileHandle& file);

}  // namespace tavik
