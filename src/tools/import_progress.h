// How far an import has come, told to whoever shows it (a progress bar on a
// terminal, a progress dialog), who may also cancel it. A cancelled import
// throws ImportCancelled and leaves nothing at its output.
#pragma once

#include <cstdint>
#include <functional>

#include "tools/tool_error.h"

namespace tavik {

struct ImportProgress {
    enum class Phase { kReading, kWriting };
    Phase phase = Phase::kReading;
    uint64_t done = 0;    // reading: bytes of the input; writing: lines written
    uint64_t total = 0;   // the same, all of it (0 when unknown)
    int64_t entries = 0;  // entries read so far

    // Of the whole import, from 0 to 1: reading takes the first 80 %.
    double Fraction() const;
};

class ImportCancelled : public ToolError {
public:
    ImportCancelled() : ToolError("the import was cancelled") {}
};

class ProgressReporter {
public:
    // `callback` returns false to cancel the import.
    using Callback = std::function<bool(const ImportProgress&)>;
    explicit ProgressReporter(Callback callback) : m_callback(std::move(callback)) {}

    // Tells the callback often enough for a smooth display (about every
    // 1 % or 64 KiB, and always at the end of each phase) and no more.
    // Throws ImportCancelled when the callback says so.
    void Reading(uint64_t done, uint64_t total, int64_t entries);
    void Writing(uint64_t done, uint64_t total);

private:
    void Tell(ImportProgress::Phase phase, uint64_t done, uint64_t total, uint64_t byteStep);

    Callback m_callback;
    ImportProgress m_last;
    bool m_told = false;
};

}  // namespace tavik
