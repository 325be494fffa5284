// Opening a file by a name that may be a symbolic link, in a folder other
// users may be able to write: the user's own links (and root's) are followed,
// a link another user owns never is, and the check and the open are one
// decision, so a link put in place between them is not followed either.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "text/file.h"

namespace tavik {

// The file `path` names after following its links, each of them owned by
// this user or by root; nullopt when a link on the way belongs to another
// user. A name that does not exist (yet) is its own end.
std::optional<std::filesystem::path> ResolveOwnLinks(const std::filesystem::path& path);

struct GuardedOpen {
    std::optional<FileHandle> file;
    bool foreignLink = false;  // refused: a link another user owns stood on the way
    int error = 0;             // errno of a failed open
};

// open(2) of `path` with `flags` and `mode`, the links on the way resolved by
// ResolveOwnLinks and the file at their end opened with O_NOFOLLOW: a link
// that appears there after the check makes the open fail, and the name is
// looked at again. `betweenCheckAndOpen`, when given, runs after each check
// (a test's way to change the file at the worst moment).
GuardedOpen OpenUnlessForeignLink(const std::filesystem::path& path, int flags, mode_t mode = 0,
                                  const std::function<void()>& betweenCheckAndOpen = {});

// OpenRegularFileForReading for a name another user's link may stand on.
GuardedOpen OpenRegularFileUnlessForeignLink(const std::filesystem::path& path);

}  // namespace tavik
