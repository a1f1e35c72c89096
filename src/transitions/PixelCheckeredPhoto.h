#pragma once

// Changes one photo into the other inside the same quad: a checkerboard of 8 x 6 cells is wiped
// horizontally, the cells of one colour of the board first, then those of the other.

#include "PhotoAnimation.h"
#include "PixelAlphaStripePhoto.h"

namespace Rendering {

class PixelCheckeredPhoto : public PhotoAnimation
{
    RTTI_DECLARATIONS(PixelCheckeredPhoto, PhotoAnimation)

public:
    // Pixel-stage constant slot b0, laid out as the stripes' one: s_Complete is the progress of the
    // wipe, s_NumOfStripes the number of cell columns; the other two are carried, not read.
    using CInfoBufferPerObject = PixelAlphaStripePhoto::CInfoBufferPerObject;
    // Pixel-stage constant slot b1.
    struct CInfoBufferPerObject2
    {
        float s_Width = 1.0f;  // texture-coordinate range of the photo
        float s_Height = 1.0f;
        float s_NumOfRows = 6.0f;
        float s_LeftToRight = 0.0f;  // above 0.9: the left-to-right variant
    };

    PixelCheckeredPhoto(Library::Game& game, std::shared_ptr<Library::Camera> camera, float screenWidth,
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
    const CInfoBufferPerObject2& InfoBuffer2() const { return mInfo2; }

private:
    void DrawCells(float t, bool leaving);

    EffectObjects* mEffect = nullptr;  // the game's shared set
    CInfoBufferPerObject mInfo;
    CInfoBufferPerObject2 mInfo2;
};

static_assert(offsetof(PixelCheckeredPhoto::CInfoBufferPerObject2, s_Width) == 0);
static_assert(offsetof(PixelCheckeredPhoto::CInfoBufferPerObject2, s_Height) == 4);
static_assert(offsetof(PixelCheckeredPhoto::CInfoBufferPerObject2, s_NumOfRows) == 8);
static_assert(offsetof(PixelCheckeredPhoto::CInfoBufferPerObject2, s_LeftToRight) == 12);
static_assert(sizeof(PixelCheckeredPhoto::CInfoBufferPerObject2) == 16);

}  // namespace Rendering
