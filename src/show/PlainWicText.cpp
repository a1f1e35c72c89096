#include "show/PlainWicText.h"

#include "framework/Camera.h"
#include "framework/Game.h"
#include "show/TextLayout.h"

namespace Rendering {

PlainWicText::PlainWicText(Library::Game& game, std::shared_ptr<Library::Camera> camera, QImage text, QImage shadow,
    std::vector<std::array<float, 2>> lineSizes, float startTime, float endTime)
    : DrawableGameComponent(game, std::move(camera)),
      mTextBitmap(std::move(text)),
      mShadowBitmap(std::move(shadow)),
      mLineSizes(std::move(lineSizes)),
      mTextureSize(mTextBitmap.width()),
      mStartTime(startTime),
      mEndTime(endTime)
{
}

void PlainWicText::SetUp()
{
    auto& device = mGame->Device();
    mSizeScale = 1.0f;
    mTextTexture.CreateFromImage(device, mTextBitmap);
    if (!mShadowBitmap.isNull()) {
        mShadowTexture.CreateFromImage(device, mShadowBitmap);
    }
    mTextBitmap = {};
    mShadowBitmap = {};
    mVertexBuffers.resize(mLineSizes.size());
    for (auto& buffer : mVertexBuffers) {
        CreateTextQuadBuffer(device, buffer);
    }
    mPipeline.Create(device);
}

void PlainWicText::Render(const Library::FrameTime& frameTime)
{
    const auto t = static_cast<float>(frameTime.sinceStart);
    if (!CreditDrawn(t, mStartTime, mEndTime) || !mPipeline) {
        return;
    }
    const float drift = CreditDrift(t, mStartTime, mEndTime, mDrifting);
    const auto quads = CreditLineQuads(mLineSizes, mTextureSize, mSizeScale);
    auto& context = mGame->Context();
    const auto draw = [&](std::size_t line, bool shadow) {
        auto offset = CreditLineOffset(line, drift, shadow, mShadowOffset);
        offset = {offset[0] + mPosition[0], offset[1] + mPosition[1]};
        mPipeline.DrawQuad(context, mVertexBuffers[line], quads[line], shadow ? mShadowTexture.View : mTextTexture.View,
            *mCamera, offset, 1.0f);
    };
    mPipeline.Begin(context);
    for (std::size_t line = 0; line < quads.size(); ++line) {
        if (mShadowTexture.View) {
            draw(line, true);
        }
        draw(line, false);
    }
    mPipeline.End(context);
}

} // namespace Rendering
