// `tavik-dict lookup`: the search of the window, without a window.
#pragma once

#include <string>
#include <vector>

namespace tavik::cli {

// Runs the lookup command with the arguments after "lookup". Returns the
// exit status; throws CommandError for usage errors and unusable files.
int RunLookup(const std::vector<std::string>& args);

}  // namespace tavik::cli
