// stat and fstat, reduced to what tells files apart.
#include "text/file_identity.h"

namespace tavik {

FileIdentity IdentityOf(const struct stat& info) {
    FileIdentity identity;
    identity.device = uint64_t(info.st_dev);
    identity.inode = uint64_t(info.st_ino);
    identity.size = int64_t(info.st_size);
    identity.modifiedSeconds = int64_t(info.st_mtim.tv_sec);
    identity.modifiedNanoseconds = int64_t(info.st_mtim.tv_nsec);
    identity.changedSeconds = int64_t(info.st_ctim.tv_sec);
    identity.changedNanoseconds = int64_t(info.st_ctim.tv_nsec);
    return identity;
}

std::optional<FileIdentity> PathIdentity(const std::filesystem::path& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return IdentityOf(info);
}

std::optional<FileIdentity> HandleIdentity(const FileHandle& file) {
    struct stat info;
    if (!file.IsOpen() || ::fstat(file.Get(), &info) != 0) return std::nullopt;
    return IdentityOf(info);
}

}  // namespace tavik
