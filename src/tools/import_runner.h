// Running one long dictionary job (an import, a sort, a check) on a worker
// thread, so that the window stays responsive: progress and the end are
// told from the worker, cancellation is asked from any thread. Whoever shows
// them must carry them to its own thread; the runner touches nothing else.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "tools/import_progress.h"

namespace tavik {

// How a job ended.
struct JobEnd {
    enum class Kind { kDone, kCancelled, kFailed };
    Kind kind = Kind::kDone;
    std::string error;  // kFailed: the message, naming the file and the place
};

class ImportRunner {
public:
    using Job = std::function<void(ProgressReporter& progress)>;
    using ProgressCallback = std::function<void(const ImportProgress&)>;
    using EndCallback = std::function<void(const JobEnd&)>;

    // Starts `job` at once. Both callbacks run on the worker; `onEnd` runs
    // exactly once, last. The job throws ToolError to fail and stops with
    // ImportCancelled when its progress is cancelled.
    ImportRunner(Job job, ProgressCallback onProgress, EndCallback onEnd);
    // Cancels and waits for the worker.
    ~ImportRunner();
    ImportRunner(const ImportRunner&) = delete;
    ImportRunner& operator=(const ImportRunner&) = delete;

    // The job stops at its next progress report.
    void Cancel() { m_cancelled = true; }
    bool Cancelled() const { return m_cancelled; }

private:
    void Run(Job job, ProgressCallback onProgress, EndCallback onEnd);

    std::atomic<bool> m_cancelled{false};
    std::thread m_worker;
};

}  // namespace tavik
