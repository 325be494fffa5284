// A memory bound the machine can honour.
#include "cli/memory_option.h"

#include <unistd.h>

#include <cstdint>
#include <string>

#include "cli/command_error.h"
#include "cli/tool_options.h"
#include "tools/external_sort.h"

namespace tavik::cli {

namespace {

// 0 when the system does not say.
int64_t PhysicalMegabytes() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0) return 0;
    return int64_t(pages) * int64_t(pageSize) >> 20;
}

}  // namespace

size_t MemoryOption(const Options& options) {
    const int64_t megabytes = CountOption(options, "--memory", int64_t(kDefaultSortMemory >> 20));
    if (megabytes < 1) throw CommandError("--memory needs at least 1 (MB)");
    const int64_t physical = PhysicalMegabytes();
    if (physical > 0 && megabytes > physical)
        throw CommandError("--memory " + std::to_string(megabytes) + " is more than the " +
                           std::to_string(physical) + " MB of memory this machine has");
    return size_t(megabytes) << 20;
}

}  // namespace tavik::cli
