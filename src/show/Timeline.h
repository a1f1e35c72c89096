#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <vector>

#include "transitions/PhotoGeometry.h"

namespace Rendering {

class PhotoAnimation;

// One slot of the show: which transition runs when, and how it moves. Times in seconds on the
// show's time axis.
struct TimelineEntry {
    PhotoAnimation* animation = nullptr; // owned by the game's component list
    float startTime = 0.0f;
    float endTime = 0.0f;
    float totalTime = 0.0f;
    float enterTime = 1.0f;
    float holdTime = 1.0f;
    float restTime = 1.0f;
    PhaseMode enterMode = PhaseMode::Reveal;
    PhaseMode leaveMode = PhaseMode::Reveal;
    bool leftToRight = false;
    MotionStyle motion = MotionStyle::Drop;
    int photoIndex = 0;
    std::vector<std::filesystem::path> photoPaths; // the slot's photos, for reports
};

// How the photo part of a show is divided into slots.
struct TimelineLayout {
    float timelineEnd = 0.0f; // last moment a slot may still be placed before (start + 2 < end)
    unsigned slotCount = 0;   // slots to fill
    float gap = 1.0f;         // pause before each slot, seconds
};

// Longest show the engine assembles; longer durations are clamped so that a corrupt project file
// cannot make the engine build millions of slots.
inline constexpr unsigned MaxShowDuration = 24 * 60 * 60;
inline constexpr unsigned MinShowDuration = 20;

// Length of the photo part: the duration (at least 20 s) less one second, less three seconds per
// end-credit photo when there are one to three of them.
float ComputeShowLength(unsigned duration, std::size_t endCreditCount);

TimelineLayout ComputeTimelineLayout(float showLength);

struct SlotMotion {
    bool leftToRight = false;
    MotionStyle motion = MotionStyle::Drop;
};

// The motion pattern of a slot from its photo index; portrait photos never use the corner motion.
SlotMotion MotionFor(int photoIndex, bool portrait);

// The entry covering show time t (both ends inside), found by bisection over entries sorted by
// start time.
std::optional<std::size_t> FindTimelineEntry(const std::vector<TimelineEntry>& entries, float t);

} // namespace Rendering
