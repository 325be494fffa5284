// The StarDict importer on arbitrary .ifo, .idx and .dict bytes.
#include "fuzz/cpu_budget.h"
#include "fuzz/fuzz_folder.h"
#include "fuzz/fuzz_importers.h"
#include "fuzz/fuzz_input.h"
#include "tools/importers.h"

using namespace tavik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::CpuBudget budget;
    static const CodePage utf8 = *CodePage::Named("UTF-8");
    // Small articles keep every input within the time budget; the real
    // bound's cut is the same code.
    ImportOptions options;
    options.articleLimit = 16 << 10;
    fuzz::FuzzInput input(data, size);
    const auto folder = fuzz::FuzzFolder() / "stardict";
    std::filesystem::remove_all(folder);
    const auto ifo = folder / "fuzz.ifo";
    fuzz::WriteBytes(ifo, input.Piece(200));
    fuzz::WriteBytes(folder / "fuzz.idx", input.Piece(255));
    fuzz::WriteBytes(folder / "fuzz.dict", input.Rest());
    fuzz::ImportAndCheck(folder / "out.txt", utf8, [&](DictionaryBuilder& builder) {
        ImportStarDict(ifo, builder, options);
    });
    return 0;
}
