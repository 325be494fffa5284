// The skin layout scan on arbitrary skin files.
#include <cstdlib>

#include "config/skin_layout.h"
#include "fuzz/cpu_budget.h"
#include "fuzz/fuzz_folder.h"
#include "fuzz/fuzz_input.h"

using namespace tavik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::CpuBudget budget;
    const auto home = fuzz::FuzzFolder() / "home";
    fuzz::WriteBytes(SkinFilePath(home), fuzz::FuzzInput(data, size).Rest());
    const SkinLayout layout = LoadSkinLayout(home);
    (void)layout;
    return 0;
}
