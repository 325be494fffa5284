#include "text/guarded_open.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tavik {

namespace fs = std::filesystem;

namespace {

// Links followed before the name counts as a loop, as the system's own
// resolution gives up too.
constexpr int kMaxLinkHops = 40;
// Times the name is looked at again when it turned into a link between the
// check and the open; only a name being changed on purpose goes round more
// than once.
constexpr int kMaxOpenAttempts = 4;

bool IsOthers(const struct stat& info) { return info.st_uid != ::geteuid() && info.st_uid != 0; }

}  // namespace

std::optional<fs::path> ResolveOwnLinks(const fs::path& path) {
    fs::path file = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info;
        if (::lstat(file.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return file;
        if (IsOthers(info)) return std::nullopt;
        std::error_code error;
        const fs::path target = fs::read_symlink(file, error);
        if (error) return file;  // gone since: the open says what is there now
        // Not normalised: ".." after a linked folder is the system's to read.
        file = target.is_absolute() ? target : file.parent_path() / target;
    }
    // A loop of the user's own links: the open fails on it as open(2) would.
    return file;
}

GuardedOpen OpenUnlessForeignLink(const fs::path& path, int flags, mode_t mode,
                                  const std::function<void()>& betweenCheckAndOpen) {
    GuardedOpen result;
    for (int attempt = 0; attempt < kMaxOpenAttempts; ++attempt) {
        const std::optional<fs::path> file = ResolveOwnLinks(path);
        if (!file) {
            result.foreignLink = true;
            result.error = ELOOP;
            return result;
        }
        if (betweenCheckAndOpen) betweenCheckAndOpen();
        FileHandle handle(::open(file->c_str(), flags | O_NOFOLLOW | O_CLOEXEC, mode));
        if (handle.IsOpen()) {
            result.file = std::move(handle);
            result.error = 0;
            return result;
        }
        result.error = errno;
        if (result.error != ELOOP) return result;
    }
    // Still a link at every try: refused as one, whoever owns it now.
    result.foreignLink = !ResolveOwnLinks(path).has_value();
    return result;
}

GuardedOpen OpenRegularFileUnlessForeignLink(const fs::path& path) {
    // O_NONBLOCK keeps the open itself from waiting for a FIFO's writer.
    GuardedOpen opened = OpenUnlessForeignLink(path, O_RDONLY | O_NONBLOCK);
    if (!opened.file) return opened;
    if (!KeepIfRegularFile(*opened.file)) opened.file.reset();
    return opened;
}

}  // namespace tavik
