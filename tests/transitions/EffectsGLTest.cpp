#include "ColorVerticalSwipePhoto.h"
#include "TintPhoto.h"
#include "TransitionScene.h"

#include <algorithm>

namespace PelloraTest {
namespace {

const QColor Grey{128, 128, 128};
const QColor Red{255, 0, 0};
const QColor Black{0, 0, 0};

// The tinted colour of a grey photo: independent of the shader code, straight from the colour model.
QColor TintedGrey(const std::array<float, 4>& hsv)
{
    const float g = 128 / 255.0f;
    const float L = std::min(g + 0.15f, 1.0f);
    const float h = hsv[0] / 60.0f;
    const int sector = static_cast<int>(h);
    const float f = h - static_cast<float>(sector);
    const float p = L * (1 - hsv[1]);
    const float q = L * (1 - hsv[1] * f);
    const float t = L * (1 - hsv[1] * (1 - f));
    const std::array<std::array<float, 3>, 6> sectors{{{L, t, p}, {q, L, p}, {p, L, t}, {p, q, L}, {t, p, L}, {L, p, q}}};
    const auto& rgb = sectors[static_cast<std::size_t>(std::min(sector, 5))];
    const auto mix = [g](float c) { return static_cast<int>(std::lround((g * 0.3f + c * 0.7f) * 255)); };
    return {mix(rgb[0]), mix(rgb[1]), mix(rgb[2])};
}

std::array<QColor, 4> TintColours()
{
    const auto c = Rendering::CColorBufferPerObject::TintColors();
    return {TintedGrey(c.s_color1), TintedGrey(c.s_color2), TintedGrey(c.s_color3), TintedGrey(c.s_color4)};
}

using EffectTest = EffectFixture;

TEST_F(EffectTest, ConstantsAndTypeNames)
{
    auto tint = Make<Rendering::TintPhoto>({}, 1.0f);
    auto swipe = Make<Rendering::ColorVerticalSwipePhoto>({}, 2.0f);
    EXPECT_EQ(tint->GetEffectId(), 24);
    EXPECT_EQ(tint->GetPhotoCount(), 1);
    EXPECT_FLOAT_EQ(tint->GetHoldTime(), 1.0f);
    EXPECT_EQ(swipe->GetEffectId(), 1);
    EXPECT_EQ(swipe->GetPhotoCount(), 2);
    EXPECT_FLOAT_EQ(swipe->GetHoldTime(), 2.0f);
    EXPECT_FLOAT_EQ(swipe->GetTotalTime(), 5.0f);
    for (Rendering::PhotoAnimation* effect : std::initializer_list<Rendering::PhotoAnimation*>{tint.get(), swipe.get()}) {
        EXPECT_TRUE(effect->IsKindOfName("PhotoAnimation"));
        EXPECT_TRUE(effect->IsKindOfName("DrawableGameComponent"));
        EXPECT_TRUE(effect->IsKindOfKey(Rendering::PhotoAnimation::TypeIdClass()));
        EXPECT_EQ(effect->As<Rendering::PhotoAnimation>(), effect);
    }
    EXPECT_TRUE(tint->IsKindOfName("TintPhoto"));
    EXPECT_FALSE(tint->IsKindOfName("ColorVerticalSwipePhoto"));
    EXPECT_TRUE(swipe->IsKindOfName("ColorVerticalSwipePhoto"));
    // Drawing without photos draws nothing, not even a frame around the empty place.
    const QImage empty = sScene->RenderAt(*tint, 1.5);
    for (const QPoint p : {sScene->PixelOf(0.02f, 0.02f), sScene->PixelOf(-0.02f, -0.02f)}) {
        ExpectColour(empty, p, Black, "empty tint");
    }
}

TEST_F(EffectTest, TintBandsCarryTheirHuesUntilTheWipeOff)
{
    auto tint = Make<Rendering::TintPhoto>({sScene->Photo(400, 300, Grey)}, 1.0f);
    const auto colours = TintColours();
    const QImage held = sScene->RenderAt(*tint, 1.5);
    for (std::size_t k = 0; k < 4; ++k) {
        ExpectColour(held, AtTexel(0.125f + 0.25f * k, 0.4f), colours[k], "band");
    }
    // Half-way through the wipe-off each band's tint has receded to its left half.
    const QImage wiping = sScene->RenderAt(*tint, 2.15);
    for (std::size_t k = 0; k < 4; ++k) {
        ExpectColour(wiping, AtTexel(0.0625f + 0.25f * k, 0.4f), colours[k], "receding band");
        ExpectColour(wiping, AtTexel(0.1875f + 0.25f * k, 0.4f), Grey, "wiped part");
    }
    const QImage natural = sScene->RenderAt(*tint, 2.5);
    for (std::size_t k = 0; k < 4; ++k) {
        ExpectColour(natural, AtTexel(0.125f + 0.25f * k, 0.4f), Grey, "wiped band");
    }
}

TEST_F(EffectTest, SwipeSweepsTheBandsThenWipesTheTintOff)
{
    auto swipe = Make<Rendering::ColorVerticalSwipePhoto>(
        {sScene->Photo(400, 300, Red), sScene->Photo(400, 300, Grey)}, 2.0f);
    swipe->SetWipeLeftToRight(1);
    const auto colours = TintColours();
    const float bands[] = {1 / 6.0f, 0.5f, 5 / 6.0f};

    const QImage entered = sScene->RenderAt(*swipe, 1.0);
    ExpectColour(entered, AtTexel(bands[1], 0.4f), Red, "first photo");

    // s_ani 0.1: the first band is tinted from its top down to y = 0.3, i.e. v = 0.4.
    const QImage sweeping = sScene->RenderAt(*swipe, 1.1);
    ExpectColour(sweeping, AtTexel(bands[0], 0.1f), colours[0], "swept top of band 1");
    ExpectColour(sweeping, AtTexel(bands[0], 0.7f), Red, "unswept bottom of band 1");
    ExpectColour(sweeping, AtTexel(bands[1], 0.1f), Red, "band 2 before its sweep");

    const QImage tinted = sScene->RenderAt(*swipe, 2.0);
    for (std::size_t k = 0; k < 3; ++k) {
        ExpectColour(tinted, AtTexel(bands[k], 0.4f), colours[k], "tinted band");
    }

    // Half-way through the wipe-off the tint remains on the right half of every band.
    const QImage wiping = sScene->RenderAt(*swipe, 2.5);
    for (std::size_t k = 0; k < 3; ++k) {
        ExpectColour(wiping, AtTexel(bands[k] - 1 / 12.0f, 0.4f), Grey, "wiped left part");
        ExpectColour(wiping, AtTexel(bands[k] + 1 / 12.0f, 0.4f), colours[k], "tinted right part");
    }
    ExpectColour(sScene->RenderAt(*swipe, 3.5), AtTexel(bands[1], 0.4f), Grey, "resting on the second photo");
}

}  // namespace
}  // namespace PelloraTest
