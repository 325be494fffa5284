// The page bounds on arbitrary markup: the bounded page is within every
// bound, bounding it again changes nothing, and a page left alone was
// within the bounds already.
#include <cstdlib>

#include "dict/page_bounds.h"
#include "fuzz/cpu_budget.h"
#include "fuzz/fuzz_input.h"

using namespace tavik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::CpuBudget budget;
    fuzz::FuzzInput input(data, size);
    // UTF-8 as a dictionary gives it, or raw code units (lone surrogates too).
    Text page;
    if (input.Byte() & 1) {
        page = FromUtf8(input.Rest());
    } else {
        const std::string_view rest = input.Rest();
        for (size_t i = 0; i + 1 < rest.size(); i += 2)
            page.push_back(char16_t(uint8_t(rest[i]) | uint8_t(rest[i + 1]) << 8));
    }
    const std::optional<Text> bounded = BoundPage(page);
    if (!bounded) {
        if (!WithinPageBounds(MeasurePage(page))) std::abort();
        return 0;
    }
    if (!WithinPageBounds(MeasurePage(*bounded))) std::abort();
    if (BoundPage(*bounded).has_value()) std::abort();
    return 0;
}
