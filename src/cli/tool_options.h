// Options shared by the dictionary tools' commands.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "cli/options.h"
#include "text/codepage.h"

namespace tavik::cli {

// --codepage NAME when given (a CommandError for an unknown name); else the
// code page found in `dictionary` itself: UTF-8 when it reads as UTF-8,
// otherwise CP949.
CodePage CodePageOption(const Options& options, const std::filesystem::path& dictionary);

// --codepage NAME for a dictionary about to be written; UTF-8 when absent,
// which holds every character and is found again by the detection.
CodePage OutputCodePageOption(const Options& options);

// A non-negative count option; a CommandError when it is not a number.
int64_t CountOption(const Options& options, std::string_view name, int64_t fallback);

}  // namespace tavik::cli
