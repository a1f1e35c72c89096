#pragma once

// One photo that enters covered by four vertical bands of colour tint and, at the start of its rest
// time, has the tint wiped off in all four bands at once.

#include "PhotoAnimation.h"
#include "TintColors.h"

namespace Rendering {

// s_swipe during the hold phase: 0 through the hold, then a linear ramp over the first 30 % of the
// rest time.
float HoldTintSwipe(float elapsed, const PhaseTimes& times);

class TintPhoto : public PhotoAnimation
{
    RTTI_DECLARATIONS(TintPhoto, PhotoAnimation)

public:
    // Pixel-stage constant slot b1 (the colours are slot b0).
    struct CInfoBufferPerObject
    {
        std::int32_t s_left2right = 0;  // 1: the wipe-off runs from each band's left edge
        float s_tint_add = 0.15f;       // brightness added before tinting
        float s_swipe = 0.0f;           // wipe-off, 0..1
        float s_img_width = 1.0f;       // width of the banded region in texture units
    };

    TintPhoto(Library::Game& game, std::shared_ptr<Library::Camera> camera, float screenWidth, float screenHeight);

    void SetUp() override;
    void Render(const Library::FrameTime& frameTime) override;
    int GetPhotoCount() const override;
    int GetEffectId() const override;
    void RenderEnter(const Library::FrameTime& frameTime, float t, float span) override;
    void RenderHold(const Library::FrameTime& frameTime, float elapsed) override;
    void RenderLeave(const Library::FrameTime& frameTime, float t, float span) override;

    const CInfoBufferPerObject& InfoBuffer() const { return mInfo; }

private:
    void DrawTint(float t, bool leaving);

    EffectObjects* mEffect = nullptr;  // shaders, colour and info buffers; the game's shared set
    CColorBufferPerObject mColors = CColorBufferPerObject::TintColors();
    CInfoBufferPerObject mInfo;
    float mTintOpacity = 0.7f;
};

static_assert(offsetof(TintPhoto::CInfoBufferPerObject, s_left2right) == 0);
static_assert(offsetof(TintPhoto::CInfoBufferPerObject, s_tint_add) == 4);
static_assert(offsetof(TintPhoto::CInfoBufferPerObject, s_swipe) == 8);
static_assert(offsetof(TintPhoto::CInfoBufferPerObject, s_img_width) == 12);
static_assert(sizeof(TintPhoto::CInfoBufferPerObject) == 16);

}  // namespace Rendering
