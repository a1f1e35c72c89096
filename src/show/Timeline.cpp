#include "show/Timeline.h"

#include <algorithm>
#include <array>

namespace Rendering {

namespace {
constexpr float SecondsBeforeCredits = 1.0f;
constexpr float SecondsPerCredit = 3.0f;
constexpr std::size_t MaxTimedCredits = 3;
constexpr float ClosingSeconds = 5.0f;
constexpr unsigned SecondsPerSlot = 5;

constexpr std::array<SlotMotion, 3> PortraitPattern = {{
    {true, MotionStyle::Side},
    {false, MotionStyle::Side},
    {false, MotionStyle::Drop},
}};
constexpr std::array<SlotMotion, 5> LandscapePattern = {{
    {false, MotionStyle::Drop},
    {true, MotionStyle::Corner},
    {false, MotionStyle::Corner},
    {true, MotionStyle::Side},
    {false, MotionStyle::Side},
}};
} // namespace

float ComputeShowLength(unsigned duration, std::size_t endCreditCount)
{
    const auto d = static_cast<float>(std::clamp(duration, MinShowDuration, MaxShowDuration));
    if (endCreditCount >= 1 && endCreditCount <= MaxTimedCredits) {
        return d - SecondsBeforeCredits - SecondsPerCredit * static_cast<float>(endCreditCount);
    }
    return d - SecondsBeforeCredits;
}

TimelineLayout ComputeTimelineLayout(float showLength)
{
    const float available = std::max(showLength - ClosingSeconds, 0.0f);
    const auto g = static_cast<unsigned>(available);
    TimelineLayout layout;
    layout.timelineEnd = static_cast<float>(g);
    layout.slotCount = g / SecondsPerSlot;
    if (layout.slotCount > 0) {
        layout.gap = static_cast<float>(g % SecondsPerSlot) / static_cast<float>(layout.slotCount) + 1.0f;
    }
    return layout;
}

SlotMotion MotionFor(int photoIndex, bool portrait)
{
    const auto v = static_cast<std::size_t>(std::max(photoIndex, 0));
    return portrait ? PortraitPattern[v % PortraitPattern.size()] : LandscapePattern[v % LandscapePattern.size()];
}

std::optional<std::size_t> FindTimelineEntry(const std::vector<TimelineEntry>& entries, float t)
{
    const auto covers = [t](const TimelineEntry& e) { return e.startTime <= t && t <= e.endTime; };
    const auto first = std::lower_bound(entries.begin(), entries.end(), t,
        [](const TimelineEntry& e, float time) { return e.startTime < time; });
    if (first != entries.end() && covers(*first)) {
        return static_cast<std::size_t>(first - entries.begin());
    }
    if (first != entries.begin() && covers(*std::prev(first))) {
        return static_cast<std::size_t>(std::prev(first) - entries.begin());
    }
    return std::nullopt;
}

} // namespace Rendering
