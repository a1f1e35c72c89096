#include "TransitionScene.h"

#include <gtest/gtest.h>

#include <thread>

namespace PelloraTest {
namespace {

using Rendering::MotionStyle;
using Rendering::PhaseMode;

const QColor Background{0, 0, 0};
const QColor White{255, 255, 255};

// Probe points of a 4000 x 3000-shaped photo (hw 0.8, hh 0.6) in world units, one per quadrant of
// the photo's place.
struct Probes
{
    QColor upperLeft, upperRight, lowerLeft, lowerRight;
};

struct MotionCase
{
    const char* name;
    MotionStyle style;
    int leftToRight;
    int enterMode;
    int leaveMode;
    double seconds;  // show time; the animation starts at 0 with enter 1, hold 1, rest 1
    Probes expected;
};

void PrintTo(const MotionCase& c, std::ostream* out)
{
    *out << c.name;
}

// Half-way through the slide-in, after the frame unfolded: p = d + (1 - d) / 2 with d = 0.05 / 0.9.
constexpr double HalfRevealed = 0.05 / 0.9 + (1.0 - 0.05 / 0.9) / 2.0;

class PhotoMotionTest : public testing::TestWithParam<MotionCase>
{
protected:
    static void SetUpTestSuite() { sScene = std::make_unique<TransitionScene>(); }
    static void TearDownTestSuite() { sScene.reset(); }
    static inline std::unique_ptr<TransitionScene> sScene;
};

TEST_P(PhotoMotionTest, ShowsTheExpectedPartOfThePhotoWhere)
{
    const auto& c = GetParam();
    TransitionScene& scene = *sScene;
    PlainPhoto photo(scene.Game(), scene.Camera(), 320, 180);
    photo.AddPhoto(scene.Photo(400, 300));
    photo.SetPhaseTimes(1.0f, 1.0f, 1.0f);
    photo.SetLeftToRight(c.leftToRight);
    photo.SetEnterMode(c.enterMode);
    photo.SetLeaveMode(c.leaveMode);
    photo.SetMotion(static_cast<int>(c.style), 0.0f);
    const QImage picture = scene.RenderAt(photo, c.seconds);
    const std::pair<QPoint, QColor> probes[] = {{scene.PixelOf(-0.4f, 0.3f), c.expected.upperLeft},
        {scene.PixelOf(0.4f, 0.3f), c.expected.upperRight}, {scene.PixelOf(-0.4f, -0.3f), c.expected.lowerLeft},
        {scene.PixelOf(0.4f, -0.3f), c.expected.lowerRight}};
    for (const auto& [point, colour] : probes) {
        EXPECT_TRUE(Near(picture.pixelColor(point), colour))
            << "at " << point.x() << "," << point.y() << ": got " << picture.pixelColor(point).name().toStdString()
            << ", want " << colour.name().toStdString();
    }
}

constexpr int Reveal = static_cast<int>(PhaseMode::Reveal);
constexpr int Glide = static_cast<int>(PhaseMode::Glide);
constexpr int Off = static_cast<int>(PhaseMode::Off);
const QColor& K = Background;

INSTANTIATE_TEST_SUITE_P(Motions, PhotoMotionTest,
    testing::Values(
        // Side from the right: the photo's left half shows at the right.
        MotionCase{"SideFromRight", MotionStyle::Side, 0, Reveal, Reveal, HalfRevealed, {K, TopLeft, K, BottomLeft}},
        MotionCase{"SideFromLeft", MotionStyle::Side, 1, Reveal, Reveal, HalfRevealed, {TopRight, K, BottomRight, K}},
        // Drop: the photo's lower half shows at the top.
        MotionCase{"Drop", MotionStyle::Drop, 0, Reveal, Reveal, HalfRevealed, {BottomLeft, BottomRight, K, K}},
        MotionCase{"CornerTopRight", MotionStyle::Corner, 0, Reveal, Reveal, HalfRevealed, {K, BottomLeft, K, K}},
        MotionCase{"CornerTopLeft", MotionStyle::Corner, 1, Reveal, Reveal, HalfRevealed, {BottomRight, K, K, K}},
        MotionCase{"FrameUnfoldingShowsNoPhoto", MotionStyle::Side, 0, Reveal, Reveal, 0.03, {K, K, K, K}},
        MotionCase{"Hold", MotionStyle::Corner, 0, Reveal, Reveal, 2.0, {TopLeft, TopRight, BottomLeft, BottomRight}},
        // Leaving after entering from the right: the photo moves on leftward, its right half last.
        MotionCase{"LeaveSideways", MotionStyle::Drop, 0, Reveal, Reveal, 4.0 - HalfRevealed,
            {TopRight, K, BottomRight, K}},
        MotionCase{"LeaveToTheRight", MotionStyle::Side, 1, Reveal, Reveal, 4.0 - HalfRevealed,
            {K, TopLeft, K, BottomLeft}},
        MotionCase{"EnterOff", MotionStyle::Drop, 0, Off, Reveal, 0.5, {K, K, K, K}},
        MotionCase{"LeaveOff", MotionStyle::Drop, 0, Reveal, Off, 3.5, {K, K, K, K}},
        MotionCase{"AfterTheEnd", MotionStyle::Drop, 0, Reveal, Reveal, 4.1, {K, K, K, K}},
        // Gliding in from the left at p = 0.25: the photo sits 1.5 units left, only its right edge
        // region in view; the probes of the photo's own place stay empty.
        MotionCase{"GlideIn", MotionStyle::Drop, 1, Glide, Glide, 0.25, {K, K, K, K}}),
    [](const testing::TestParamInfo<MotionCase>& testCase) { return std::string(testCase.param.name); });

TEST_F(PhotoMotionTest, GlidingPhotoIsShownWholeAtItsOffset)
{
    TransitionScene& scene = *sScene;
    PlainPhoto photo(scene.Game(), scene.Camera(), 320, 180);
    photo.AddPhoto(scene.Photo(400, 300));
    photo.SetPhaseTimes(1.0f, 1.0f, 1.0f);
    photo.SetLeftToRight(1);
    photo.SetEnterMode(Glide);
    photo.SetMotion(static_cast<int>(MotionStyle::Side), 0.0f);
    const QImage picture = scene.RenderAt(photo, 0.75);  // x offset -0.5
    EXPECT_TRUE(Near(picture.pixelColor(scene.PixelOf(-0.9f, 0.3f)), TopLeft));
    EXPECT_TRUE(Near(picture.pixelColor(scene.PixelOf(-0.1f, -0.3f)), BottomRight));
    EXPECT_TRUE(Near(picture.pixelColor(scene.PixelOf(0.5f, 0.0f)), Background));
}

TEST_F(PhotoMotionTest, FrameIsWhiteJustOutsideThePhotoOnlyWhileFramesAreEnabled)
{
    TransitionScene& scene = *sScene;
    PlainPhoto photo(scene.Game(), scene.Camera(), 320, 180);
    photo.AddPhoto(scene.Photo(300, 400));  // tall: hw 0.45
    photo.SetPhaseTimes(1.0f, 1.0f, 1.0f);
    photo.SetMotion(static_cast<int>(MotionStyle::Drop), 0.0f);
    // The white part of the frame is the inner 0.031 units of its 0.05.
    const QPoint frameProbes[] = {scene.PixelOf(0.0f, 0.6f + 0.015f), scene.PixelOf(0.0f, -0.6f - 0.015f),
        scene.PixelOf(-0.45f - 0.015f, 0.0f), scene.PixelOf(0.45f + 0.015f, 0.0f)};
    const QImage framed = scene.RenderAt(photo, 2.0);
    for (const QPoint& p : frameProbes) {
        EXPECT_TRUE(Near(framed.pixelColor(p), White)) << p.x() << "," << p.y();
    }
    EXPECT_TRUE(Near(framed.pixelColor(scene.PixelOf(0.0f, 0.6f + 0.08f)), Background));

    Rendering::PhotoAnimation::SetFramesEnabled(scene.Game(), false);
    const QImage bare = scene.RenderAt(photo, 2.0);
    Rendering::PhotoAnimation::SetFramesEnabled(scene.Game(), true);
    for (const QPoint& p : frameProbes) {
        EXPECT_TRUE(Near(bare.pixelColor(p), Background)) << p.x() << "," << p.y();
    }
    EXPECT_TRUE(Near(bare.pixelColor(scene.PixelOf(-0.2f, 0.3f)), TopLeft));
}

TEST_F(PhotoMotionTest, AddPhotoIgnoresOnlyTheFirstPhotoAgain)
{
    TransitionScene& scene = *sScene;
    const auto a = scene.Photo(400, 300);
    const auto b = scene.Photo(300, 400);
    PlainPhoto same(scene.Game(), scene.Camera(), 320, 180);
    same.AddPhoto(a);
    same.AddPhoto(a);
    same.AddPhoto(nullptr);
    EXPECT_EQ(same.Photos().size(), 1u);
    PlainPhoto repeated(scene.Game(), scene.Camera(), 320, 180);
    repeated.AddPhoto(a);
    repeated.AddPhoto(b);
    repeated.AddPhoto(b);
    EXPECT_EQ(repeated.Photos().size(), 3u);
    // Extents always come from the first photo.
    EXPECT_FLOAT_EQ(repeated.Extents().hw, 0.8f);
    EXPECT_FLOAT_EQ(repeated.Extents().V, 0.75f);
}

TEST(SharedPhotoObjectsTest, GamesOnTwoThreadsEachDrawWithTheirOwnObjects)
{
    auto drawsPhoto = [] {
        TransitionScene scene(160, 90);
        PlainPhoto photo(scene.Game(), scene.Camera(), 160, 90);
        photo.AddPhoto(scene.Photo(400, 300));
        photo.SetPhaseTimes(1.0f, 1.0f, 1.0f);
        return Near(scene.RenderAt(photo, 2.0).pixelColor(scene.PixelOf(0.4f, -0.3f)), BottomRight);
    };
    TransitionScene first(160, 90);
    EXPECT_TRUE(drawsPhoto());
    bool otherThread = false;
    std::thread([&] { otherThread = drawsPhoto(); }).join();
    EXPECT_TRUE(otherThread);
    first.Game().MakeCurrent();
    PlainPhoto photo(first.Game(), first.Camera(), 160, 90);
    photo.AddPhoto(first.Photo(400, 300));
    photo.SetPhaseTimes(1.0f, 1.0f, 1.0f);
    EXPECT_TRUE(Near(first.RenderAt(photo, 2.0).pixelColor(first.PixelOf(-0.4f, 0.3f)), TopLeft));
}

}  // namespace
}  // namespace PelloraTest
