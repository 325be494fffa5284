// `tavik-dict import`: a Tavik dictionary from a dictd, StarDict or
// tab-separated dictionary.
#pragma once

#include <string>
#include <vector>

namespace tavik::cli {

int RunImport(const std::vector<std::string>& args);

}  // namespace tavik::cli
