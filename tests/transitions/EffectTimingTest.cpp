#include "ColorVerticalSwipePhoto.h"
#include "TintColors.h"
#include "TintPhoto.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace Rendering {
namespace {

TEST(TintColorsTest, ColoursAreStoredAsHsv)
{
    const CColorBufferPerObject colours = CColorBufferPerObject::TintColors();
    const std::array<std::array<float, 4>, 4> expected{{{344.8624f, 0.9603524f, 0.8901961f, 0.0f},
        {55.80786f, 0.991342f, 0.90588236f, 0.0f}, {172.54903f, 0.91071427f, 0.65882355f, 0.0f},
        {212.95775f, 0.91810346f, 0.9098039f, 0.0f}}};
    const std::array<std::array<float, 4>, 4> got{colours.s_color1, colours.s_color2, colours.s_color3, colours.s_color4};
    for (std::size_t i = 0; i < 4; ++i) {
        for (std::size_t c = 0; c < 4; ++c) {
            EXPECT_NEAR(got[i][c], expected[i][c], 1e-3f) << i << "/" << c;
        }
    }
    EXPECT_EQ(RgbToHsv(90, 90, 90), (std::array<float, 4>{0.0f, 0.0f, 90 / 255.0f, 0.0f}));
    CColorBufferPerObject withOpacity = colours;
    withOpacity.SetOpacity(0.7f);
    EXPECT_FLOAT_EQ(withOpacity.s_color4[3], 0.7f);
    EXPECT_FLOAT_EQ(withOpacity.s_color4[0], colours.s_color4[0]);
}

struct SwipeCase
{
    float elapsed;
    float ani, swipe;
};

class SwipeHoldTest : public testing::TestWithParam<SwipeCase> {};

// The show's timing for the swipe: enter 1, hold 2, rest 1.
TEST_P(SwipeHoldTest, SweepsFillTheFirstHalfOfTheHoldAndTheWipeOffTheSecond)
{
    const auto& c = GetParam();
    const SwipeProgress progress = HoldSwipeProgress(c.elapsed, {1.0f, 2.0f, 1.0f});
    EXPECT_NEAR(progress.ani, c.ani, 1e-5f);
    EXPECT_NEAR(progress.swipe, c.swipe, 1e-5f);
}

INSTANTIATE_TEST_SUITE_P(Elapsed, SwipeHoldTest,
    testing::Values(SwipeCase{1.0f, 0.0f, 0.0f}, SwipeCase{1.5f, 0.5f, 0.0f}, SwipeCase{2.0f, 1.0f, 0.0f},
        SwipeCase{2.5f, 1.0f, 0.5f}, SwipeCase{3.0f, 1.0f, 1.0f}, SwipeCase{3.7f, 1.0f, 1.0f}));

// The show's 2 s hold: the effect runs over the hold and rests at exactly 1 through the rest time.
TEST(HoldProgressTest, RunsOverTheHoldAndStaysAtOneThroughTheRest)
{
    const PhaseTimes show{1.0f, 2.0f, 1.0f};
    for (const auto& [elapsed, progress] : std::vector<std::pair<float, float>>{
             {1.0f, 0.0f}, {1.5f, 0.25f}, {2.9f, 0.95f}, {3.0f, 1.0f}, {3.5f, 1.0f}, {4.0f, 1.0f}}) {
        EXPECT_FLOAT_EQ(HoldProgress(elapsed, show), progress) << elapsed;
    }
}

TEST(TintHoldTest, WipeOffRampsOverTheFirstThirtyPercentOfTheRest)
{
    const PhaseTimes show{1.0f, 1.0f, 1.0f};
    struct Case
    {
        float elapsed, swipe;
    };
    for (const Case c : {Case{1.5f, 0.0f}, Case{2.0f, 0.0f}, Case{2.15f, 0.5f}, Case{2.3f, 1.0f}, Case{2.9f, 1.0f}}) {
        EXPECT_NEAR(HoldTintSwipe(c.elapsed, show), c.swipe, 1e-5f) << c.elapsed;
    }
}

}  // namespace
}  // namespace Rendering
