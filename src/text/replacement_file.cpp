// A new file beside the target, written, flushed and renamed over it.
#include "text/replacement_file.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace tavik {

namespace {

// Makes the rename itself survive a crash. Failing here changes nothing the
// caller could act on: the new content is already in place.
void SyncFolder(const std::filesystem::path& folder) {
    const FileHandle handle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (handle.IsOpen()) ::fsync(handle.Get());
}

}  // namespace

std::optional<ReplacementFile> ReplacementFile::Create(const std::filesystem::path& target,
                                                       const struct stat& targetInfo,
                                                       std::string_view tag) {
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    // A unique name created exclusively: nothing planted in the folder is
    // followed or shared, and two writers never meet in one file.
    std::string name =
        (folder / ("." + target.filename().string() + "." + std::string(tag) + "XXXXXX")).string();
    FileHandle file(::mkostemp(name.data(), O_CLOEXEC));
    if (!file.IsOpen()) return std::nullopt;
    ReplacementFile replacement(std::move(file), name, target);
    // The replacement keeps the skin author's owner where the system allows
    // it; otherwise it is owned by whoever rewrote it, as any saved file is.
    if (targetInfo.st_uid != ::geteuid() || targetInfo.st_gid != ::getegid()) {
        [[maybe_unused]] const int kept =
            ::fchown(replacement.m_file.Get(), targetInfo.st_uid, targetInfo.st_gid);
    }
    if (::fchmod(replacement.m_file.Get(), targetInfo.st_mode & 07777) != 0) return std::nullopt;
    return replacement;
}

std::optional<ReplacementFile> ReplacementFile::Create(const std::filesystem::path& target,
                                                       std::string_view tag) {
    struct stat info;
    if (::stat(target.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        info = {};
        info.st_mode = 0666 & ~mask;
        info.st_uid = ::geteuid();
        info.st_gid = ::getegid();
    }
    return Create(target, info, tag);
}

ReplacementFile::ReplacementFile(ReplacementFile&& other) noexcept
    : m_file(std::move(other.m_file)),
      m_path(std::move(other.m_path)),
      m_target(std::move(other.m_target)),
      m_failed(other.m_failed),
      m_committed(other.m_committed) {
    other.m_committed = true;  // the moved-from object owns no file any more
}

ReplacementFile::~ReplacementFile() {
    if (!m_committed) ::unlink(m_path.c_str());
}

bool ReplacementFile::Write(std::string_view bytes) {
    if (!m_failed && !WriteAll(m_file.Get(), bytes)) m_failed = true;
    return !m_failed;
}

bool ReplacementFile::Commit() {
    if (m_failed || ::fsync(m_file.Get()) != 0) return false;
    if (::close(m_file.Release()) != 0) return false;
    if (::rename(m_path.c_str(), m_target.c_str()) != 0) return false;
    m_committed = true;
    SyncFolder(m_path.has_parent_path() ? m_path.parent_path() : std::filesystem::path("."));
    return true;
}

}  // namespace tavik
