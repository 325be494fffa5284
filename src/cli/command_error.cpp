// Checking what reached standard output.
#include "cli/command_error.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tavik::cli {

void FlushStandardOutput() {
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return;
    const int error = errno;
    throw OutputError(std::string("cannot write to standard output") +
                      (error ? std::string(": ") + std::strerror(error) : std::string()));
}

}  // namespace tavik::cli
