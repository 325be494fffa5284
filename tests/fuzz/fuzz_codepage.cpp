// Code-page conversion: decoding any bytes never fails, and whatever decodes
// cleanly encodes back to the same bytes.
#include <cstdlib>

#include "fuzz/cpu_budget.h"
#include "fuzz/fuzz_input.h"
#include "text/codepage.h"

using namespace tavik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::CpuBudget budget;
    fuzz::FuzzInput input(data, size);
    const CodePage& codePage = fuzz::PickCodePage(input);
    const std::string_view bytes = input.Rest();
    const Text text = codePage.Decode(bytes);
    if (text.size() > bytes.size()) std::abort();
    if (text.find(u'\uFFFD') == Text::npos) {
        const auto back = codePage.Encode(text);
        if (!back || *back != bytes) std::abort();
    }
    if (ToUtf8(text).empty() != text.empty()) std::abort();
    return 0;
}
