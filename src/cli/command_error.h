// Failures the command-line tool reports with a one-line message and an
// exit status.
#pragma once

#include <stdexcept>
#include <string>

namespace tavik::cli {

inline constexpr int kExitAllFound = 0;
inline constexpr int kExitSomeMissing = 1;
inline constexpr int kExitFailure = 2;

// A wrong command line or a file that cannot be used: exit status 2.
class CommandError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace tavik::cli
