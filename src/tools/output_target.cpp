// Telling regular files from streams and devices, and cleaning up after
// killed runs.
#include "tools/output_target.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <system_error>

#include "tools/tool_error.h"

namespace tavik {

namespace {

namespace fs = std::filesystem;

constexpr const char* kTemporaryKinds[] = {"tavik", "sort"};

fs::path FolderOf(const fs::path& path) {
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// The descriptor a name such as /dev/stdout or /proc/self/fd/3 stands for.
// Writing to it, rather than opening the name again, keeps what the shell
// asked for (">>" appends) and never replaces the file behind it.
std::optional<int> OwnDescriptor(const fs::path& requested) {
    const std::string text = requested.lexically_normal().string();
    if (text == "/dev/stdout") return 1;
    if (text == "/dev/stderr") return 2;
    for (std::string_view prefix : {"/dev/fd/", "/proc/self/fd/"}) {
        if (!text.starts_with(prefix)) continue;
        int fd = -1;
        const char* begin = text.data() + prefix.size();
        const char* end = text.data() + text.size();
        const auto [stop, error] = std::from_chars(begin, end, fd);
        if (error == std::errc() && stop == end && begin != end) return fd;
    }
    return std::nullopt;
}

// Where a dangling symbolic link points: the new file is made there.
fs::path FollowDanglingLink(const fs::path& requested) {
    fs::path path = requested;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
        const fs::path target = fs::read_symlink(path, error);
        if (error) return path;
        path = target.is_absolute() ? target : FolderOf(path) / target;
    }
    throw ToolError(requested.string() + ": too many levels of symbolic links");
}

bool ProcessIsGone(pid_t pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

// The pid in a name made from TemporaryPrefix, when `name` is one.
std::optional<pid_t> LeftoverPid(std::string_view name, std::string_view stem) {
    if (!name.starts_with(stem)) return std::nullopt;
    name.remove_prefix(stem.size());
    for (std::string_view kind : kTemporaryKinds) {
        if (!name.starts_with(kind) || name.size() <= kind.size() || name[kind.size()] != '-')
            continue;
        const std::string_view rest = name.substr(kind.size() + 1);
        pid_t pid = 0;
        const auto [stop, error] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
        if (error != std::errc() || pid <= 0 || stop == rest.data()) return std::nullopt;
        const std::string_view tail(stop, size_t(rest.data() + rest.size() - stop));
        if (tail.size() != 7 || tail[0] != '-') return std::nullopt;  // "-" and mkstemp's six
        return pid;
    }
    return std::nullopt;
}

}  // namespace

OutputTarget ResolveOutput(const fs::path& requested) {
    OutputTarget target;
    if (const auto fd = OwnDescriptor(requested)) {
        if (::fcntl(*fd, F_GETFD) == -1)
            throw ToolError(requested.string() + ": no such open file (" + std::strerror(errno) +
                            ")");
        target.path = requested;
        target.direct = true;
        target.descriptor = *fd;
        target.scratch = fs::temp_directory_path();
        return target;
    }
    struct stat info;
    if (::stat(requested.c_str(), &info) != 0) {
        if (errno != ENOENT) throw ToolError(requested.string() + ": " + std::strerror(errno));
        target.path = FollowDanglingLink(requested);
        target.scratch = FolderOf(target.path);
        return target;
    }
    if (S_ISREG(info.st_mode)) {
        std::error_code error;
        const fs::path resolved = fs::canonical(requested, error);
        target.path = error ? requested : resolved;
        target.scratch = FolderOf(target.path);
        return target;
    }
    if (S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode)) {
        target.path = requested;
        target.direct = true;
        target.scratch = fs::temp_directory_path();
        return target;
    }
    const char* what = S_ISDIR(info.st_mode)   ? "a folder"
                       : S_ISBLK(info.st_mode) ? "a block device"
                                               : "not a file that can be written";
    throw ToolError(requested.string() + " is " + what +
                    "; give a regular file, a FIFO or a character device");
}

std::string TemporaryTag(const char* kind) {
    return std::string(kind) + "-" + std::to_string(::getpid()) + "-";
}

std::string TemporaryPattern(const OutputTarget& target, const char* kind) {
    return (target.scratch /
            ("." + target.path.filename().string() + "." + TemporaryTag(kind) + "XXXXXX"))
        .string();
}

int RemoveLeftovers(const OutputTarget& target) {
    const std::string stem = "." + target.path.filename().string() + ".";
    int removed = 0;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(target.scratch, error)) {
        const std::string name = entry.path().filename().string();
        const auto pid = LeftoverPid(name, stem);
        if (!pid || *pid == ::getpid() || !ProcessIsGone(*pid)) continue;
        struct stat info;
        if (::lstat(entry.path().c_str(), &info) != 0 || info.st_uid != ::geteuid()) continue;
        if (!S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode)) continue;
        std::error_code ignored;
        if (fs::remove_all(entry.path(), ignored) > 0) ++removed;
    }
    return removed;
}

}  // namespace tavik
