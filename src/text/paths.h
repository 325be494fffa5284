// Where the running program lives.
#pragma once

#include <filesystem>

namespace tavik {

// The folder of the running executable; empty if the system cannot tell.
std::filesystem::path ExecutableFolder();

}  // namespace tavik
