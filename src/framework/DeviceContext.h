#pragma once

#include "framework/GpuResources.h"

#include <array>
#include <cstdint>

namespace Library
{
class GraphicsDevice;

// The immediate context of a GraphicsDevice (see GraphicsDevice.h for the conventions). Binding
// calls remember plain pointers to what they bind; the caller keeps those objects alive while
// they are bound, as components do with their own resources. Only the game's thread uses it.
class DeviceContext
{
public:
    explicit DeviceContext(GraphicsDevice& device);

    // Unbinds everything and restores the default pipeline states.
    void ClearState();
    void Flush();

    void OMSetRenderTargets(const RenderTargetView* color, const DepthStencilView* depth);
    void RSSetViewports(const Viewport& viewport);
    // Clears ignore the bound states; writeMask limits the cleared channels.
    void ClearRenderTargetView(const RenderTargetView& view, const std::array<float, 4>& color,
        std::uint8_t writeMask = ColorWriteAll);
    void ClearDepthStencilView(const DepthStencilView& view, std::uint32_t flags, float depth, std::uint8_t stencil);

    void IASetPrimitiveTopology(PrimitiveTopology topology);
    void IASetInputLayout(const InputLayout* layout);
    void IASetVertexBuffers(std::uint32_t slot, const Buffer* buffer, std::uint32_t stride, std::uint32_t offset);
    void IASetIndexBuffer(const Buffer* buffer, Format format, std::uint32_t offset);
    void VSSetShader(const VertexShader* shader);
    void PSSetShader(const PixelShader* shader);
    void VSSetConstantBuffers(std::uint32_t slot, const Buffer* buffer);
    void PSSetConstantBuffers(std::uint32_t slot, const Buffer* buffer);
    void PSSetShaderResources(std::uint32_t slot, const ShaderResourceView* view);
    void PSSetSamplers(std::uint32_t slot, const SamplerState* sampler);
    void OMSetBlendState(const BlendState* state, const std::array<float, 4>& blendFactor = {},
        std::uint32_t sampleMask = 0xFFFFFFFFu);
    void OMSetDepthStencilState(const DepthStencilState* state, std::uint32_t stencilRef = 0);
    void RSSetState(const RasterizerState* state);

    // Replaces the whole content of a default-usage buffer.
    void UpdateSubresource(const Buffer& buffer, const void* data);
    // WriteDiscard on dynamic buffers, Read on staging buffers; null when the buffer cannot be mapped.
    void* Map(const Buffer& buffer, MapMode mode);
    void Unmap(const Buffer& buffer);

    void DrawIndexed(std::uint32_t indexCount, std::uint32_t startIndex, std::int32_t baseVertex);
    void Draw(std::uint32_t vertexCount, std::uint32_t startVertex);

    // Multisample resolve of a whole four-sample RGBA target into a single-sample one of the same
    // size: each byte the rounded mean of its samples, alpha set to 255 (the finished picture is
    // opaque). Leaves the bound targets and states as they were.
    static constexpr std::uint32_t ResolvedSampleCount = 4;
    void ResolveOpaque(const RenderTargetView& destination, const RenderTargetView& source);
    // Copies a single-sample target into a staging buffer of width x height x 4 bytes, as B, G, R, A
    // bytes, top row first. Map(Read) waits for the copy, so callers can queue several first.
    void CopyTargetToStaging(const RenderTargetView& source, const Buffer& staging);
    // Copies every sample of a texture into one of the same description.
    void CopyResource(const Texture2D& destination, const Texture2D& source);

private:
    struct VertexBinding
    {
        std::uint32_t buffer = 0;
        std::uint32_t stride = 0;
        std::uint32_t offset = 0;
    };

    void ApplyInputAssembly();
    void ApplySamplers();
    void ApplyBlend();
    void ApplyDepthStencil();
    void ApplyRasterizer();

    GraphicsDevice& mDevice;
    GlName mPipeline;
    GlName mEmptyVertexArray;
    GlName mClearFramebuffer;
    ComputeShader mResolveShader;
    std::array<std::int32_t, 3> mResolveGroupSize{1, 1, 1};
    PrimitiveTopology mTopology = PrimitiveTopology::TriangleList;
    const InputLayout* mLayout = nullptr;
    std::array<VertexBinding, 16> mVertexBuffers{};
    std::uint32_t mIndexBuffer = 0;
    std::uint32_t mIndexSize = 2;
    std::uint32_t mIndexOffset = 0;
    std::array<std::uint32_t, TextureSlotCount> mSamplers{};
    std::array<bool, TextureSlotCount> mTextureBound{};
    BlendDesc mBlend;
    std::array<float, 4> mBlendFactor{};
    std::uint32_t mSampleMask = 0xFFFFFFFFu;
    DepthStencilDesc mDepthStencil;
    std::uint32_t mStencilRef = 0;
    RasterizerDesc mRasterizer;
};
}
