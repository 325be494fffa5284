// A progress bar on standard error for the long commands (import, sort):
// percent, rate and time left, redrawn in place; nothing at all when
// standard error is not a terminal.
#pragma once

#include <chrono>
#include <cstdio>
#include <memory>

#include "tools/import_progress.h"

namespace tavik::cli {

class ProgressBar {
public:
    // Draws only when `stream` is a terminal.
    explicit ProgressBar(FILE* stream = stderr);
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    // The reporter to hand to the import or the sort; nullptr when nothing
    // is drawn.
    ProgressReporter* Reporter() { return m_reporter.get(); }
    // Clears the bar, so the summary line that follows stands alone.
    void Clear();

private:
    void Draw(const ImportProgress& progress);

    FILE* m_stream;
    std::unique_ptr<ProgressReporter> m_reporter;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_lastDraw;
    bool m_drawn = false;
};

}  // namespace tavik::cli
