#pragma once

#include "framework/DrawableGameComponent.h"
#include "framework/GpuResources.h"
#include "framework/TextureRes.h"
#include "framework/VectorMath.h"
#include "project/AnimationScript.h"

#include <filesystem>
#include <memory>

namespace Rendering {

// One photo of a scripted collage: the quad of a prepared canvas that flies through the 3D scene
// along its script entry, seen by the perspective camera. It is drawn from startTime to
// startTime + disappear inclusive, without a fade.
class BlurPhoto : public Library::DrawableGameComponent {
    RTTI_DECLARATIONS(BlurPhoto, Library::DrawableGameComponent)

public:
    // entry's times are already stretched to the show (ScaleCollageEntry); the texture holds the
    // canvas whose framed photo covers [0, texRight] x [0, texBottom].
    BlurPhoto(Library::Game& game, std::shared_ptr<Library::Camera> camera,
        std::shared_ptr<const Library::TextureRes> texture, float texRight, float texBottom,
        std::shared_ptr<const BlurPhotoAniInfo> entry, float startTime, int script);

    void SetUp() override;
    void Render(const Library::FrameTime& frameTime) override;

    float StartTime() const { return mStartTime; }
    float EndTime() const { return mStartTime + mEntry->disappear; }
    const BlurPhotoAniInfo& Entry() const { return *mEntry; }
    const std::filesystem::path& PhotoPath() const { return mTexture->Path; }
    // The built-in script the photo's entry comes from.
    int Script() const { return mScript; }

    struct CBufferPerObject {
        Library::Float4x4 WorldViewProjection;
    };
    struct CAlphaBufferPerObject {
        float s_alpha[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    };

private:
    void Draw(float e);

    std::shared_ptr<const Library::TextureRes> mTexture;
    float mTexRight;
    float mTexBottom;
    float mQuadZ = 0.0f;
    float mLandscapeHalfHeight = 0.6f;
    float mPortraitHalfHeight = 0.6f;
    Library::Float4x4 mWorld = Library::Identity();
    CAlphaBufferPerObject mAlpha;
    std::shared_ptr<const BlurPhotoAniInfo> mEntry;
    float mStartTime;
    int mScript;
    Library::Buffer mVertexBuffer;
    Library::Buffer mIndexBuffer;
    Library::VertexShader mVertexShader;
    Library::PixelShader mPixelShader;
    Library::InputLayout mInputLayout;
    Library::Buffer mConstantBuffer;
    Library::Buffer mAlphaBuffer;
    Library::SamplerState mSampler;
    Library::BlendState mAlphaBlend;
    Library::BlendState mNoBlend;
    Library::DepthStencilState mDepthAlways;
    Library::DepthStencilState mDepthLessEqual;
};

static_assert(sizeof(BlurPhoto::CBufferPerObject) == 64);
static_assert(sizeof(BlurPhoto::CAlphaBufferPerObject) == 16);

} // namespace Rendering
