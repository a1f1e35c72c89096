#pragma once

// Changes the first photo into the second inside the same quad: three bands are swept one after the
// other by tinted copies of the second photo, then the tint is wiped off in all bands at once.

#include "PhotoAnimation.h"
#include "TintColors.h"

namespace Rendering {

// Progress of the tinted sweeps (s_ani) and of the wipe-off (s_swipe) during the hold phase.
struct SwipeProgress
{
    float ani = 0.0f;
    float swipe = 0.0f;
};
SwipeProgress HoldSwipeProgress(float elapsed, const PhaseTimes& times);

class ColorVerticalSwipePhoto : public PhotoAnimation
{
    RTTI_DECLARATIONS(ColorVerticalSwipePhoto, PhotoAnimation)

public:
    // Pixel-stage constant slot b0.
    struct CInfoBufferPerObject
    {
        float s_width = 0.0f;   // first photo's picture size in pixels
        float s_height = 0.0f;
        float s_ani = 0.0f;     // sweeps, 0..1
        float s_img_height = 0.0f;
    };
    // Pixel-stage constant slot b2.
    struct CInfoBufferPerObject2
    {
        std::int32_t s_left2right = 0;  // 1: the wipe-off runs from each band's left edge
        float s_tint_add = 0.15f;       // brightness added before tinting
        float s_swipe = 0.0f;           // wipe-off, 0..1
        float s_img_width = 1.0f;
    };

    ColorVerticalSwipePhoto(Library::Game& game, std::shared_ptr<Library::Camera> camera, float screenWidth,
        float screenHeight);

    void SetUp() override;
    void Render(const Library::FrameTime& frameTime) override;
    int GetPhotoCount() const override;
    float GetHoldTime() const override;
    int GetEffectId() const override;
    void RenderEnter(const Library::FrameTime& frameTime, float t, float span) override;
    void RenderHold(const Library::FrameTime& frameTime, float elapsed) override;
    void RenderLeave(const Library::FrameTime& frameTime, float t, float span) override;

    // s_left2right; the show sets 1.
    void SetWipeLeftToRight(int value);
    const CInfoBufferPerObject& InfoBuffer() const { return mInfo; }
    const CInfoBufferPerObject2& InfoBuffer2() const { return mInfo2; }

private:
    void DrawSwipe(float t, bool leaving);

    EffectObjects* mEffect = nullptr;  // shaders, info, colour and info-2 buffers; the game's shared set
    CInfoBufferPerObject mInfo;
    CColorBufferPerObject mColors = CColorBufferPerObject::TintColors();
    CInfoBufferPerObject2 mInfo2;
    float mTintOpacity = 0.7f;
};

static_assert(offsetof(ColorVerticalSwipePhoto::CInfoBufferPerObject, s_width) == 0);
static_assert(offsetof(ColorVerticalSwipePhoto::CInfoBufferPerObject, s_height) == 4);
static_assert(offsetof(ColorVerticalSwipePhoto::CInfoBufferPerObject, s_ani) == 8);
static_assert(offsetof(ColorVerticalSwipePhoto::CInfoBufferPerObject, s_img_height) == 12);
static_assert(sizeof(ColorVerticalSwipePhoto::CInfoBufferPerObject) == 16);
static_assert(offsetof(ColorVerticalSwipePhoto::CInfoBufferPerObject2, s_left2right) == 0);
static_assert(offsetof(ColorVerticalSwipePhoto::CInfoBufferPerObject2, s_tint_add) == 4);
static_assert(offsetof(ColorVerticalSwipePhoto::CInfoBufferPerObject2, s_swipe) == 8);
static_assert(offsetof(ColorVerticalSwipePhoto::CInfoBufferPerObject2, s_img_width) == 12);
static_assert(sizeof(ColorVerticalSwipePhoto::CInfoBufferPerObject2) == 16);

}  // namespace Rendering
