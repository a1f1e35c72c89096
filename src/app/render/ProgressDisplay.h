#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>

namespace Pellora::Render {

// Shows how far an export has come on stderr: a bar redrawn in place on a terminal, otherwise a
// plain line every 5 percent and one when the first frames are written, which tells a log that the
// show's preparation is over (logs and pipes get no carriage returns).
class ProgressDisplay {
public:
    ProgressDisplay(std::ostream& out, bool terminal);

    // Called now and then with the frames written so far and the frames the video will have
    // (0 while the show is still being prepared).
    void Update(std::int32_t done, std::int32_t total);
    // Ends the bar's line, so that what follows starts on a fresh one.
    void Finish();

private:
    // Frames written per second since progress was first seen; 0 while unknown.
    double FramesPerSecond(std::int32_t done) const;

    std::ostream& mOut;
    bool mTerminal;
    std::chrono::steady_clock::time_point mFirstFrame;
    std::int32_t mFramesAtFirst = -1; // frames written when the first progress was seen
    std::int32_t mLastStep = -1;      // last 5-percent step printed (plain lines only)
    bool mBarShown = false;
};

} // namespace Pellora::Render
