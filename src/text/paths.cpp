// The executable's folder, from /proc/self/exe.
#include "text/paths.h"

#include <system_error>

namespace tavik {

std::filesystem::path ExecutableFolder() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : exe.parent_path();
}

}  // namespace tavik
