// `tavik-dict sort`: a dictionary file sorted in the lookup's order.
#pragma once

#include <string>
#include <vector>

namespace tavik::cli {

int RunSort(const std::vector<std::string>& args);

}  // namespace tavik::cli
