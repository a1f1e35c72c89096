#include "show/Timeline.h"

#include "show/PhotoPicker.h"

#include <gtest/gtest.h>

#include <tuple>

namespace Rendering {
namespace {

struct LayoutCase {
    unsigned duration;
    std::size_t credits;
    float showLength;
    float timelineEnd;
    unsigned slots;
    float gap;
};

class TimelineLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(TimelineLayoutTest, DividesThePhotoPartIntoSlots)
{
    const auto& c = GetParam();
    const float showLength = ComputeShowLength(c.duration, c.credits);
    EXPECT_FLOAT_EQ(showLength, c.showLength);
    const auto layout = ComputeTimelineLayout(showLength);
    EXPECT_FLOAT_EQ(layout.timelineEnd, c.timelineEnd);
    EXPECT_EQ(layout.slotCount, c.slots);
    EXPECT_FLOAT_EQ(layout.gap, c.gap);
}

INSTANTIATE_TEST_SUITE_P(Durations, TimelineLayoutTest,
    testing::Values(LayoutCase{30, 0, 29, 24, 4, 2},    // the plain 30-second show
        LayoutCase{10, 0, 19, 14, 2, 3},                // short durations count as 20
        LayoutCase{0, 0, 19, 14, 2, 3},                 //
        LayoutCase{30, 2, 23, 18, 3, 2},                // two credits take three seconds each
        LayoutCase{20, 3, 10, 5, 1, 1},                 // the shortest layout still has a slot
        LayoutCase{30, 4, 29, 24, 4, 2},                // more than three credits take no time
        LayoutCase{4000000000u, 0, 86399, 86394, 17278, 1.0f + 4.0f / 17278})); // clamped

TEST(TimelineLayout, ShowShorterThanClosingHasNoSlots)
{
    const auto layout = ComputeTimelineLayout(3.0f);
    EXPECT_EQ(layout.slotCount, 0u);
    EXPECT_FLOAT_EQ(layout.timelineEnd, 0.0f);
}

TEST(MotionPattern, FollowsThePhotoIndexAndOrientation)
{
    const std::tuple<int, bool, bool, MotionStyle> cases[] = {
        {0, true, true, MotionStyle::Side},
        {1, true, false, MotionStyle::Side},
        {2, true, false, MotionStyle::Drop},
        {3, true, true, MotionStyle::Side},
        {0, false, false, MotionStyle::Drop},
        {1, false, true, MotionStyle::Corner},
        {2, false, false, MotionStyle::Corner},
        {3, false, true, MotionStyle::Side},
        {4, false, false, MotionStyle::Side},
        {5, false, false, MotionStyle::Drop},
    };
    for (const auto& [index, portrait, leftToRight, motion] : cases) {
        const auto m = MotionFor(index, portrait);
        EXPECT_EQ(m.leftToRight, leftToRight) << index << (portrait ? " portrait" : " landscape");
        EXPECT_EQ(m.motion, motion) << index << (portrait ? " portrait" : " landscape");
    }
}

TEST(FindTimelineEntry, BothSlotEndsCountAndGapsHaveNoEntry)
{
    std::vector<TimelineEntry> entries(2);
    entries[0].startTime = 2;
    entries[0].endTime = 6;
    entries[1].startTime = 8;
    entries[1].endTime = 13;
    const std::pair<float, std::optional<std::size_t>> cases[] = {
        {0.0f, std::nullopt}, {2.0f, 0}, {4.0f, 0}, {6.0f, 0}, {6.01f, std::nullopt},
        {8.0f, 1}, {13.0f, 1}, {13.5f, std::nullopt},
    };
    for (const auto& [t, expected] : cases) {
        EXPECT_EQ(FindTimelineEntry(entries, t), expected) << "t = " << t;
    }
    EXPECT_EQ(FindTimelineEntry({}, 1.0f), std::nullopt);
}

PickedPhotos Picked(std::initializer_list<int> indices)
{
    PickedPhotos picked;
    for (int i : indices) {
        picked.push_back(i < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(i)));
    }
    return picked;
}

TEST(PhotoPicker, SinglePhotosWalkThroughAllPhotos)
{
    PhotoPicker picker;
    picker.Reset({{800, 600}, {600, 800}, {800, 600}});
    EXPECT_EQ(picker.Pick(1), Picked({0, -1, -1}));
    EXPECT_EQ(picker.Pick(1), Picked({1, -1, -1}));
    EXPECT_EQ(picker.Pick(1), Picked({2, -1, -1}));
    EXPECT_EQ(picker.Pick(1), Picked({0, -1, -1}));
}

TEST(PhotoPicker, GroupsAreOrderedBySizeAndKeepProjectOrder)
{
    PhotoPicker picker;
    picker.Reset({{800, 600}, {600, 800}, {800, 600}, {600, 800}});
    ASSERT_EQ(picker.SizeGroups().size(), 2u);
    EXPECT_EQ(picker.SizeGroups().begin()->first, (PhotoSize{600, 800}));
    EXPECT_EQ(picker.SizeGroups().begin()->second, (std::vector<std::size_t>{1, 3}));
}

TEST(PhotoPicker, MultiPhotoPicksStayInsideOneSizeGroup)
{
    PhotoPicker picker;
    // group (100, 50): photos 1, 2, 4, 5; group (50, 100): photos 0 and 3
    picker.Reset({{50, 100}, {100, 50}, {100, 50}, {50, 100}, {100, 50}, {100, 50}});
    EXPECT_TRUE(picker.HasGroupOf(2));
    EXPECT_TRUE(picker.HasGroupOf(3));
    EXPECT_FALSE(picker.HasGroupOf(6));
    // Two groups hold two photos: the group cursor alternates, the offset is shared.
    EXPECT_EQ(picker.Pick(2), Picked({0, 3, -1}));
    EXPECT_EQ(picker.Pick(2), Picked({4, 5, -1}));
    // Only one group holds three: no group cursor step, offset 4 wraps around the group.
    EXPECT_EQ(picker.Pick(3), Picked({1, 2, 4}));
    EXPECT_EQ(picker.Pick(2), Picked({3, 0, -1}));
    EXPECT_EQ(picker.Pick(6), PickedPhotos{});
}

TEST(PhotoPicker, NoPhotosGiveEmptyPicks)
{
    PhotoPicker picker;
    picker.Reset({});
    for (int n : {1, 2, 3, 6, 0, 7}) {
        EXPECT_TRUE(picker.Pick(n).empty()) << n;
        EXPECT_FALSE(picker.HasGroupOf(n)) << n;
    }
}

} // namespace
} // namespace Rendering
