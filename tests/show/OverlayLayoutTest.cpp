#include "show/OverlayLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace Rendering {
namespace {

TEST(WaveStrip, EightHundredColumnsSpanTheWidthInNeighbouringTriangles)
{
    const auto strip = BuildWaveStrip(800, 0.05f);
    ASSERT_EQ(strip.vertices.size(), 1600u);
    ASSERT_EQ(strip.indices.size(), 4794u);
    EXPECT_FLOAT_EQ(strip.vertices[0].position[0], -1.0f);
    EXPECT_FLOAT_EQ(strip.vertices.back().position[0], 0.9975f);
    EXPECT_FLOAT_EQ(strip.vertices.back().position[1], -0.0036f);
    EXPECT_FLOAT_EQ(strip.vertices.back().position[2], 0.05f);
    EXPECT_FLOAT_EQ(strip.vertices.back().color[0], 799.0f);
    const std::vector<std::uint16_t> next(strip.indices.begin() + 18, strip.indices.begin() + 24);
    EXPECT_EQ(next, (std::vector<std::uint16_t>{6, 8, 9, 6, 9, 7}));
    // Every triangle joins two neighbouring columns and runs clockwise on screen (y up).
    for (std::size_t k = 0; k < strip.indices.size(); k += 3) {
        const auto& a = strip.vertices[strip.indices[k]];
        const auto& b = strip.vertices[strip.indices[k + 1]];
        const auto& c = strip.vertices[strip.indices[k + 2]];
        const float cross = (b.position[0] - a.position[0]) * (c.position[1] - a.position[1]) -
                            (b.position[1] - a.position[1]) * (c.position[0] - a.position[0]);
        EXPECT_LT(cross, 0.0f) << "triangle " << k / 3;
        const float columns = std::max({a.color[0], b.color[0], c.color[0]}) - std::min({a.color[0], b.color[0], c.color[0]});
        EXPECT_FLOAT_EQ(columns, 1.0f) << "triangle " << k / 3;
    }
}

struct WaveCase {
    const char* name;
    bool breathing;
    float tau;
    bool drawn;
    float amp;
    float shift;
    float runningTime;
};

class WaveFrameTest : public testing::TestWithParam<WaveCase> {};

// The show's ribbons: no fade, ending with the photo part (here 23 s).
TEST_P(WaveFrameTest, FollowsTheRibbonsClock)
{
    const auto& c = GetParam();
    const WaveMotion motion = c.breathing ? WaveMotion{1.8f, true, false, 0.0f, 0.0f, 0.0f, 23.0f}
                                          : WaveMotion{3.0f, false, true, 0.0f, 0.0f, 0.0f, 23.0f};
    const auto frame = ComputeWaveFrame(motion, c.tau);
    EXPECT_EQ(frame.drawn, c.drawn);
    EXPECT_NEAR(frame.amp, c.amp, 1e-5f);
    EXPECT_NEAR(frame.shift, c.shift, 1e-4f);
    EXPECT_NEAR(frame.runningTime, c.runningTime, 1e-4f);
    EXPECT_FLOAT_EQ(frame.alpha, 1.0f);
}

INSTANTIATE_TEST_SUITE_P(Ribbons, WaveFrameTest,
    testing::Values(WaveCase{"BreathingInvertedAtZero", true, 0.0f, true, -1.0f, 0.0f, 0.0f},
        WaveCase{"BreathingFlatAtOne", true, 1.0f, true, 0.0f, 0.0f, 1.0f},
        WaveCase{"BreathingFullAtTwo", true, 2.0f, true, 1.0f, 0.0f, 2.0f},
        WaveCase{"BreathingFallingAtThree", true, 3.0f, true, 0.0f, 0.0f, 3.0f},
        WaveCase{"BreathingInvertedAtFour", true, 4.0f, true, -1.0f, 0.0f, 4.0f},
        WaveCase{"BreathingColoursRepeatAfterEight", true, 9.5f, true, 0.5f, 0.0f, 1.5f},
        WaveCase{"BreathingDrawnAtItsEnd", true, 23.0f, true, 0.0f, 0.0f, 7.0f},
        WaveCase{"BreathingGoneAfterItsEnd", true, 23.01f, false, -0.01f, 0.0f, 7.01f},
        WaveCase{"TravellingKeepsItsAmp", false, 2.0f, true, 1.0f, 6.0f, 2.0f},
        WaveCase{"TravellingGoneAfterItsEnd", false, 23.5f, false, 1.0f, 70.5f, 7.5f}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(WaveFrame, NoEndTimeDrawsForEverAndAFadeStartsFromItsAlpha)
{
    const WaveMotion endless{0.0f, true, false, 0.25f, 2.0f, 0.0f, 0.0f};
    EXPECT_TRUE(ComputeWaveFrame(endless, 1.0e5f).drawn);
    EXPECT_FLOAT_EQ(ComputeWaveFrame(endless, 0.0f).alpha, 0.25f);
    EXPECT_FLOAT_EQ(ComputeWaveFrame(endless, 1.0f).alpha, 0.625f);
    EXPECT_FLOAT_EQ(ComputeWaveFrame(endless, 2.0f).alpha, 1.0f);
    EXPECT_FLOAT_EQ(ComputeWaveFrame(endless, -1.0f).alpha, 1.0f);
}

TEST(BandQuad, CoversTheBottomSevenPercentOfTheWidth)
{
    const auto quad = BandQuad(800.0f, 600.0f);
    EXPECT_FLOAT_EQ(quad[0].position[1], -0.61f);
    EXPECT_FLOAT_EQ(quad[1].position[1], -0.75f);
    EXPECT_FLOAT_EQ(quad[2].position[0], 1.0f);
    EXPECT_FLOAT_EQ(quad[2].texcoord[1], 0.56f);
    EXPECT_FLOAT_EQ(quad[3].texcoord[1], 0.0f);
}

} // namespace
} // namespace Rendering
