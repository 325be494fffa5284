// `tavik-dict check`: what is wrong with a dictionary file, line by line.
#pragma once

#include <string>
#include <vector>

namespace tavik::cli {

int RunCheck(const std::vector<std::string>& args);

}  // namespace tavik::cli
