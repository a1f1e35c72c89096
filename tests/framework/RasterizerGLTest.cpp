#include "QuadFixture.h"

#include "framework/GameException.h"

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
