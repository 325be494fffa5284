// What `tavik` does with its command line before the window exists:
// --help and --version need no display, and a home that does not exist is
// said before any window opens.
#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tavik {

// Handles --help, --version and an unusable home (--home or TAVIK_HOME).
// Returns the exit status when the program should end here (0 after help
// or version, 2 for an unusable home or a failed write), nothing when the
// window should start. Remembers the --home value for StartHomeOption().
std::optional<int> HandleStartCommandLine(const std::vector<std::string>& args, std::FILE* out,
                                          std::FILE* err);

// The --home given on the command line, with its bytes as they came.
const std::optional<std::filesystem::path>& StartHomeOption();

}  // namespace tavik
