// The dictd importer on arbitrary index and data bytes, plain or dictzip.
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
    const bool dictzip = input.Byte() & 1;
    const auto folder = fuzz::FuzzFolder() / "dictd";
    const auto index = folder / "fuzz.index";
    const auto dict = folder / (dictzip ? "fuzz.dict.dz" : "fuzz.dict");
    fuzz::WriteBytes(index, input.Piece(255));
    fuzz::WriteBytes(dict, input.Rest());
    fuzz::ImportAndCheck(folder / "out.txt", utf8, [&](DictionaryBuilder& builder) {
        ImportDictd(index, dict, builder, options);
    });
    return 0;
}
