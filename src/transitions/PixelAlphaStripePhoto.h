#pragma once

// Changes the first photo into the second inside the same quad by cross-fading eight vertical
// stripes, the fades starting one after another from left to right.

#include "PhotoAnimation.h"

namespace Rendering {

class PixelAlphaStripePhoto : public PhotoAnimation
{
    RTTI_DECLARATIONS(PixelAlphaStripePhoto, PhotoAnimation)

public:
    // Pixel-stage constant slot b0.
    struct CInfoBufferPerObject
    {
        float s_Complete = 0.0f;       // progress of the cross-fade, 0..1
        float s_NumOfStripes = 8.0f;
        float s_EachDuration = 1.0f;   // carried, not read
        float s_StartQuantum = 0.025f; // progress at which the first stripe starts
    };
    // Pixel-stage constant slot b1.
    struct CInfoBufferPerObject2
    {
        float s_Width = 1.0f;  // width of the photo's texture-coordinate range
        float s_Dummy1 = 0.0f;
        float s_Dummy2 = 0.0f;
        float s_Dummy3 = 0.0f;
    };

    PixelAlphaStripePhoto(Library::Game& game, std::shared_ptr<Library::Camera> camera, float screenWidth,
        float screenHeight);

    void SetUp() override;
    void Render(const Library::FrameTime& frameTime) override;
    int GetPhotoCount() const override;
    float GetHoldTime() const override;
    int GetEffectId() const override;
    void RenderEnter(const Library::FrameTime& frameTime, float t, float span) override;
    void RenderHold(const Library::FrameTime& frameTime, float elapsed) override;
    void RenderLeave(const Library::FrameTime& frameTime, float t, float span) override;

    const CInfoBufferPerObject& InfoBuffer() const { return mInfo; }

private:
    void DrawStripes(float t, bool leaving);

    EffectObjects* mEffect = nullptr;  // the game's shared set
    CInfoBufferPerObject mInfo;
    CInfoBufferPerObject2 mInfo2;
};

static_assert(offsetof(PixelAlphaStripePhoto::CInfoBufferPerObject, s_Complete) == 0);
static_assert(offsetof(PixelAlphaStripePhoto::CInfoBufferPerObject, s_NumOfStripes) == 4);
static_assert(offsetof(PixelAlphaStripePhoto::CInfoBufferPerObject, s_EachDuration) == 8);
static_assert(offsetof(PixelAlphaStripePhoto::CInfoBufferPerObject, s_StartQuantum) == 12);
static_assert(sizeof(PixelAlphaStripePhoto::CInfoBufferPerObject) == 16);
static_assert(offsetof(PixelAlphaStripePhoto::CInfoBufferPerObject2, s_Width) == 0);
static_assert(offsetof(PixelAlphaStripePhoto::CInfoBufferPerObject2, s_Dummy1) == 4);
static_assert(offsetof(PixelAlphaStripePhoto::CInfoBufferPerObject2, s_Dummy2) == 8);
static_assert(offsetof(PixelAlphaStripePhoto::CInfoBufferPerObject2, s_Dummy3) == 12);
static_assert(sizeof(PixelAlphaStripePhoto::CInfoBufferPerObject2) == 16);

}  // namespace Rendering
