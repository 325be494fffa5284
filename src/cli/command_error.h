// Failures the command-line tool reports with a one-line message and an
// exit status.
#pragma once

#include <stdexcept>
#include <string>

namespace tavik::cli {

inline constexpr int kExitAllFound = 0;
inline constexpr int kExitSomeMissing = 1;
inline constexpr int kExitFailure = 2;

// A wrong command line: exit status 2, and the message points to --help.
class CommandError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file named on the command line that cannot be used: exit status 2.
class FileError : public CommandError {
public:
    using CommandError::CommandError;
};

// Standard output cannot be written (a full disk, a closed pipe): exit
// status 2, whatever was found.
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws OutputError when an earlier write to standard output failed or
// the buffered rest cannot be written.
void FlushStandardOutput();

}  // namespace tavik::cli
