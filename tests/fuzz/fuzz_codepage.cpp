// Code-page conversion: decoding any bytes never fails, and whatever decodes
// cleanly encodes back to the same bytes.
#include <cstdlib>

#include "fuzz/fuzz_input.h"
#include "text/codepage.h"

using namespace tavik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const CodePage cp949 = CodePage::Default();
    static const CodePage utf8 = *CodePage::Named("UTF-8");
    fuzz::FuzzInput input(data, size);
    const CodePage& codePage = input.Byte() & 1 ? utf8 : cp949;
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
