// Options shared by the dictionary tools' commands.
#pragma once

#include <cstdint>
#include <string_view>

#include "cli/options.h"
#include "text/codepage.h"

namespace tavik::cli {

// --codepage NAME, CP949 when absent; a CommandError for an unknown name.
CodePage CodePageOption(const Options& options);

// A non-negative count option; a CommandError when it is not a number.
int64_t CountOption(const Options& options, std::string_view name, int64_t fallback);

}  // namespace tavik::cli
