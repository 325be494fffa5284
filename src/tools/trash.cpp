// The desktop's trash.
#include "tools/trash.h"

#include <fcntl.h>
#include <pwd.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <system_error>

#include "text/file.h"

namespace tavik {

namespace {

namespace fs = std::filesystem;

// Names tried before giving up: NAME, NAME.2.EXT ... NAME.9999.EXT.
constexpr int kMaxNameTries = 9999;

TrashResult Failed(TrashFailure failure, int error = 0) {
    TrashResult result;
    result.failure = failure;
    if (error) result.reason = std::strerror(error);
    return result;
}

// A folder of the trash: made private when missing; an existing one must be
// a real folder (not a link), and, where others could have made it first,
// this user's. The error number on failure, 0 on success.
int EnsureFolder(const fs::path& folder, std::optional<uid_t> owner) {
    if (::mkdir(folder.c_str(), 0700) == 0) return 0;
    if (errno != EEXIST) return errno;
    struct stat info;
    if (::lstat(folder.c_str(), &info) != 0) return errno;
    if (!S_ISDIR(info.st_mode)) return ENOTDIR;
    if (owner && info.st_uid != *owner) return EACCES;
    return 0;
}

int EnsureTrashFolders(const fs::path& trash, std::optional<uid_t> owner) {
    if (const int error = EnsureFolder(trash, owner)) return error;
    if (const int error = EnsureFolder(trash / "files", owner)) return error;
    return EnsureFolder(trash / "info", owner);
}

// The device of `path`, or of the nearest folder above it that exists.
std::optional<dev_t> DeviceOf(fs::path path) {
    for (;;) {
        struct stat info;
        if (::stat(path.c_str(), &info) == 0) return info.st_dev;
        const fs::path parent = path.parent_path();
        if (parent == path || parent.empty()) return std::nullopt;
        path = parent;
    }
}

// The top folder of the file system `folder` is on: the highest folder
// above it on the same device.
fs::path MountPointOf(fs::path folder, dev_t device) {
    for (;;) {
        const fs::path parent = folder.parent_path();
        struct stat info;
        if (parent == folder || parent.empty() || ::stat(parent.c_str(), &info) != 0 ||
            info.st_dev != device)
            return folder;
        folder = parent;
    }
}

// The name to try the `attempt`th time: the file's own, then with a number
// before its extension.
fs::path CandidateName(const fs::path& name, int attempt) {
    if (attempt == 1) return name;
    fs::path numbered = name.stem();
    numbered += "." + std::to_string(attempt);
    numbered += name.extension();
    return numbered;
}

bool IsSafeInPath(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~' || c == '/';
}

int MoveWithoutReplacing(const fs::path& from, const fs::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    // A file system that cannot promise not to replace: the name was found
    // free a moment ago, which is as close as it allows.
    struct stat info;
    if (::lstat(to.c_str(), &info) == 0) return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

}  // namespace

TrashPlaces TrashPlacesFromEnvironment() {
    TrashPlaces places;
    places.uid = ::getuid();
    if (const char* dataHome = std::getenv("XDG_DATA_HOME");
        dataHome && fs::path(dataHome).is_absolute()) {
        places.homeTrash = fs::path(dataHome) / "Trash";
        return places;
    }
    fs::path home;
    if (const char* variable = std::getenv("HOME"); variable && *variable) {
        home = variable;
    } else if (const passwd* user = ::getpwuid(places.uid); user && user->pw_dir) {
        home = user->pw_dir;
    }
    places.homeTrash = home / ".local" / "share" / "Trash";
    return places;
}

std::optional<TrashFolder> TopdirTrash(const fs::path& topdir, uid_t uid) {
    const std::string id = std::to_string(uid);
    // The administrator's shared trash, when it is what it must be: a real
    // folder (a link could lead anywhere) that only lets each user remove
    // their own entries.
    const fs::path shared = topdir / ".Trash";
    struct stat info;
    if (::lstat(shared.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && (info.st_mode & S_ISVTX) &&
        EnsureTrashFolders(shared / id, uid) == 0)
        return TrashFolder{shared / id, topdir};
    const fs::path own = topdir / (".Trash-" + id);
    if (EnsureTrashFolders(own, uid) == 0) return TrashFolder{own, topdir};
    return std::nullopt;
}

std::string TrashInfoText(const fs::path& recordedPath,
                          std::chrono::system_clock::time_point when) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    for (const char c : recordedPath.native()) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsSafeInPath(byte))
            escaped.push_back(c);
        else
            escaped += {'%', kHex[byte >> 4], kHex[byte & 15]};
    }
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    ::localtime_r(&seconds, &local);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
    return "[Trash Info]\nPath=" + escaped + "\nDeletionDate=" + date + "\n";
}

TrashResult MoveIntoTrash(const fs::path& file, const TrashFolder& trash,
                          std::chrono::system_clock::time_point when) {
    struct stat info;
    if (::lstat(file.c_str(), &info) != 0) return Failed(TrashFailure::kMissing, errno);
    const fs::path original = fs::absolute(file).lexically_normal();
    // Paths under the base are recorded relative to it; any other path,
    // and every path in the home trash, in full.
    fs::path recorded = original;
    if (!trash.base.empty()) {
        const fs::path relative = original.lexically_relative(trash.base);
        if (!relative.empty() && *relative.begin() != "..") recorded = relative;
    }
    if (const int error = EnsureTrashFolders(trash.folder, std::nullopt))
        return Failed(TrashFailure::kTrashNotWritable, error);
    const std::string text = TrashInfoText(recorded, when);

    for (int attempt = 1; attempt <= kMaxNameTries; ++attempt) {
        const fs::path name = CandidateName(original.filename(), attempt);
        fs::path infoPath = trash.folder / "info" / name;
        infoPath += ".trashinfo";
        // The info file is made first and exclusively: it claims the name
        // against any other program trashing at the same moment.
        FileHandle handle(::open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (!handle.IsOpen()) {
            if (errno == EEXIST) continue;
            return Failed(TrashFailure::kTrashNotWritable, errno);
        }
        const bool written = WriteAll(handle.Get(), text) && ::fsync(handle.Get()) == 0;
        const int writeError = errno;
        handle = FileHandle();
        if (!written) {
            ::unlink(infoPath.c_str());
            return Failed(TrashFailure::kTrashNotWritable, writeError);
        }
        const fs::path target = trash.folder / "files" / name;
        const int moveError = MoveWithoutReplacing(file, target);
        if (moveError == 0) {
            TrashResult result;
            result.trashed = target;
            result.info = infoPath;
            return result;
        }
        ::unlink(infoPath.c_str());
        if (moveError == EEXIST) continue;
        return Failed(moveError == ENOENT ? TrashFailure::kMissing : TrashFailure::kNotMoved,
                      moveError);
    }
    return Failed(TrashFailure::kTrashNotWritable, EEXIST);
}

TrashResult MoveToTrash(const fs::path& file, const TrashPlaces& places,
                        std::chrono::system_clock::time_point when) {
    struct stat info;
    if (::lstat(file.c_str(), &info) != 0) return Failed(TrashFailure::kMissing, errno);
    // The folder's own links resolved, the file itself (maybe a link) not:
    // the file system is the one the folder really is on.
    std::error_code error;
    const fs::path folder = fs::canonical(fs::absolute(file).parent_path(), error);
    if (error) return Failed(TrashFailure::kMissing, error.value());
    const fs::path real = folder / file.filename();

    if (DeviceOf(places.homeTrash) == info.st_dev) {
        fs::create_directories(places.homeTrash.parent_path(), error);
        if (error) return Failed(TrashFailure::kTrashNotWritable, error.value());
        return MoveIntoTrash(real, TrashFolder{places.homeTrash, {}}, when);
    }
    const auto trash = TopdirTrash(MountPointOf(folder, info.st_dev), places.uid);
    if (!trash) return Failed(TrashFailure::kNoTrash);
    return MoveIntoTrash(real, *trash, when);
}

}  // namespace tavik
