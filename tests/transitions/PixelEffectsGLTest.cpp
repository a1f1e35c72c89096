#include "ExpandingCirclePhoto2.h"
#include "NullPhoto.h"
#include "PixelAlphaStripePhoto.h"
#include "PixelCheckeredPhoto.h"
#include "PixelRevealTurningDiamondPhoto.h"
#include "TransitionScene.h"

#include <functional>

namespace PelloraTest {
namespace {

const QColor Red{255, 0, 0};
const QColor Blue{0, 0, 255};
const QColor Black{0, 0, 0};

using PixelEffectTest = EffectFixture;

// Texels spread over the whole photo, corners included.
const std::vector<std::pair<float, float>> Spread = {
    {0.02f, 0.02f}, {0.98f, 0.02f}, {0.5f, 0.375f}, {0.3f, 0.6f}, {0.02f, 0.73f}, {0.98f, 0.73f}};

struct TwoPhotoCase
{
    const char* name;
    std::function<std::unique_ptr<Rendering::PhotoAnimation>(EffectFixture&)> make;
    int effectId;
    float hold;
    bool entersWithSecond;  // the checkerboard starts out showing its second photo
};

class TwoPhotoEffectTest : public EffectFixture, public testing::WithParamInterface<TwoPhotoCase>
{
public:
    template <typename Effect>
    static std::function<std::unique_ptr<Rendering::PhotoAnimation>(EffectFixture&)> Maker(float hold)
    {
        return [hold](EffectFixture& fixture) {
            auto* self = static_cast<TwoPhotoEffectTest*>(&fixture);
            return std::unique_ptr<Rendering::PhotoAnimation>(
                self->Make<Effect>({sScene->Photo(400, 300, Red), sScene->Photo(400, 300, Blue)}, hold));
        };
    }
};

// At the start of the hold the whole quad shows one photo, at the end of the hold the other, and in
// between both; the leave keeps the photo the hold ended with.
TEST_P(TwoPhotoEffectTest, HoldChangesOnePhotoIntoTheOther)
{
    const auto& c = GetParam();
    auto effect = c.make(*this);
    EXPECT_EQ(effect->GetEffectId(), c.effectId);
    EXPECT_EQ(effect->GetPhotoCount(), 2);
    EXPECT_FLOAT_EQ(effect->GetHoldTime(), c.hold);
    const QColor first = c.entersWithSecond ? Blue : Red;
    const QColor last = c.entersWithSecond ? Red : Blue;
    const QImage entered = sScene->RenderAt(*effect, 1.0);
    const QImage held = sScene->RenderAt(*effect, 1.0 + c.hold);
    const QImage rested = sScene->RenderAt(*effect, 1.5 + c.hold);
    for (const auto& [u, v] : Spread) {
        ExpectColour(entered, AtTexel(u, v), first, "hold start");
        ExpectColour(held, AtTexel(u, v), last, "hold end");
        ExpectColour(rested, AtTexel(u, v), last, "rest");
    }
    const QImage leaving = sScene->RenderAt(*effect, 2.2 + c.hold);
    ExpectColour(leaving, sScene->PixelOf(0.0f, 0.0f), last, "leave");
    const QImage between = sScene->RenderAt(*effect, 1.0 + 0.3 * c.hold);
    int firsts = 0;
    int lasts = 0;
    for (float u = 0.05f; u < 1.0f; u += 0.1f) {
        for (float v = 0.05f; v < 0.75f; v += 0.1f) {
            const QColor got = between.pixelColor(AtTexel(u, v));
            firsts += Near(got, first) ? 1 : 0;
            lasts += Near(got, last) ? 1 : 0;
        }
    }
    EXPECT_GT(firsts, 0);
    EXPECT_GT(lasts, 0);
}

INSTANTIATE_TEST_SUITE_P(Effects, TwoPhotoEffectTest,
    testing::Values(TwoPhotoCase{"PixelAlphaStripe", TwoPhotoEffectTest::Maker<Rendering::PixelAlphaStripePhoto>(2.0f),
                        13, 2.0f, false},
        TwoPhotoCase{"PixelCheckered", TwoPhotoEffectTest::Maker<Rendering::PixelCheckeredPhoto>(2.0f), 14, 2.0f, true},
        TwoPhotoCase{"PixelRevealTurningDiamond",
            TwoPhotoEffectTest::Maker<Rendering::PixelRevealTurningDiamondPhoto>(1.0f), 16, 1.0f, false}),
    [](const auto& param) { return std::string(param.param.name); });

// With s_Complete 0.2 (0.4 s into a 2 s hold) stripe i has faded by (0.2 - 0.025 - 0.04 i) x 8.
TEST_F(PixelEffectTest, StripesFadeOneAfterAnotherFromTheLeft)
{
    auto stripes = Make<Rendering::PixelAlphaStripePhoto>({sScene->Photo(400, 300, Red), sScene->Photo(400, 300, Blue)}, 2.0f);
    const QImage picture = sScene->RenderAt(*stripes, 1.4);
    EXPECT_NEAR(stripes->InfoBuffer().s_Complete, 0.2f, 1e-5f);
    for (int i = 0; i < 8; ++i) {
        const float a = std::clamp((0.2f - 0.025f - 0.04f * static_cast<float>(i)) * 8.0f, 0.0f, 1.0f);
        const QColor want(static_cast<int>(std::lround(255 * (1 - a))), 0, static_cast<int>(std::lround(255 * a)));
        ExpectColour(picture, AtTexel((static_cast<float>(i) + 0.5f) / 8.0f, 0.4f), want, "stripe");
    }
}

// Cell (column, row) of the 8 x 6 board is odd when column + row is odd.
TEST_F(PixelEffectTest, CheckeredWipesTheOddCellsFirstFromTheirRightEdge)
{
    auto board = Make<Rendering::PixelCheckeredPhoto>({sScene->Photo(400, 300, Red), sScene->Photo(400, 300, Blue)}, 2.0f);
    const auto cell = [](int col, int row, float fx) {
        return AtTexel((static_cast<float>(col) + fx) / 8.0f, (static_cast<float>(row) + 0.5f) * 0.125f);
    };
    // k 0.25: the odd cells show the second photo on their left half only.
    const QImage quarter = sScene->RenderAt(*board, 1.5);
    ExpectColour(quarter, cell(1, 0, 0.25f), Blue, "odd cell, left part");
    ExpectColour(quarter, cell(1, 0, 0.75f), Red, "odd cell, right part");
    ExpectColour(quarter, cell(0, 0, 0.75f), Blue, "even cell");
    // k 0.5: odd cells show the first photo, even cells the second.
    const QImage half = sScene->RenderAt(*board, 2.0);
    for (int col = 0; col < 8; ++col) {
        for (int row = 0; row < 6; ++row) {
            ExpectColour(half, cell(col, row, 0.5f), (col + row) % 2 == 1 ? Red : Blue, "cell at k 0.5");
        }
    }
}

// One sixth into the hold the diamond has half-diagonal 1/6 and has turned by 45 degrees, so it
// stands as an upright square around the centre (0.5, 0.375).
TEST_F(PixelEffectTest, DiamondGrowsAndTurnsAboutThePhotoCentre)
{
    auto diamond = Make<Rendering::PixelRevealTurningDiamondPhoto>(
        {sScene->Photo(400, 300, Red), sScene->Photo(400, 300, Blue)}, 1.0f);
    const QImage turned = sScene->RenderAt(*diamond, 1.0 + 1.0 / 6.0);
    EXPECT_NEAR(diamond->GreyBuffer().Radius, 1.0f / 3.0f, 1e-4f);
    EXPECT_FLOAT_EQ(diamond->GreyBuffer().Aspect_ratio, 0.75f);
    ExpectColour(turned, AtTexel(0.5f + 0.1f, 0.375f + 0.1f), Blue, "corner region of the turned square");
    ExpectColour(turned, AtTexel(0.5f + 0.15f, 0.375f), Red, "beyond the side of the turned square");
    ExpectColour(turned, AtTexel(0.5f, 0.375f), Blue, "centre");
    // 270 degrees at the end of the hold: a quarter-turn multiple, so the corners are covered.
    const auto& rot = diamond->RotationBuffer().RotMat.m;
    sScene->RenderAt(*diamond, 2.0);
    EXPECT_NEAR(rot[0][0], 0.0f, 1e-5f);
    EXPECT_NEAR(rot[0][1], -1.0f, 1e-5f);
    EXPECT_NEAR(rot[1][0], 1.0f, 1e-5f);
}

// One third of the Rec. 601 luma of a solid (200, 40, 40) photo.
const QColor Colour{200, 40, 40};
const QColor Grey{29, 29, 29};

QColor Mix(const QColor& a, const QColor& b, float g)
{
    const auto mix = [g](int x, int y) { return static_cast<int>(std::lround(x * (1 - g) + y * g)); };
    return {mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue())};
}

TEST_F(PixelEffectTest, CircleTurnsTheGreyPhotoBackToColourFromItsCentre)
{
    auto circle = Make<Rendering::ExpandingCirclePhoto2>({sScene->Photo(400, 300, Colour)}, 1.0f, 1.0f);
    EXPECT_EQ(circle->GetEffectId(), 4);
    EXPECT_EQ(circle->GetPhotoCount(), 1);
    const QImage entering = sScene->RenderAt(*circle, 0.9);
    ExpectColour(entering, sScene->PixelOf(0.0f, 0.0f), Grey, "entering");
    const QImage start = sScene->RenderAt(*circle, 1.0);
    for (const auto& [u, v] : Spread) {
        ExpectColour(start, AtTexel(u, v), Grey, "hold start");
    }
    // Half-way: radius 0.525 and greyness 0.5 around (0.5, 0.375).
    const QImage half = sScene->RenderAt(*circle, 1.5);
    ExpectColour(half, AtTexel(0.5f, 0.375f), Colour, "centre");
    ExpectColour(half, AtTexel(0.5f, 0.375f + 0.2625f), Mix(Colour, Grey, 0.25f), "half-way to the rim");
    ExpectColour(half, AtTexel(0.02f, 0.02f), Mix(Colour, Grey, 0.5f), "outside the circle");
    const QImage end = sScene->RenderAt(*circle, 2.0);
    for (const auto& [u, v] : Spread) {
        ExpectColour(end, AtTexel(u, v), Colour, "hold end");
    }
    ExpectColour(sScene->RenderAt(*circle, 3.2), sScene->PixelOf(0.0f, 0.0f), Colour, "leaving");
}

TEST_F(PixelEffectTest, EachPixelTakesTheNearerOfTwoChosenCircles)
{
    auto circle = Make<Rendering::ExpandingCirclePhoto2>({sScene->Photo(400, 300, Colour)}, 1.0f, 1.0f);
    circle->SetCircles({0.2f, 0.2f, 0.8f, 0.55f});
    // 0.2 s into the hold: radius 0.21, greyness 0.8.
    const QImage early = sScene->RenderAt(*circle, 1.2);
    ExpectColour(early, AtTexel(0.2f, 0.2f), Colour, "first point");
    ExpectColour(early, AtTexel(0.8f, 0.55f), Colour, "second point");
    ExpectColour(early, AtTexel(0.5f, 0.375f), Mix(Colour, Grey, 0.8f), "centre, outside both circles");
    ExpectColour(early, AtTexel(0.8f, 0.55f - 0.105f), Mix(Colour, Grey, 0.4f), "inside the second circle");
}

TEST_F(PixelEffectTest, NullPhotoDrawsNothingInAnyPhase)
{
    auto empty = Make<Rendering::NullPhoto>({sScene->Photo(400, 300, Red)}, 1.0f);
    EXPECT_EQ(empty->GetEffectId(), 11);
    EXPECT_EQ(empty->GetPhotoCount(), 1);
    EXPECT_FLOAT_EQ(empty->GetTotalTime(), 4.0f);
    for (const double t : {0.5, 1.5, 2.5, 3.5}) {
        const QImage picture = sScene->RenderAt(*empty, t);
        for (const auto& [u, v] : Spread) {
            ExpectColour(picture, AtTexel(u, v), Black, "empty slot");
        }
    }
}

}  // namespace
}  // namespace PelloraTest
