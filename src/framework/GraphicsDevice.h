#pragma once

// The GPU layer: a thin Direct3D 11-shaped API over OpenGL 4.5 core, so that every component reads
// like Direct3D code and never calls GL itself.
//
//   GraphicsDevice  creates objects; each Create* returns a GpuResult (0 = success) and fills its
//                   out-object, so callers throw GameException with their own step text.
//   DeviceContext   the immediate context: binds targets, shaders, buffers, views, samplers and
//                   states, maps buffers, draws indexed triangle lists, resolves and reads targets.
//   GpuResources.h  Buffer, Texture2D, ShaderResourceView, RenderTargetView, DepthStencilView,
//                   VertexShader, PixelShader, InputLayout, SamplerState, BlendState,
//                   DepthStencilState, RasterizerState: move-only owners of their GL objects.
//   GpuHelpers.h    the shared creation operations (index/constant/vertex buffers, sampler, blend,
//                   depth and rasterizer states, embedded shaders) with their fixed failure texts.
//
// Conventions that keep Direct3D-style scene math unchanged:
//   - Clip control upper-left, depth 0..1: row 0 of every target is the top of the picture, and the
//     cameras' Direct3D-style projections are used as they are.
//   - Textures keep their first memory row at v = 0; B8G8R8A8 pixels upload as they are.
//   - GLSL bindings: vertex-stage constant slot n is `layout(std140, binding = n)`, pixel-stage
//     constant slot n is `binding = PixelConstantBindingBase + n`; pixel texture slot n is
//     `layout(binding = n) uniform sampler2D`; vertex attribute i of an input layout is
//     `layout(location = i) in`. Texture slot n samples with sampler slot n when one is bound
//     there, else with sampler slot 0.
//   - Constant buffers are std140 blocks holding the transposed row-vector matrices; GLSL
//     multiplies `position * Matrix`.
//
// Threads: a device and its context belong to the thread that created them (the game's thread).
// Creating or binding from another thread throws GameException; CPU work such as picture decoding
// runs anywhere (see PictureDecoder.h).

#include "framework/GpuResources.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace Library
{
class GraphicsDevice
{
public:
    // Creates the OpenGL context and makes it current on the calling thread.
    GraphicsDevice();

    // Makes the context current again (several games may live on one thread).
    void MakeCurrent();
    const std::shared_ptr<EglContext>& Context() const { return mContext; }
    // Largest multisample count that colour and depth-stencil targets both support.
    std::uint32_t MaxSampleCount() const;

    GpuResult CreateBuffer(const BufferDesc& desc, const void* initialData, Buffer& out);
    GpuResult CreateTexture2D(
        const Texture2DDesc& desc, const SubresourceData* initialData, std::shared_ptr<Texture2D>& out);
    GpuResult CreateShaderResourceView(const std::shared_ptr<Texture2D>& texture, ShaderResourceView& out);
    GpuResult CreateRenderTargetView(const std::shared_ptr<Texture2D>& texture, RenderTargetView& out);
    GpuResult CreateDepthStencilView(const std::shared_ptr<Texture2D>& texture, DepthStencilView& out);
    // name identifies the shader in error details (for embedded shaders: its file key).
    GpuResult CreateVertexShader(std::string_view name, std::string_view source, VertexShader& out);
    GpuResult CreatePixelShader(std::string_view name, std::string_view source, PixelShader& out);
    GpuResult CreateComputeShader(std::string_view name, std::string_view source, ComputeShader& out);
    GpuResult CreateInputLayout(
        std::span<const InputElementDesc> elements, const VertexShader& shader, InputLayout& out);
    GpuResult CreateSamplerState(const SamplerDesc& desc, SamplerState& out);
    GpuResult CreateBlendState(const BlendDesc& desc, BlendState& out);
    GpuResult CreateDepthStencilState(const DepthStencilDesc& desc, DepthStencilState& out);
    GpuResult CreateRasterizerState(const RasterizerDesc& desc, RasterizerState& out);

private:
    GlName MakeName(GlKind kind, std::uint32_t name) const;
    GpuResult CreateProgram(std::uint32_t stage, std::string_view name, std::string_view source, GlName& out);
    template <typename Shader>
    GpuResult CreateShader(std::uint32_t stage, std::string_view name, std::string_view source, Shader& out);

    std::shared_ptr<EglContext> mContext;
};
}
