// Drawing the bar at most ten times a second.
#include "cli/progress_bar.h"

#include <unistd.h>

#include <string>

namespace tavik::cli {

namespace {

constexpr int kWidth = 30;

std::string Clock(double seconds) {
    const long whole = long(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

}  // namespace

ProgressBar::ProgressBar(FILE* stream)
    : m_stream(stream), m_start(std::chrono::steady_clock::now()) {
    if (::isatty(::fileno(stream)))
        m_reporter = std::make_unique<ProgressReporter>([this](const ImportProgress& progress) {
            Draw(progress);
            return true;
        });
}

ProgressBar::~ProgressBar() { Clear(); }

void ProgressBar::Clear() {
    if (!m_drawn) return;
    std::fprintf(m_stream, "\r%*s\r", kWidth + 48, "");
    std::fflush(m_stream);
    m_drawn = false;
}

void ProgressBar::Draw(const ImportProgress& progress) {
    const auto now = std::chrono::steady_clock::now();
    const double fraction = progress.Fraction();
    if (m_drawn && fraction < 1.0 && now - m_lastDraw < std::chrono::milliseconds(100)) return;
    m_lastDraw = now;
    const double elapsed = std::chrono::duration<double>(now - m_start).count();
    const int filled = int(fraction * kWidth);
    std::string bar(size_t(filled), '=');
    if (filled < kWidth) bar += '>';
    bar.resize(kWidth, ' ');
    std::string rate;
    if (elapsed > 0 && progress.phase == ImportProgress::Phase::kReading) {
        char text[32];
        std::snprintf(text, sizeof text, "%.1f MB/s", double(progress.done) / elapsed / 1e6);
        rate = text;
    } else if (elapsed > 0) {
        rate = "writing";
    }
    const std::string left =
        fraction > 0.01 ? Clock(elapsed * (1 - fraction) / fraction) + " left" : "";
    std::fprintf(m_stream, "\r%3d%% [%s] %-12s %-12s", int(fraction * 100), bar.c_str(),
                 rate.c_str(), left.c_str());
    std::fflush(m_stream);
    m_drawn = true;
}

}  // namespace tavik::cli
