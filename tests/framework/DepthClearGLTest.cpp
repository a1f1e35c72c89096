#include "QuadFixture.h"

#include "framework/GpuHelpers.h"

#include <gtest/gtest.h>

namespace
{
using PelloraTest::Pixel;
using PelloraTest::QuadScene;

// The quad is drawn with the default depth test (less): its depth from the first frame hides the
// second frame's quad unless clearing the bound depth target really resets it.
TEST(DepthClear, ClearingTheBoundDepthTargetLetsTheNextFrameDrawAgain)
{
    QuadScene scene;
    const Pixel red{0, 0, 255, 255};
    scene.Draw(&Library::RasterizerStates::SolidNoCull, nullptr);
    ASSERT_EQ(scene.At(scene.ReadBack(), 8, 8), red);
    scene.Draw(&Library::RasterizerStates::SolidNoCull, nullptr);
    EXPECT_EQ(scene.At(scene.ReadBack(), 8, 8), red);
}
}
