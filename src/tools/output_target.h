// Where a dictionary tool writes its result. A regular file (or a new one)
// is replaced through a temporary file beside it, a symbolic link followed to
// the file it names; a pipe, a FIFO or a character device (/dev/stdout,
// /dev/null) is written as it stands, never replaced by a regular file.
// Temporary files carry the process id, so a later run for the same output
// finds and removes what a killed run left behind.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tavik {

struct OutputTarget {
    // The file to replace or to open, links followed where they can be.
    std::filesystem::path path;
    // Written directly, without a temporary file and a rename.
    bool direct = false;
    // An already open descriptor to write to (/dev/stdout, /dev/fd/N).
    std::optional<int> descriptor;
    // The folder for temporary files and runs of the sort.
    std::filesystem::path scratch;
};

// Throws ToolError for a folder, a block device, a socket or a path that
// cannot be examined.
OutputTarget ResolveOutput(const std::filesystem::path& requested);

// What marks this process's temporary files of one kind: "<kind>-<pid>-".
std::string TemporaryTag(const char* kind);

// A mkstemp/mkdtemp pattern in the scratch folder of `target`:
// "<scratch>/.<name>.<kind>-<pid>-XXXXXX".
std::string TemporaryPattern(const OutputTarget& target, const char* kind);

// Removes what earlier runs for `target` left in its scratch folder: files
// and folders named by TemporaryPattern, owned by this user, whose process is
// no longer running. Returns how many were removed.
int RemoveLeftovers(const OutputTarget& target);

}  // namespace tavik
