// The failure the dictionary tools report: a file that cannot be used, or
// input they refuse, with a message that names the file and the reason.
#pragma once

#include <stdexcept>

namespace tavik {

class ToolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace tavik
