#include "ExpandingCirclePhoto2.h"

namespace Rendering {

namespace {

// A little over the unit square's reach, so that the circles end up covering every texel.
constexpr float FullRadius = 1.05f;

}  // namespace

ExpandingCirclePhoto2::ExpandingCirclePhoto2(Library::Game& game, std::shared_ptr<Library::Camera> camera,
    float screenWidth, float screenHeight, float startGreyness)
    : PhotoAnimation(game, std::move(camera), screenWidth, screenHeight), mStartGreyness(startGreyness)
{
}

void ExpandingCirclePhoto2::SetUp()
{
    if (mEffect == nullptr) {
        mEffect = &Shared().Effect(mGame->Device(), "transitions/ExpandingCircle.frag",
            {sizeof(CGreyBufferPerObject), sizeof(CCircleBufferPerObject)});
    }
}

int ExpandingCirclePhoto2::GetPhotoCount() const
{
    return 1;
}

int ExpandingCirclePhoto2::GetEffectId() const
{
    return 4;
}

// Grey while entering, full colour while leaving.
void ExpandingCirclePhoto2::Render(const Library::FrameTime& frameTime)
{
    mGreyParams = {mStartGreyness, 0.0f, mAspect, 0.0f};
    if (SelectPhase(Elapsed(frameTime), Times()) == Phase::Leave) {
        mGreyParams.Radius = FullRadius;
        mGreyParams.Greyness = 0.0f;
    }
    RenderPhases(frameTime);
}

void ExpandingCirclePhoto2::RenderHold(const Library::FrameTime& frameTime, float elapsed)
{
    const float d = HoldProgress(elapsed, Times());
    mGreyParams.Aspect_ratio = mAspect;
    mGreyParams.Radius = FullRadius * d;
    mGreyParams.Greyness = mStartGreyness - mStartGreyness * d;
    RenderEnter(frameTime, 1.0f, mFrameSpan);
    DrawFrameRing(1.0f, mFrameSpan);
}

void ExpandingCirclePhoto2::RenderEnter(const Library::FrameTime&, float t, float)
{
    DrawCircles(t, false);
}

void ExpandingCirclePhoto2::RenderLeave(const Library::FrameTime&, float t, float)
{
    DrawCircles(t, true);
}

void ExpandingCirclePhoto2::DrawCircles(float t, bool leaving)
{
    DrawEffectQuad(mEffect, {&mGreyParams, &mCircleParams}, t, leaving);
}

}  // namespace Rendering
