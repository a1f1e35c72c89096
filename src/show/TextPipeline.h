#pragma once

#include "framework/GpuResources.h"
#include "framework/VectorMath.h"
#include "transitions/PhotoGeometry.h"

#include <array>

namespace Library {
class Camera;
class DeviceContext;
class GraphicsDevice;
} // namespace Library

namespace Rendering {

// The GPU objects the text components share in kind: shaders, layout, the quad index buffer,
// constant buffers, sampler, blend and depth states. Texts are drawn over everything before them,
// whatever depth lies there.
class TextPipeline {
public:
    struct CBufferPerObject {
        Library::Float4x4 WorldViewProjection;
    };
    struct CAlphaBufferPerObject {
        std::array<float, 4> s_alpha{1.0f, 1.0f, 1.0f, 1.0f};
    };

    void Create(Library::GraphicsDevice& device);
    explicit operator bool() const { return static_cast<bool>(mIndexBuffer); }

    void Begin(Library::DeviceContext& context) const;
    // Rewrites the quad's dynamic vertex buffer and draws it, translated by (x, y, TextDepth) and
    // with its texture's alpha scaled by alpha.
    void DrawQuad(Library::DeviceContext& context, const Library::Buffer& vertexBuffer, const QuadRect& quad,
        const Library::ShaderResourceView& texture, const Library::Camera& camera, std::array<float, 2> offset,
        float alpha);
    void End(Library::DeviceContext& context) const;

private:
    Library::Buffer mIndexBuffer;
    Library::VertexShader mVertexShader;
    Library::PixelShader mPixelShader;
    Library::InputLayout mInputLayout;
    Library::Buffer mTransformBuffer;
    Library::Buffer mAlphaBuffer;
    Library::SamplerState mSampler;
    Library::BlendState mAlphaBlend;
    Library::BlendState mNoBlend;
    Library::DepthStencilState mDepthAlways;
    Library::DepthStencilState mDepthLessEqual;
    CAlphaBufferPerObject mAlpha;
};

static_assert(sizeof(TextPipeline::CBufferPerObject) == 64);
static_assert(sizeof(TextPipeline::CAlphaBufferPerObject) == 16);

// One dynamic vertex buffer for a text quad's four vertices.
void CreateTextQuadBuffer(Library::GraphicsDevice& device, Library::Buffer& out);

} // namespace Rendering
