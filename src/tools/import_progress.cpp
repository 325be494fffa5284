// Throttled progress reports.
#include "tools/import_progress.h"

#include <algorithm>

namespace tavik {

namespace {
constexpr double kReadingShare = 0.8;
}

double ImportProgress::Fraction() const {
    const double part = total == 0 ? 0.0 : std::min(1.0, double(done) / double(total));
    return phase == Phase::kReading ? kReadingShare * part
                                    : kReadingShare + (1 - kReadingShare) * part;
}

void ProgressReporter::Reading(uint64_t done, uint64_t total, int64_t entries) {
    m_last.entries = entries;
    Tell(ImportProgress::Phase::kReading, done, total, uint64_t(64) << 10);
}

void ProgressReporter::Writing(uint64_t done, uint64_t total) {
    Tell(ImportProgress::Phase::kWriting, done, total, 4096);
}

void ProgressReporter::Tell(ImportProgress::Phase phase, uint64_t done, uint64_t total,
                            uint64_t step) {
    step = std::max<uint64_t>(1, std::min(step, total / 100));
    const bool newPhase = !m_told || phase != m_last.phase;
    const bool complete = total > 0 && done >= total && m_last.done < total;
    if (!newPhase && !complete && done < m_last.done + step) return;
    m_last.phase = phase;
    m_last.done = done;
    m_last.total = total;
    m_told = true;
    if (!m_callback(m_last)) throw ImportCancelled();
}

}  // namespace tavik
