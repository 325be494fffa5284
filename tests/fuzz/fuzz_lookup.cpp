// The whole search on arbitrary dictionary bytes and an arbitrary word, in
// CP949 and UTF-8: it must end within its probe bound and never crash.
#include <cmath>
#include <cstdlib>

#include "dict/recorders.h"
#include "dict/search.h"
#include "fuzz/cpu_budget.h"
#include "fuzz/fuzz_input.h"

using namespace tavik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::CpuBudget budget;
    static fuzz::MemoryFile file;

    fuzz::FuzzInput input(data, size);
    const CodePage& codePage = fuzz::PickCodePage(input);
    const Text word = Trim(codePage.Decode(input.Piece(40)));
    const std::string_view bytes = input.Rest();
    file.Set(bytes);

    int probes = 0;
    LookupWord(file.Path(), codePage, word, probes);
    if (probes > 2 * int(std::log2(double(bytes.size()) + 1)) + 3) std::abort();

    RecordingNeighbourList list;
    RecordingPage page;
    RecordingMessages messages;
    EntryScreen screen{list, page, messages};
    LookUpAndShow(word, Dictionary{file.Path(), codePage}, "/home", screen);
    // At most the empty exact page and the nearest page.
    if (page.ClearCount() > 2 || messages.Messages().size() > 1) std::abort();
    return 0;
}
