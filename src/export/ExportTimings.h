#pragma once

#include <chrono>

namespace Export {

// Where an export's time went, in seconds. The render thread writes the first three fields, the
// encoder thread the others; read them once the export has finished.
struct ExportTimings {
    double mPrepare = 0.0;     // render thread: reading the project, loading photos, laying out the show
    double mRender = 0.0;      // render thread: drawing every frame and reading it back
    double mRenderWait = 0.0;  // render thread: waiting until the encoder takes a frame
    double mEncode = 0.0;      // encoder thread: colour conversion, encoding, music and writing
    double mEncoderWait = 0.0; // encoder thread: waiting for a rendered frame
    double mTotal = 0.0;       // encoder thread: the whole export, from reading the project to the end
};

// Measures consecutive stretches of time on one thread.
class Stopwatch {
public:
    // Seconds since the previous lap (or since construction); starts the next lap.
    double Lap()
    {
        const auto now = std::chrono::steady_clock::now();
        const std::chrono::duration<double> elapsed = now - mLapStart;
        mLapStart = now;
        return elapsed.count();
    }

private:
    std::chrono::steady_clock::time_point mLapStart = std::chrono::steady_clock::now();
};

} // namespace Export
