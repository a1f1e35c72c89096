#pragma once

#include <functional>

namespace Library
{
// What every component's Advance and Render receive. Seconds.
struct FrameTime
{
    double now = 0.0;
    double sinceStart = 0.0; // position on the show's time axis
    double sinceLast = 0.0;  // length of the last step
    bool paused = false;
};

// The game's clock. The fields are open because seeking (the preview) adjusts pausedTotal and
// pauseStart directly; all values are seconds except the counter, which reads milliseconds.
class FrameClock
{
public:
    using MillisecondCounter = std::function<double()>;

    // The counter defaults to a monotonic millisecond clock; tests pass their own.
    explicit FrameClock(MillisecondCounter counter = {});

    // Counter reading in seconds.
    double Now() const;
    // start, current and last become now: the show's time axis begins again.
    void Restart();
    // Seek: the time axis continues from target (seconds since start) at the next tick.
    void ShiftTo(double target);
    // One tick: fixed step when set, else real time minus pauses.
    void Tick(FrameTime& frameTime);
    // The clock part of one frame: pause bookkeeping, the tick, the step-once tick.
    void RunFrame(bool pausedNow, bool& stepOnce, FrameTime& frameTime);

    double start = 0.0;
    double current = 0.0;
    double last = 0.0;
    double ticksPerSecond = 1000.0;
    double pauseStart = 0.0;
    double pausedTotal = 0.0;
    bool paused = false;
    double fixedStep = 0.0;

private:
    void FoldPauseSoFar();

    MillisecondCounter mCounter;
};
}
