#include "GameFixture.h"

#include "framework/Camera.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace
{
using Library::Float3;
using Library::Float4x4;

class CameraTest : public testing::Test
{
protected:
    PelloraTest::SizedGame mSized;
    Library::Game& mGame = *mSized.game;
};

void ExpectVector(const Float3& actual, const Float3& expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-6f);
    EXPECT_NEAR(actual.y, expected.y, 1e-6f);
    EXPECT_NEAR(actual.z, expected.z, 1e-6f);
}

TEST_F(CameraTest, ViewOfTheShowCameraIsATranslationByMinusTwo)
{
    Library::PerspectiveCamera camera(mGame, 0.01f, 1000.0f, 45.0f, 16.0f / 9.0f);
    camera.SetUp();
    camera.SetPosition(0.0f, 0.0f, 2.0f);
    camera.Advance({});
    Float4x4 expected = Library::Identity();
    expected.m[3][2] = -2.0f;
    EXPECT_EQ(camera.ViewMatrix(), expected);
}

TEST_F(CameraTest, PerspectiveTakesFortyFiveAsRadians)
{
    Library::PerspectiveCamera camera(mGame, 0.01f, 1000.0f, 45.0f, 16.0f / 9.0f);
    camera.SetUp();
    const Float4x4& projection = camera.ProjectionMatrix();
    EXPECT_NEAR(projection.m[1][1], 1.79259f, 1e-4f);
    EXPECT_NEAR(projection.m[0][0], 1.79259f / (16.0f / 9.0f), 1e-4f);
    EXPECT_NEAR(projection.m[0][0], 1.00833f, 1e-4f);
    const float r = 1000.0f / (0.01f - 1000.0f);
    EXPECT_FLOAT_EQ(projection.m[2][2], r);
    EXPECT_FLOAT_EQ(projection.m[2][3], -1.0f);
    EXPECT_FLOAT_EQ(projection.m[3][2], r * 0.01f);
    EXPECT_FLOAT_EQ(projection.m[3][3], 0.0f);
}

TEST_F(CameraTest, OrthographicOfAn800By600ShowSpansOneAndAHalfUnitsHigh)
{
    const float viewHeight = 2.0f * 600.0f / 800.0f;
    Library::OrthographicCamera camera(mGame, 0.01f, 1000.0f, 2.0f, viewHeight);
    camera.SetUp();
    const Float4x4& projection = camera.ProjectionMatrix();
    EXPECT_FLOAT_EQ(viewHeight, 1.5f);
    EXPECT_FLOAT_EQ(projection.m[0][0], 1.0f);
    EXPECT_FLOAT_EQ(projection.m[1][1], 2.0f / 1.5f);
    EXPECT_FLOAT_EQ(projection.m[2][2], 1.0f / (0.01f - 1000.0f));
    EXPECT_FLOAT_EQ(projection.m[3][3], 1.0f);
}

TEST_F(CameraTest, SetUpResetsOrientationAndAPointAheadLandsInTheMiddleOfTheDepthRange)
{
    Library::PerspectiveCamera camera(mGame, 0.01f, 1000.0f, 45.0f, 1.0f);
    camera.SetPosition(5.0f, 5.0f, 5.0f);
    camera.SetUp();
    ExpectVector(camera.Position(), {0.0f, 0.0f, 0.0f});
    ExpectVector(camera.Direction(), {0.0f, 0.0f, -1.0f});
    camera.SetPosition(0.0f, 0.0f, 2.0f);
    camera.Advance({});
    const Float3 centre = Library::TransformCoord({0.0f, 0.0f, 0.66f}, camera.ViewProjectionMatrix());
    EXPECT_NEAR(centre.x, 0.0f, 1e-6f);
    EXPECT_NEAR(centre.y, 0.0f, 1e-6f);
    EXPECT_GT(centre.z, 0.0f);
    EXPECT_LT(centre.z, 1.0f);
}

TEST_F(CameraTest, ApplyRotationTurnsDirectionAndKeepsTheBasisOrthogonal)
{
    Library::PerspectiveCamera camera(mGame, 0.01f, 1000.0f, 45.0f, 1.0f);
    camera.SetUp();
    Float4x4 rotation = Library::RotationY(std::numbers::pi_v<float> / 2.0f);
    rotation.m[3][0] = 7.0f; // translation must not matter
    camera.ApplyRotation(rotation);
    ExpectVector(camera.Direction(), {-1.0f, 0.0f, 0.0f});
    ExpectVector(camera.Up(), {0.0f, 1.0f, 0.0f});
    ExpectVector(camera.Right(), {0.0f, 0.0f, -1.0f});
}
}
