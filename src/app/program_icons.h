// The program icon as installed (data/icons), compiled into the program.
#pragma once

#include <cstddef>
#include <vector>

namespace tavik {

struct PngData {
    const unsigned char* bytes;
    std::size_t size;
};

// One PNG picture per installed size, smallest first.
const std::vector<PngData>& ProgramIconPngs();

}  // namespace tavik
