#include "ProgressDisplay.h"

#include <cstdio>
#include <string>

namespace Pellora::Render {

namespace {

constexpr int kBarWidth = 30;
constexpr int kPercentStep = 5;

std::string Clock(double seconds)
{
    const auto whole = static_cast<long long>(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
    return text;
}

} // namespace

ProgressDisplay::ProgressDisplay(std::ostream& out, bool terminal)
    : mOut(out)
    , mTerminal(terminal)
{
}

double ProgressDisplay::FramesPerSecond(std::int32_t done) const
{
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - mFirstFrame;
    if (mFramesAtFirst < 0 || done <= mFramesAtFirst || elapsed.count() <= 0.0) {
        return 0.0;
    }
    return (done - mFramesAtFirst) / elapsed.count();
}

void ProgressDisplay::Update(std::int32_t done, std::int32_t total)
{
    if (total <= 0) {
        return;
    }
    const bool firstFrames = mFramesAtFirst < 0 && done > 0;
    if (firstFrames) {
        mFramesAtFirst = done;
        mFirstFrame = std::chrono::steady_clock::now();
    }
    const double fraction = static_cast<double>(done) / total;
    const double fps = FramesPerSecond(done);
    const std::string left = fps > 0.0 ? Clock((total - done) / fps) + " left" : "--:-- left";
    char figures[128];
    std::snprintf(figures, sizeof figures, "%d/%d frames %3d%%  %.1f fps  %s", done, total,
        static_cast<int>(fraction * 100.0), fps, left.c_str());
    if (mTerminal) {
        const int filled = static_cast<int>(fraction * kBarWidth);
        mOut << "\r[" << std::string(filled, '#') << std::string(kBarWidth - filled, '.') << "] " << figures
             << "\033[K" << std::flush;
        mBarShown = true;
        return;
    }
    const int step = static_cast<int>(fraction * 100.0) / kPercentStep;
    if (step != mLastStep || firstFrames) {
        mLastStep = step;
        mOut << "pellora-render: " << figures << "\n" << std::flush;
    }
}

void ProgressDisplay::Finish()
{
    if (mBarShown) {
        mOut << "\n" << std::flush;
        mBarShown = false;
    }
}

} // namespace Pellora::Render
