#include "show/BackgroundLayout.h"

#include <gtest/gtest.h>

namespace Rendering {
namespace {

struct QuadCase {
    const char* name;
    float screenAspect;
    float pictureAspect;
    float scale;
    unsigned width;
    unsigned height;
    float halfWidth;
    float halfHeight;
    float uMax;
    float vMax;
};

class BackgroundQuadTest : public testing::TestWithParam<QuadCase> {};

TEST_P(BackgroundQuadTest, OverfillsTheScreen)
{
    const auto& c = GetParam();
    const auto quad = ComputeBackgroundQuad(c.screenAspect, c.pictureAspect, c.scale, c.width, c.height, 2048);
    EXPECT_NEAR(quad.halfWidth, c.halfWidth, 1e-3);
    EXPECT_NEAR(quad.halfHeight, c.halfHeight, 1e-3);
    EXPECT_NEAR(quad.uMax, c.uMax, 1e-4);
    EXPECT_NEAR(quad.vMax, c.vMax, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(Pictures, BackgroundQuadTest,
    testing::Values(QuadCase{"BuiltIn", 16.0f / 9, 1.0f, 1.0f, 2048, 1365, 9.5023f, 6.3333f, 1.0f, 0.66650f},
        QuadCase{"Photo3000x2000", 16.0f / 9, 2048.0f / 1365, 1.0f, 2048, 1365, 7.2501f, 4.8322f, 1.0f, 0.66650f},
        QuadCase{"Panorama", 16.0f / 9, 2.5f, 1.0f, 2048, 819, 10.0024f, 4.0f, 1.0f, 0.39990f},
        QuadCase{"HalfSize", 16.0f / 9, 1.0f, 0.5f, 2048, 1365, 4.7512f, 3.1667f, 1.0f, 0.66650f},
        QuadCase{"Portrait", 1.0f, 0.5f, 1.0f, 1024, 2048, 5.5f, 11.0f, 0.5f, 1.0f},
        QuadCase{"Undecodable", 16.0f / 9, 0.0f, 1.0f, 2048, 1365, 6.0015f, 4.0f, 1.0f, 0.66650f},
        QuadCase{"NoFittedSize", 16.0f / 9, 0.0f, 1.0f, 0, 0, 4.0f, 4.0f, 0.0f, 0.0f}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(BackgroundDrift, TravelsAlongADiamondOnceEverySixteenSeconds)
{
    const float d = 0.08f;
    const std::tuple<float, float, float> corners[] = {
        {0.0f, -d, 0.0f}, {2.0f, -d / 2, -d / 2}, {4.0f, 0.0f, -d}, {8.0f, d, 0.0f}, {12.0f, 0.0f, d},
        {16.0f, -d, 0.0f}, {-1.0f, 0.0f, 0.0f},
    };
    for (const auto& [elapsed, x, y] : corners) {
        const auto offset = ComputeDriftOffset(elapsed, true, 1.0f);
        EXPECT_NEAR(offset[0], x, 1e-6) << elapsed;
        EXPECT_NEAR(offset[1], y, 1e-6) << elapsed;
    }
    EXPECT_NEAR(ComputeDriftOffset(8.0f, true, 0.5f)[0], 0.04f, 1e-6);
    EXPECT_EQ(ComputeDriftOffset(8.0f, false, 1.0f), (std::array<float, 2>{0.0f, 0.0f}));
}

// Corners in clip space, in drawing order: a rectangle from (x0, y0) to (x1, y1) at depth w.
std::array<Library::Float4, 4> Rectangle(float x0, float y0, float x1, float y1, float w = 2.0f)
{
    return {{{x0 * w, y1 * w, 0.5f, w}, {x0 * w, y0 * w, 0.5f, w}, {x1 * w, y0 * w, 0.5f, w}, {x1 * w, y1 * w, 0.5f, w}}};
}

TEST(BackgroundCoverage, TheQuadMustReachPastEveryEdgeOfTheViewport)
{
    const float m = 0.05f;
    const std::array<Library::Float4, 4> turned = {{{0.0f, 2.2f, 0.5f, 1.0f}, {-2.2f, 0.0f, 0.5f, 1.0f},
        {0.0f, -2.2f, 0.5f, 1.0f}, {2.2f, 0.0f, 0.5f, 1.0f}}};
    const std::tuple<const char*, std::array<Library::Float4, 4>, bool> cases[] = {
        {"overfills", Rectangle(-1.2f, -1.3f, 1.2f, 1.3f), true},
        {"just past the margin", Rectangle(-1.06f, -1.06f, 1.06f, 1.06f), true},
        {"short of the margin on the right", Rectangle(-1.2f, -1.2f, 1.04f, 1.2f), false},
        {"short at the top", Rectangle(-1.2f, -1.2f, 1.2f, 1.0f), false},
        {"inside the viewport", Rectangle(-0.5f, -0.5f, 0.5f, 0.5f), false},
        {"drawn the other way round", Rectangle(1.2f, 1.2f, -1.2f, -1.2f), true},
        {"behind the eye", Rectangle(-1.2f, -1.2f, 1.2f, 1.2f, -1.0f), false},
        {"degenerate", Rectangle(-1.2f, 0.0f, 1.2f, 0.0f), false},
        {"a diamond around the viewport", turned, true},
    };
    for (const auto& [name, corners, covers] : cases) {
        EXPECT_EQ(QuadCoversViewport(corners, m, m), covers) << name;
    }
    auto oneBehind = Rectangle(-1.2f, -1.2f, 1.2f, 1.2f);
    oneBehind[2].w = 0.0f;
    EXPECT_FALSE(QuadCoversViewport(oneBehind, m, m));
}

} // namespace
} // namespace Rendering
