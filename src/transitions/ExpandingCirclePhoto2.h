#pragma once

// One photo that enters in grey and, during the hold, regains its colour in circles growing out of
// one or two chosen points (or out of its centre).

#include "PhotoAnimation.h"

namespace Rendering {

class ExpandingCirclePhoto2 : public PhotoAnimation
{
    RTTI_DECLARATIONS(ExpandingCirclePhoto2, PhotoAnimation)

public:
    // Pixel-stage constant slot b0.
    struct CGreyBufferPerObject
    {
        float Greyness = 1.0f;  // outside the circles: 0 colour .. 1 grey
        float Radius = 0.0f;    // texture units
        float Aspect_ratio = 1.0f;
        float Dummy1 = 0.0f;
    };
    // Pixel-stage constant slot b1: points in the photo texture's coordinates, (0, 0) for none.
    struct CCircleBufferPerObject
    {
        float x0 = 0.0f;
        float y0 = 0.0f;
        float x1 = 0.0f;
        float y1 = 0.0f;
    };

    // startGreyness: how grey the photo enters (the show uses 1).
    ExpandingCirclePhoto2(Library::Game& game, std::shared_ptr<Library::Camera> camera, float screenWidth,
        float screenHeight, float startGreyness);

    void SetUp() override;
    void Render(const Library::FrameTime& frameTime) override;
    int GetPhotoCount() const override;
    int GetEffectId() const override;
    void RenderEnter(const Library::FrameTime& frameTime, float t, float span) override;
    void RenderHold(const Library::FrameTime& frameTime, float elapsed) override;
    void RenderLeave(const Library::FrameTime& frameTime, float t, float span) override;

    void SetCircles(const CCircleBufferPerObject& circles) { mCircleParams = circles; }
    const CCircleBufferPerObject& CircleParams() const { return mCircleParams; }
    const CGreyBufferPerObject& GreyParams() const { return mGreyParams; }

private:
    void DrawCircles(float t, bool leaving);

    float mStartGreyness;
    CGreyBufferPerObject mGreyParams;
    CCircleBufferPerObject mCircleParams;
    EffectObjects* mEffect = nullptr;  // the game's shared set
};

static_assert(offsetof(ExpandingCirclePhoto2::CGreyBufferPerObject, Greyness) == 0);
static_assert(offsetof(ExpandingCirclePhoto2::CGreyBufferPerObject, Radius) == 4);
static_assert(offsetof(ExpandingCirclePhoto2::CGreyBufferPerObject, Aspect_ratio) == 8);
static_assert(offsetof(ExpandingCirclePhoto2::CGreyBufferPerObject, Dummy1) == 12);
static_assert(sizeof(ExpandingCirclePhoto2::CGreyBufferPerObject) == 16);
static_assert(offsetof(ExpandingCirclePhoto2::CCircleBufferPerObject, x0) == 0);
static_assert(offsetof(ExpandingCirclePhoto2::CCircleBufferPerObject, y0) == 4);
static_assert(offsetof(ExpandingCirclePhoto2::CCircleBufferPerObject, x1) == 8);
static_assert(offsetof(ExpandingCirclePhoto2::CCircleBufferPerObject, y1) == 12);
static_assert(sizeof(ExpandingCirclePhoto2::CCircleBufferPerObject) == 16);

}  // namespace Rendering
