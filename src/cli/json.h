// Writing JSON values for `tavik-dict --format json`.
#pragma once

#include <string>
#include <vector>

#include "text/text.h"

namespace tavik::cli {

// `text` as a JSON string literal, quotes included, in UTF-8.
std::string JsonString(TextView text);
// The same, appended to `out`.
void AppendJsonString(std::string& out, TextView text);

// `texts` as a JSON array of strings.
void AppendJsonStringArray(std::string& out, const std::vector<Text>& texts);
std::string JsonStringArray(const std::vector<Text>& texts);

}  // namespace tavik::cli
