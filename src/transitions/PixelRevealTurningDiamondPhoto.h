#pragma once

// Changes one photo into the other inside the same quad: a diamond of the second photo grows out of
// the centre while turning three quarters of a full turn, until it fills the quad.

#include "PhotoAnimation.h"

namespace Rendering {

class PixelRevealTurningDiamondPhoto : public PhotoAnimation
{
    RTTI_DECLARATIONS(PixelRevealTurningDiamondPhoto, PhotoAnimation)

public:
    // Pixel-stage constant slot b0.
    struct CGreyBufferPerObject
    {
        float Complete = 0.0f;  // carried, neither written nor read
        float Radius = 0.0f;    // twice the diamond's half-diagonal, texture units
        float Aspect_ratio = 1.0f;
        float Dummy1 = 0.0f;
    };
    // Pixel-stage constant slot b1: a rotation about z, stored row by row.
    struct CRotMatPerObject
    {
        Library::Float4x4 RotMat = Library::Identity();
    };

    PixelRevealTurningDiamondPhoto(Library::Game& game, std::shared_ptr<Library::Camera> camera, float screenWidth,
        float screenHeight);

    void SetUp() override;
    void Render(const Library::FrameTime& frameTime) override;
    int GetPhotoCount() const override;
    int GetEffectId() const override;
    void RenderEnter(const Library::FrameTime& frameTime, float t, float span) override;
    void RenderHold(const Library::FrameTime& frameTime, float elapsed) override;
    void RenderLeave(const Library::FrameTime& frameTime, float t, float span) override;

    const CGreyBufferPerObject& GreyBuffer() const { return mGrey; }
    const CRotMatPerObject& RotationBuffer() const { return mRotation; }

private:
    void DrawDiamond(float t, bool leaving);

    EffectObjects* mEffect = nullptr;  // the game's shared set
    CGreyBufferPerObject mGrey;
    CRotMatPerObject mRotation;
};

static_assert(offsetof(PixelRevealTurningDiamondPhoto::CGreyBufferPerObject, Complete) == 0);
static_assert(offsetof(PixelRevealTurningDiamondPhoto::CGreyBufferPerObject, Radius) == 4);
static_assert(offsetof(PixelRevealTurningDiamondPhoto::CGreyBufferPerObject, Aspect_ratio) == 8);
static_assert(offsetof(PixelRevealTurningDiamondPhoto::CGreyBufferPerObject, Dummy1) == 12);
static_assert(sizeof(PixelRevealTurningDiamondPhoto::CGreyBufferPerObject) == 16);
static_assert(offsetof(PixelRevealTurningDiamondPhoto::CRotMatPerObject, RotMat) == 0);
static_assert(sizeof(PixelRevealTurningDiamondPhoto::CRotMatPerObject) == 64);

}  // namespace Rendering
