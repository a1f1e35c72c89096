#include "PhotoGeometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace Rendering {
namespace {

constexpr float Tolerance = 1e-5f;

struct ExtentsCase
{
    float width, height;
    PhotoExtents expected;
};

class PhotoExtentsTest : public testing::TestWithParam<ExtentsCase> {};

TEST_P(PhotoExtentsTest, HalfSizesAndTextureRangeFollowTheLongerSide)
{
    const auto& c = GetParam();
    const PhotoExtents e = ComputePhotoExtents(c.width, c.height, 0.6f, 0.6f);
    EXPECT_NEAR(e.hw, c.expected.hw, Tolerance);
    EXPECT_NEAR(e.hh, c.expected.hh, Tolerance);
    EXPECT_NEAR(e.U, c.expected.U, Tolerance);
    EXPECT_NEAR(e.V, c.expected.V, Tolerance);
    EXPECT_EQ(e.wide, c.expected.wide);
    const QuadRect full = FullQuad(e);
    EXPECT_FLOAT_EQ(full.x0, -e.hw);
    EXPECT_FLOAT_EQ(full.y1, e.hh);
    EXPECT_FLOAT_EQ(full.u1, e.U);
    EXPECT_FLOAT_EQ(full.vb, e.V);
}

INSTANTIATE_TEST_SUITE_P(Photos, PhotoExtentsTest,
    testing::Values(ExtentsCase{4000, 3000, {0.8f, 0.6f, 1.0f, 0.75f, true}},
        ExtentsCase{3000, 4000, {0.45f, 0.6f, 0.75f, 1.0f, false}},
        ExtentsCase{1000, 1000, {0.6f, 0.6f, 1.0f, 1.0f, true}},
        ExtentsCase{0, 1000, {0.0f, 0.0f, 0.0f, 0.0f, true}}));

TEST(PhotoExtentsTest, TallPhotosUseTheirOwnHalfHeight)
{
    EXPECT_FLOAT_EQ(ComputePhotoExtents(3, 4, 0.6f, 0.5f).hh, 0.5f);
    EXPECT_FLOAT_EQ(ComputePhotoExtents(4, 3, 0.6f, 0.5f).hh, 0.6f);
}

struct PhaseCase
{
    float elapsed;
    Phase phase;
    std::optional<float> enter;
    std::optional<float> leave;
};

class PhaseTimingTest : public testing::TestWithParam<PhaseCase> {};

TEST_P(PhaseTimingTest, ShowTimingSelectsPhaseAndProgress)
{
    const PhaseTimes show{1.0f, 1.0f, 1.0f};
    const auto& c = GetParam();
    EXPECT_EQ(SelectPhase(c.elapsed, show), c.phase);
    EXPECT_EQ(EnterProgress(c.elapsed, show).has_value(), c.enter.has_value());
    EXPECT_EQ(LeaveProgress(c.elapsed, show).has_value(), c.leave.has_value());
    if (c.enter) {
        EXPECT_NEAR(*EnterProgress(c.elapsed, show), *c.enter, Tolerance);
    }
    if (c.leave) {
        EXPECT_NEAR(*LeaveProgress(c.elapsed, show), *c.leave, Tolerance);
    }
}

INSTANTIATE_TEST_SUITE_P(Elapsed, PhaseTimingTest,
    testing::Values(PhaseCase{-0.5f, Phase::Enter, 0.0f, std::nullopt},
        PhaseCase{0.5f, Phase::Enter, 0.5f, std::nullopt}, PhaseCase{1.0f, Phase::Enter, 1.0f, std::nullopt},
        PhaseCase{1.01f, Phase::Hold, std::nullopt, std::nullopt},
        PhaseCase{2.5f, Phase::Hold, std::nullopt, std::nullopt},
        PhaseCase{3.0f, Phase::Hold, std::nullopt, std::nullopt},
        PhaseCase{3.25f, Phase::Leave, std::nullopt, 0.75f}, PhaseCase{4.0f, Phase::Leave, std::nullopt, 0.0f},
        PhaseCase{4.01f, Phase::Leave, std::nullopt, std::nullopt}));

TEST(PhaseTimingTest, TotalTimeIsTwoEntersPlusHoldAndRest)
{
    EXPECT_FLOAT_EQ((PhaseTimes{1.0f, 2.0f, 1.0f}.Total()), 5.0f);
}

TEST(GlideTest, EnterArrivesFromTheSideAndLeaveGoesToTheOther)
{
    struct Case
    {
        int leftToRight;
        float enter, leave;
    };
    for (const Case c : {Case{1, -1.5f, 1.5f}, Case{0, 1.5f, -1.5f}, Case{2, 0.0f, 0.0f}}) {
        EXPECT_FLOAT_EQ(GlideEnterOffset(0.25f, c.leftToRight), c.enter) << c.leftToRight;
        EXPECT_FLOAT_EQ(GlideLeaveOffset(0.25f, c.leftToRight), c.leave) << c.leftToRight;
        EXPECT_FLOAT_EQ(GlideEnterOffset(1.0f, c.leftToRight), 0.0f);
        EXPECT_FLOAT_EQ(GlideLeaveOffset(1.0f, c.leftToRight), 0.0f);
    }
}

struct VisibleCase
{
    MotionStyle style;
    int fromLeft;
    float t;
    QuadRect expected;
};

class VisibleRectTest : public testing::TestWithParam<VisibleCase> {};

// A 4000 x 3000 photo: hw 0.8, hh 0.6, U 1, V 0.75.
TEST_P(VisibleRectTest, MatchesTheRevealFormulas)
{
    const auto& c = GetParam();
    const QuadRect r = VisibleRect(c.style, c.fromLeft, c.t, ComputePhotoExtents(4000, 3000, 0.6f, 0.6f));
    EXPECT_NEAR(r.x0, c.expected.x0, Tolerance);
    EXPECT_NEAR(r.x1, c.expected.x1, Tolerance);
    EXPECT_NEAR(r.y0, c.expected.y0, Tolerance);
    EXPECT_NEAR(r.y1, c.expected.y1, Tolerance);
    EXPECT_NEAR(r.u0, c.expected.u0, Tolerance);
    EXPECT_NEAR(r.u1, c.expected.u1, Tolerance);
    EXPECT_NEAR(r.vt, c.expected.vt, Tolerance);
    EXPECT_NEAR(r.vb, c.expected.vb, Tolerance);
}

constexpr QuadRect Full{-0.8f, 0.8f, -0.6f, 0.6f, 0.0f, 1.0f, 0.0f, 0.75f};

INSTANTIATE_TEST_SUITE_P(Styles, VisibleRectTest,
    testing::Values(VisibleCase{MotionStyle::Drop, 0, 0.0f, {-0.8f, 0.8f, 0.6f, 0.6f, 0.0f, 1.0f, 0.75f, 0.75f}},
        VisibleCase{MotionStyle::Drop, 1, 0.5f, {-0.8f, 0.8f, 0.0f, 0.6f, 0.0f, 1.0f, 0.375f, 0.75f}},
        VisibleCase{MotionStyle::Drop, 0, 1.0f, Full},
        VisibleCase{MotionStyle::Side, 0, 0.0f, {0.8f, 0.8f, -0.6f, 0.6f, 0.0f, 0.0f, 0.0f, 0.75f}},
        VisibleCase{MotionStyle::Side, 0, 0.5f, {0.0f, 0.8f, -0.6f, 0.6f, 0.0f, 0.5f, 0.0f, 0.75f}},
        VisibleCase{MotionStyle::Side, 0, 1.0f, Full},
        VisibleCase{MotionStyle::Side, 1, 0.0f, {-0.8f, -0.8f, -0.6f, 0.6f, 1.0f, 1.0f, 0.0f, 0.75f}},
        VisibleCase{MotionStyle::Side, 1, 0.5f, {-0.8f, 0.0f, -0.6f, 0.6f, 0.5f, 1.0f, 0.0f, 0.75f}},
        VisibleCase{MotionStyle::Side, 1, 1.0f, Full},
        VisibleCase{MotionStyle::Corner, 0, 0.0f, {0.8f, 0.8f, 0.6f, 0.6f, 0.0f, 0.0f, 0.75f, 0.75f}},
        VisibleCase{MotionStyle::Corner, 0, 0.5f, {0.0f, 0.8f, 0.0f, 0.6f, 0.0f, 0.5f, 0.375f, 0.75f}},
        VisibleCase{MotionStyle::Corner, 0, 1.0f, Full},
        VisibleCase{MotionStyle::Corner, 1, 0.0f, {-0.8f, -0.8f, 0.6f, 0.6f, 1.0f, 1.0f, 0.75f, 0.75f}},
        VisibleCase{MotionStyle::Corner, 1, 0.5f, {-0.8f, 0.0f, 0.0f, 0.6f, 0.5f, 1.0f, 0.375f, 0.75f}},
        VisibleCase{MotionStyle::Corner, 1, 1.0f, Full}));

TEST(QuadTest, VerticesRunLeftTopLeftBottomRightBottomRightTop)
{
    std::array<TexturedVertex, 4> quad{};
    WriteQuad({1, 2, 3, 4, 0.1f, 0.2f, 0.3f, 0.4f}, 0.5f, quad);
    const std::array<TexturedVertex, 4> expected{{{{1, 4, 0.5f, 1}, {0.1f, 0.3f}}, {{1, 3, 0.5f, 1}, {0.1f, 0.4f}},
        {{2, 3, 0.5f, 1}, {0.2f, 0.4f}}, {{2, 4, 0.5f, 1}, {0.2f, 0.3f}}}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(quad[i].position, expected[i].position) << i;
        EXPECT_EQ(quad[i].texcoord, expected[i].texcoord) << i;
    }
    EXPECT_EQ((QuadIndices<2>()), (std::array<std::uint16_t, 12>{0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7}));
}

using Ring = std::array<TexturedVertex, RingQuadCount * 4>;

Ring MakeRing(MotionStyle style, int fromLeft, float t, const PhotoExtents& e)
{
    Ring ring{};
    BuildFrameRing(style, fromLeft, t, FrameParams{}.k * t, e, FrameParams{}, ring);
    return ring;
}

TEST(FrameRingTest, SideRingAtAQuarterMatchesTheWorkedExample)
{
    const Ring ring = MakeRing(MotionStyle::Side, 0, 0.25f, ComputePhotoExtents(4000, 3000, 0.6f, 0.6f));
    const auto* top = &ring[4];  // quad 1, the top edge
    EXPECT_NEAR(top[0].position[0], 0.4f, Tolerance);
    EXPECT_NEAR(top[2].position[0], 0.8f, Tolerance);
    EXPECT_NEAR(top[0].position[1], 0.65f, Tolerance);
    EXPECT_NEAR(top[1].position[1], 0.6f, Tolerance);
    EXPECT_NEAR(top[0].texcoord[0], 1.0f - 0.0285f - 0.23f, Tolerance);
    EXPECT_NEAR(top[2].texcoord[0], 1.0f - 0.0285f, Tolerance);
}

TEST(FrameRingTest, AtFullRevealAllStylesShareTheRectanglesAndDifferOnlyInEdgeTexture)
{
    const PhotoExtents e = ComputePhotoExtents(3000, 4000, 0.6f, 0.6f);
    const Ring drop = MakeRing(MotionStyle::Drop, 0, 1.0f, e);
    for (const auto& [style, fromLeft] : {std::pair{MotionStyle::Side, 0}, std::pair{MotionStyle::Side, 1},
             std::pair{MotionStyle::Corner, 0}, std::pair{MotionStyle::Corner, 1}}) {
        const Ring ring = MakeRing(style, fromLeft, 1.0f, e);
        for (std::size_t i = 0; i < ring.size(); ++i) {
            EXPECT_EQ(ring[i].position, drop[i].position) << i;
            const bool horizontalEdge = i / 4 == 1 || i / 4 == 5;
            if (!horizontalEdge || fromLeft == 0) {
                EXPECT_NEAR(ring[i].texcoord[0], drop[i].texcoord[0], Tolerance) << i;
            }
        }
        if (fromLeft != 0) {
            EXPECT_NEAR(ring[4].texcoord[0], 0.0285f, Tolerance);
        }
    }
}

// At q = 1 the unfolded frame must coincide with the ring at t = 0 piece by piece, so the reveal
// continues without a jump.
struct UnfoldCase
{
    MotionStyle style;
    int fromLeft;
    std::vector<std::size_t> ringQuads;  // ring quad matching each unfold quad
};

class FrameUnfoldTest : public testing::TestWithParam<UnfoldCase> {};

std::vector<TexturedVertex> Unfold(const UnfoldCase& c, float q, const PhotoExtents& e)
{
    std::vector<TexturedVertex> mesh(c.ringQuads.size() * 4);
    if (c.style == MotionStyle::Drop) {
        BuildDropUnfold(q, e, FrameParams{}, std::span<TexturedVertex, 24>(mesh));
    } else if (c.style == MotionStyle::Side) {
        BuildSideUnfold(c.fromLeft, q, e, FrameParams{}, std::span<TexturedVertex, 24>(mesh));
    } else {
        BuildCornerUnfold(c.fromLeft, q, e, FrameParams{}, std::span<TexturedVertex, 16>(mesh));
    }
    return mesh;
}

float Area(const TexturedVertex* quad)
{
    return (quad[2].position[0] - quad[0].position[0]) * (quad[0].position[1] - quad[1].position[1]);
}

TEST_P(FrameUnfoldTest, CompleteUnfoldEqualsTheRingAtZero)
{
    const auto& c = GetParam();
    for (const PhotoExtents& e :
        {ComputePhotoExtents(4000, 3000, 0.6f, 0.6f), ComputePhotoExtents(3000, 4000, 0.6f, 0.6f)}) {
        const auto mesh = Unfold(c, 1.0f, e);
        const Ring ring = MakeRing(c.style, c.fromLeft, 0.0f, e);
        for (std::size_t quad = 0; quad < c.ringQuads.size(); ++quad) {
            for (std::size_t v = 0; v < 4; ++v) {
                const auto& got = mesh[quad * 4 + v];
                const auto& want = ring[c.ringQuads[quad] * 4 + v];
                for (std::size_t k = 0; k < 3; ++k) {
                    EXPECT_NEAR(got.position[k], want.position[k], Tolerance) << quad << "/" << v;
                }
                EXPECT_NEAR(got.texcoord[0], want.texcoord[0], Tolerance) << quad << "/" << v;
                EXPECT_NEAR(got.texcoord[1], want.texcoord[1], Tolerance) << quad << "/" << v;
            }
        }
    }
}

TEST_P(FrameUnfoldTest, NothingShowsAtZeroAndOnlyTheFirstPieceHalfway)
{
    const auto& c = GetParam();
    const PhotoExtents e = ComputePhotoExtents(4000, 3000, 0.6f, 0.6f);
    const auto start = Unfold(c, 0.0f, e);
    const auto half = Unfold(c, 0.5f, e);
    std::size_t grownHalfway = 0;
    for (std::size_t quad = 0; quad < c.ringQuads.size(); ++quad) {
        EXPECT_NEAR(Area(&start[quad * 4]), 0.0f, Tolerance) << quad;
        grownHalfway += Area(&half[quad * 4]) > Tolerance ? 1 : 0;
    }
    EXPECT_EQ(grownHalfway, c.style == MotionStyle::Corner ? 1u : 3u);
}

INSTANTIATE_TEST_SUITE_P(Styles, FrameUnfoldTest,
    testing::Values(UnfoldCase{MotionStyle::Drop, 0, {2, 1, 0, 4, 5, 6}},
        UnfoldCase{MotionStyle::Side, 0, {2, 3, 4, 0, 7, 6}}, UnfoldCase{MotionStyle::Side, 1, {2, 3, 4, 0, 7, 6}},
        UnfoldCase{MotionStyle::Corner, 0, {2, 0, 4, 6}}, UnfoldCase{MotionStyle::Corner, 1, {2, 0, 4, 6}}));

TEST(SplitRevealTest, TheFrameUnfoldsForTheFrameWidthsShareOfTheLongerSide)
{
    const PhotoExtents wide = ComputePhotoExtents(4000, 3000, 0.6f, 0.6f);
    const PhotoExtents tall = ComputePhotoExtents(3000, 4000, 0.6f, 0.6f);
    const float dWide = 0.05f / 0.9f;
    const float dTall = 0.05f / 0.7f;
    EXPECT_TRUE(SplitReveal(dWide / 2, wide, {}).unfolding);
    EXPECT_NEAR(SplitReveal(dWide / 2, wide, {}).value, 0.5f, Tolerance);
    EXPECT_FALSE(SplitReveal(dWide, wide, {}).unfolding);
    EXPECT_NEAR(SplitReveal(dWide, wide, {}).value, 0.0f, Tolerance);
    EXPECT_TRUE(SplitReveal(dWide, tall, {}).unfolding);
    EXPECT_NEAR(SplitReveal(dTall + (1 - dTall) / 2, tall, {}).value, 0.5f, Tolerance);
    EXPECT_NEAR(SplitReveal(1.0f, tall, {}).value, 1.0f, Tolerance);
}

}  // namespace
}  // namespace Rendering
