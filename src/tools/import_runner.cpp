// The worker thread of a dictionary job.
#include "tools/import_runner.h"

#include <new>

#include "tools/tool_error.h"

namespace tavik {

ImportRunner::ImportRunner(Job job, ProgressCallback onProgress, EndCallback onEnd)
    : m_worker(&ImportRunner::Run, this, std::move(job), std::move(onProgress), std::move(onEnd)) {}

ImportRunner::~ImportRunner() {
    Cancel();
    if (m_worker.joinable()) m_worker.join();
}

void ImportRunner::Run(Job job, ProgressCallback onProgress, EndCallback onEnd) {
    JobEnd end;
    ProgressReporter reporter([&](const ImportProgress& progress) {
        if (m_cancelled) return false;
        if (onProgress) onProgress(progress);
        return !m_cancelled;
    });
    try {
        // A cancel before the first report still stops the job.
        if (m_cancelled) throw ImportCancelled();
        // A job that got to its end has written its result: it is done even
        // when a cancel came too late to stop it.
        job(reporter);
    } catch (const ImportCancelled&) {
        end.kind = JobEnd::Kind::kCancelled;
    } catch (const std::bad_alloc&) {
        end = {JobEnd::Kind::kFailed, "out of memory"};
    } catch (const std::exception& error) {
        end = {JobEnd::Kind::kFailed, error.what()};
    }
    if (onEnd) onEnd(end);
}

}  // namespace tavik
