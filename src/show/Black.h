#pragma once

#include "framework/DrawableGameComponent.h"
#include "framework/GpuResources.h"
#include "framework/TextureRes.h"
#include "framework/VectorMath.h"

#include <cstdint>
#include <filesystem>

namespace Rendering {

// A translucent dark band along the bottom edge of the picture, drawn with the orthographic camera
// in every frame: clear at its top edge, darkening towards the bottom edge of the frame.
class Black : public Library::DrawableGameComponent {
    RTTI_DECLARATIONS(Black, Library::DrawableGameComponent)

public:
    // Loads the band's ramp picture (built-in picture 327); one that does not decode throws
    // GameException. picturePath is kept for reference only.
    Black(Library::Game& game, std::shared_ptr<Library::Camera> camera, int width, int height,
        std::filesystem::path picturePath);

    void SetUp() override;
    void Render(const Library::FrameTime& frameTime) override;

    struct CBufferPerObject {
        Library::Float4x4 WorldViewProjection;
    };

private:
    Library::TextureRes mBandTexture;
    int mWidth;
    int mHeight;
    std::filesystem::path mPicturePath;
    std::uint32_t mIndexCount = 0;
    Library::Buffer mIndexBuffer;
    Library::Buffer mVertexBuffer;
    Library::VertexShader mVertexShader;
    Library::PixelShader mPixelShader;
    Library::InputLayout mInputLayout;
    Library::Buffer mConstantBuffer;
    Library::SamplerState mSampler;
    Library::BlendState mAlphaBlend;
    Library::BlendState mNoBlend;
};

static_assert(sizeof(Black::CBufferPerObject) == 64);

} // namespace Rendering
