#include "framework/FrameClock.h"

#include <chrono>
#include <utility>

namespace Library
{
namespace
{
double SteadyMilliseconds()
{
    using Milliseconds = std::chrono::duration<double, std::milli>;
    return std::chrono::duration_cast<Milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
}

FrameClock::FrameClock(MillisecondCounter counter)
    : mCounter(counter ? std::move(counter) : MillisecondCounter(SteadyMilliseconds))
{
    Restart();
}

double FrameClock::Now() const
{
    return mCounter() / ticksPerSecond;
}

void FrameClock::Restart()
{
    start = Now();
    current = start;
    last = start;
}

void FrameClock::ShiftTo(double target)
{
    // Measured against the live counter rather than the last tick, so the next tick lands exactly
    // on target however long ago that tick was.
    FoldPauseSoFar();
    pausedTotal = Now() - start - target;
}

void FrameClock::FoldPauseSoFar()
{
    // Without this, real time that passed while paused would leak into the next tick whenever a
    // paused show is stepped or seeked, and the later resume would move the time axis backwards.
    if (paused) {
        const double now = Now();
        pausedTotal += now - pauseStart;
        pauseStart = now;
    }
}

void FrameClock::Tick(FrameTime& frameTime)
{
    current = fixedStep > 0.0 ? current + fixedStep : Now() - pausedTotal;
    frameTime.now = current;
    frameTime.sinceStart = current - start;
    frameTime.sinceLast = current - last;
    last = current;
}

void FrameClock::RunFrame(bool pausedNow, bool& stepOnce, FrameTime& frameTime)
{
    if (pausedNow && !paused) {
        pauseStart = Now();
    }
    if (!pausedNow && paused) {
        pausedTotal += Now() - pauseStart;
    }
    paused = pausedNow;
    if (!pausedNow) {
        Tick(frameTime);
    }
    if (stepOnce) {
        FoldPauseSoFar();
        Tick(frameTime);
        stepOnce = false;
    }
    frameTime.paused = pausedNow;
}
}
