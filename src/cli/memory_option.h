// The --memory option of the dictionary tools that sort.
#pragma once

#include <cstddef>

#include "cli/options.h"

namespace tavik::cli {

// --memory MB as bytes, the sort's default when absent. A CommandError for
// less than 1 MB or more than the machine's physical memory.
size_t MemoryOption(const Options& options);

}  // namespace tavik::cli
