// What every importer fuzz target checks: corrupt input is a ToolError, and
// whatever is imported makes a dictionary that `check` finds clean.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <functional>

#include "text/codepage.h"
#include "tools/dictionary_builder.h"
#include "tools/dictionary_check.h"
#include "tools/tool_error.h"

namespace tavik::fuzz {

inline void ImportAndCheck(const std::filesystem::path& output, const CodePage& codePage,
                           const std::function<void(DictionaryBuilder&)>& import) {
    try {
        DictionaryBuilder builder(codePage, output, size_t(1) << 20);
        import(builder);
        builder.Finish();
    } catch (const ToolError&) {
        return;  // refused with a message: fine
    }
    const CheckSummary summary = CheckDictionary(output, codePage, [](const Problem& problem) {
        std::fprintf(stderr, "line %lld: %s: %s\n", static_cast<long long>(problem.line),
                     FaultName(problem.fault), problem.message.c_str());
    });
    if (!summary.Clean()) std::abort();
}

}  // namespace tavik::fuzz
