#include "QuadFixture.h"

#include "framework/GameException.h"
#include "framework/GpuHelpers.h"

#include <gtest/gtest.h>

namespace
{
using Library::RasterizerStates;
using PelloraTest::Pixel;
using PelloraTest::QuadScene;

const Pixel Red{0, 0, 255, 255};
const Pixel Black{0, 0, 0, 255};

struct CullCase
{
    const char* name;
    const Library::RasterizerState* state;
    bool drawn;
};

void PrintTo(const CullCase& cullCase, std::ostream* out)
{
    *out << cullCase.name;
}

// A quad written left-top, left-bottom, right-bottom, right-top turns counter-clockwise on the
// screen: states with counter-clockwise front faces draw it, clockwise ones cull it.
class RasterizerStateTest : public testing::TestWithParam<CullCase>
{
};

TEST_P(RasterizerStateTest, DrawsTheQuadExactlyWhenItFacesTheViewer)
{
    QuadScene scene;
    scene.Draw(GetParam().state, nullptr);
    const auto pixels = scene.ReadBack();
    EXPECT_EQ(scene.At(pixels, 8, 8), GetParam().drawn ? Red : Black);
    EXPECT_EQ(scene.At(pixels, 0, 0), Black);
}

INSTANTIATE_TEST_SUITE_P(SharedStates, RasterizerStateTest,
    testing::Values(CullCase{"SolidCullBackCw", &RasterizerStates::SolidCullBackCw, false},
        CullCase{"SolidCullBackCcw", &RasterizerStates::SolidCullBackCcw, true},
        CullCase{"SolidNoCull", &RasterizerStates::SolidNoCull, true},
        CullCase{"DefaultState", nullptr, false}),
    [](const testing::TestParamInfo<CullCase>& testCase) { return std::string(testCase.param.name); });

TEST(RasterizerState, WireframeDrawsOnlyTheEdges)
{
    QuadScene scene(32, 32);
    scene.Draw(&RasterizerStates::WireframeNoCull, nullptr, 0.75f);
    const auto pixels = scene.ReadBack();
    EXPECT_EQ(scene.At(pixels, 20, 10), Black); // inside, off the diagonal
    int lit = 0;
    for (std::uint32_t x = 0; x < 32; ++x) {
        lit += scene.At(pixels, x, 16) != Black ? 1 : 0;
    }
    EXPECT_GE(lit, 2); // the two sides and the diagonal, not the 24 pixels of a filled row
    EXPECT_LE(lit, 8);
}
}

namespace
{
struct BlendCase
{
    const char* name;
    bool alphaBlend;
    int expectedRed; // red over black at alpha 128 of 255
};

void PrintTo(const BlendCase& blendCase, std::ostream* out)
{
    *out << blendCase.name;
}

class BlendStateTest : public testing::TestWithParam<BlendCase>
{
};

TEST_P(BlendStateTest, TranslucentRedOverBlack)
{
    QuadScene scene;
    scene.SetColor(QColor(255, 0, 0, 128));
    Library::BlendState blend;
    if (GetParam().alphaBlend) {
        Library::CreateAlphaBlendState(scene.Game().Device(), blend);
    } else {
        Library::CreateNoBlendState(scene.Game().Device(), blend);
    }
    scene.Draw(&RasterizerStates::SolidNoCull, &blend);
    const Pixel centre = scene.At(scene.ReadBack(), 8, 8);
    EXPECT_NEAR(centre.r, GetParam().expectedRed, 2);
    EXPECT_EQ(centre.g, 0);
    EXPECT_EQ(centre.a, 255); // the presented picture is opaque whatever blending wrote
}

INSTANTIATE_TEST_SUITE_P(States, BlendStateTest,
    testing::Values(BlendCase{"AlphaBlend", true, 128}, BlendCase{"NoBlend", false, 255}),
    [](const testing::TestParamInfo<BlendCase>& testCase) { return std::string(testCase.param.name); });

// The presented pixel is the mean of its four samples: red written into one, two or all of them.
TEST(Resolve, EachPixelIsTheMeanOfItsSamples)
{
    const std::pair<std::uint32_t, int> cases[] = {{0x1u, 64}, {0x3u, 128}, {0x7u, 191}, {0xFu, 255}};
    for (const auto& [mask, expectedRed] : cases) {
        QuadScene scene;
        scene.SetSampleMask(mask);
        scene.Draw(&RasterizerStates::SolidNoCull, nullptr, 1.0f);
        EXPECT_EQ(scene.At(scene.ReadBack(), 8, 8), (Pixel{0, 0, static_cast<std::uint8_t>(expectedRed), 255}))
            << "sample mask " << mask;
    }
}

// Row 0 of a texture is the top of the picture, and row 0 of the read-back is the top of the frame.
TEST(Orientation, TheTextureTopIsDrawnAtTheTopOfTheFrame)
{
    QuadScene scene;
    QImage image(2, 2, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, qRgb(0, 255, 0));
    image.setPixel(0, 1, qRgb(0, 0, 255));
    image.setPixel(1, 1, qRgb(255, 255, 255));
    Library::TextureRes texture;
    texture.CreateFromImage(scene.Game().Device(), image);
    scene.SetTexture(texture);
    scene.Draw(&RasterizerStates::SolidNoCull, nullptr, 1.0f);
    const auto pixels = scene.ReadBack();
    EXPECT_EQ(scene.At(pixels, 2, 2), (Pixel{0, 0, 255, 255}));
    EXPECT_EQ(scene.At(pixels, 13, 2), (Pixel{0, 255, 0, 255}));
    EXPECT_EQ(scene.At(pixels, 2, 13), (Pixel{255, 0, 0, 255}));
    EXPECT_EQ(scene.At(pixels, 13, 13), (Pixel{255, 255, 255, 255}));
}
}
