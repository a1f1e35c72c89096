#include "show/CollageLayout.h"
#include "show/CollagePreparation.h"

#include "ShowFixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <numbers>

namespace Rendering::Testing {
namespace {

struct AccumulateCase {
    const char* name;
    std::vector<KeyFrame> list;
    float e;
    Library::Float3 expected;
};

class AccumulateTest : public testing::TestWithParam<AccumulateCase> {};

TEST_P(AccumulateTest, SumsTheChangesThatHaveHappened)
{
    const auto& c = GetParam();
    const auto total = AccumulateKeyFrames(c.list, c.e);
    EXPECT_FLOAT_EQ(total.x, c.expected.x);
    EXPECT_FLOAT_EQ(total.y, c.expected.y);
    EXPECT_FLOAT_EQ(total.z, c.expected.z);
}

const std::vector<KeyFrame> TwoMoves = {{1, 0, 0, 2}, {0, 2, 4, 1}};

INSTANTIATE_TEST_SUITE_P(Lists, AccumulateTest,
    testing::Values(AccumulateCase{"EmptyList", {}, 5, {0, 0, 0}},
        AccumulateCase{"HalfWayThroughTheFirst", TwoMoves, 1, {0.5f, 0, 0}},
        AccumulateCase{"IntoTheSecond", TwoMoves, 2.5f, {1, 1, 2}},
        AccumulateCase{"ExactlyAtTheSum", TwoMoves, 3, {1, 2, 4}},
        AccumulateCase{"PastTheEndStaysComplete", TwoMoves, 30, {1, 2, 4}},
        AccumulateCase{"InstantFirstKeyAtZero", {{3, 0, -1, 0}, {1, 0, 0, 2}}, 0, {3, 0, -1}},
        AccumulateCase{"InstantKeyAfterAMove", {{1, 0, 0, 2}, {0, 5, 0, 0}}, 1, {0.5f, 0, 0}}),
    [](const auto& param) { return std::string(param.param.name); });

// The photo's centre after the whole chain: its own scale and turn do not move the centre; the
// first move places it 0.66 nearer the camera; the second turn swings it about the scene origin.
TEST(CollageWorld, MovesTheCentreAlongTheChain)
{
    BlurPhotoAniInfo entry;
    entry.scale = 0.5f;
    entry.rotate = {{0, 0, 1.0f, 0}};
    entry.translate = {{0.2f, 0, 0, 0}};
    entry.translate_after = {{0, 0, 1.0f, 2}};
    entry.rotate_after = {{0, std::numbers::pi_v<float> / 2, 0, 0}};
    entry.translate_back = {{0, 0.3f, 0, 0}};
    const auto centre = Library::TransformCoord({0, 0, 0}, CollageWorld(entry, 1.0f));
    // Before the second turn it lies at (0.2, 0, 0.5 + 0.66); a quarter turn about y takes (x, y, z)
    // to (z, y, -x).
    EXPECT_NEAR(centre.x, 1.16f, 1e-5f);
    EXPECT_NEAR(centre.y, 0.3f, 1e-5f);
    EXPECT_NEAR(centre.z, -0.2f, 1e-5f);
    // The corner of a unit quad shows the scale.
    BlurPhotoAniInfo still;
    still.scale = 0.5f;
    const auto corner = Library::TransformCoord({1, 0, 0}, CollageWorld(still, 0.0f));
    EXPECT_NEAR(corner.x, 0.5f, 1e-6f);
    EXPECT_NEAR(corner.z, 0.66f, 1e-6f);
}

TEST(CollageTiming, ScalingStretchesEveryTimeOnceAndShrinksTheScale)
{
    BlurPhotoAniInfo entry;
    entry.delay = 2.4f;
    entry.disappear = 2.0f;
    entry.rotate = {{1, 0, 0, 0.6f}};
    entry.translate_back = {{0, 0, 1, 1.2f}};
    ScaleCollageEntry(entry, 1.5f);
    EXPECT_FLOAT_EQ(entry.delay, 3.6f);
    EXPECT_FLOAT_EQ(entry.disappear, 3.0f);
    EXPECT_FLOAT_EQ(entry.rotate[0].t, 0.9f);
    EXPECT_FLOAT_EQ(entry.translate_back[0].t, 1.8f);
    EXPECT_FLOAT_EQ(entry.scale, 0.76f);
}

TEST(CollageTiming, DrawnFromTheStartToTheDisappearanceBothIncluded)
{
    const float start = 23.0f;
    const float disappear = 3.0f;
    const std::vector<std::pair<float, bool>> cases = {
        {22.99f, false}, {23.0f, true}, {24.5f, true}, {26.0f, true}, {26.0f + 1.0f / 30.0f, false}};
    for (const auto& [t, shown] : cases) {
        EXPECT_EQ(CollagePhotoShownAt(start, disappear, t), shown) << t;
    }
}

TEST(CollageOrder, EntriesCycleThroughThePhotosUnlessEachPhotoGetsOne)
{
    using Order = std::vector<std::size_t>;
    EXPECT_EQ(CollagePhotoOrder(8, 3, false), (Order{0, 1, 2, 0, 1, 2, 0, 1}));
    EXPECT_EQ(CollagePhotoOrder(3, 2, true), (Order{0, 1}));
    EXPECT_EQ(CollagePhotoOrder(3, 5, true), (Order{0, 1, 2}));
    EXPECT_EQ(CollagePhotoOrder(8, 20, false), (Order{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_TRUE(CollagePhotoOrder(8, 0, false).empty());
    EXPECT_TRUE(CollagePhotoOrder(0, 3, false).empty());
}

// The quad keeps the framed photo's proportions and samples exactly the framed part of the canvas.
TEST(CollageQuad, CoversTheFramedPhoto)
{
    struct Case {
        float texRight, texBottom;
        float halfWidth, uMax, vMax;
    };
    for (const Case& c : {Case{1.0f, 0.75f, 0.8f, 1.0f, 0.75f}, Case{0.5f, 1.0f, 0.3f, 0.5f, 1.0f},
             Case{1.0f, 1.0f, 0.6f, 1.0f, 1.0f}}) {
        const auto quad = CollageQuad(c.texRight, c.texBottom, 0.6f, 0.0f);
        EXPECT_FLOAT_EQ(quad[0].position[0], -c.halfWidth) << c.texRight << "x" << c.texBottom;
        EXPECT_FLOAT_EQ(quad[0].position[1], 0.6f);
        EXPECT_FLOAT_EQ(quad[2].position[0], c.halfWidth);
        EXPECT_FLOAT_EQ(quad[2].position[1], -0.6f);
        EXPECT_FLOAT_EQ(quad[2].texcoord[0], c.uMax);
        EXPECT_FLOAT_EQ(quad[2].texcoord[1], c.vMax);
        EXPECT_FLOAT_EQ(quad[0].texcoord[0], 0.0f);
        EXPECT_FLOAT_EQ(quad[0].texcoord[1], 0.0f);
    }
}

// Preparing only the shown photos skips what does not prepare and gives the very canvases that
// preparing the whole list gives.
TEST(CollagePreparation, ShownPhotosAloneGiveTheSameCanvases)
{
    ShowFolder folder;
    const auto broken = folder.Folder() / "broken.png";
    std::ofstream(broken) << "not a picture";
    const std::vector<std::filesystem::path> paths = {folder.AddPhoto("a.png", 64, 48, Qt::red), broken,
        folder.Folder() / "gone.png", folder.AddPhoto("b.png", 30, 60, Qt::blue), folder.AddPhoto("c.png", 40, 40)};
    PhotoCanvasMaker all;
    all.photoPaths = paths;
    all.prepare();
    ASSERT_EQ(all.results.size(), 3u);

    const auto two = PrepareCollagePhotos(paths, 2);
    ASSERT_EQ(two.size(), 2u);
    for (std::size_t i = 0; i < two.size(); ++i) {
        EXPECT_EQ(two[i].path, all.results[i].path);
        EXPECT_EQ(two[i].bitmap, all.results[i].bitmap) << i;
        EXPECT_FLOAT_EQ(two[i].texRight, all.results[i].texRight);
        EXPECT_FLOAT_EQ(two[i].texBottom, all.results[i].texBottom);
    }
    EXPECT_EQ(PrepareCollagePhotos(paths, 8).size(), 3u);
    EXPECT_TRUE(PrepareCollagePhotos(paths, 0).empty());
}

} // namespace
} // namespace Rendering::Testing
