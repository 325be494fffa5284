// The picture-header probe on arbitrary files: it ends quickly (the run's
// time budget), reads nothing past the file, and any size it reports is a
// real one.
#include <cstdlib>

#include "app/picture_probe.h"
#include "fuzz/cpu_budget.h"
#include "fuzz/fuzz_input.h"

using namespace tavik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::CpuBudget budget;
    static fuzz::MemoryFile file;
    file.Set(fuzz::FuzzInput(data, size).Rest());
    std::optional<FileHandle> handle = OpenRegularFileForReading(file.Path());
    if (!handle) std::abort();
    const std::optional<PictureHeader> header = ProbePicture(*handle);
    if (header && (header->width <= 0 || header->height <= 0 || header->totalPixels < 0))
        std::abort();
    return 0;
}
