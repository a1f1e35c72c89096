#pragma once

#include "framework/DrawableGameComponent.h"
#include "framework/GpuResources.h"
#include "framework/TextureRes.h"
#include "show/TextPipeline.h"

#include <QImage>

#include <array>
#include <vector>

namespace Rendering {

// An end-credit block drawn with the perspective camera from startTime to endTime: one quad per
// line of the text bitmap, each with its shadow, the heading drifting right and the rest left.
class PlainWicText : public Library::DrawableGameComponent {
    RTTI_DECLARATIONS(PlainWicText, Library::DrawableGameComponent)

public:
    // A null shadow image draws the text quads alone. lineSizes are in pixels of the text bitmap.
    PlainWicText(Library::Game& game, std::shared_ptr<Library::Camera> camera, QImage text, QImage shadow,
        std::vector<std::array<float, 2>> lineSizes, float startTime, float endTime);

    void SetPosition(std::array<float, 2> position) { mPosition = position; }
    void SetShadowOffset(std::array<float, 2> offset) { mShadowOffset = offset; }
    float StartTime() const { return mStartTime; }
    float EndTime() const { return mEndTime; }
    const std::vector<std::array<float, 2>>& LineSizes() const { return mLineSizes; }

    void SetUp() override;
    void Render(const Library::FrameTime& frameTime) override;

private:
    QImage mTextBitmap;
    QImage mShadowBitmap;
    Library::TextureRes mTextTexture;
    Library::TextureRes mShadowTexture;
    std::vector<std::array<float, 2>> mLineSizes;
    int mTextureSize;
    float mStartTime;
    float mEndTime;
    std::array<float, 2> mPosition{-0.3f, -0.1f};
    std::array<float, 2> mShadowOffset{};
    bool mDrifting = true;
    float mSizeScale = 1.0f;
    std::vector<Library::Buffer> mVertexBuffers; // one per line
    TextPipeline mPipeline;
};

} // namespace Rendering
