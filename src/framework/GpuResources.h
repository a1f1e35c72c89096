#pragma once

#include "framework/GlObject.h"
#include "framework/GpuTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

// The GPU objects a component creates through the GraphicsDevice and binds through the
// DeviceContext. Empty (default-constructed) objects stand for "none", as null pointers do in
// Direct3D. Objects that own a GL name are move-only; views share the texture they look at.
namespace Library
{
class Buffer
{
public:
    Buffer() = default;
    Buffer(GlName name, const BufferDesc& desc);

    explicit operator bool() const { return static_cast<bool>(mName); }
    const BufferDesc& Desc() const { return mDesc; }
    std::uint32_t Name() const { return mName.Get(); }

private:
    GlName mName;
    BufferDesc mDesc;
};

class Texture2D
{
public:
    Texture2D(GlName name, const Texture2DDesc& desc);

    const Texture2DDesc& Desc() const { return mDesc; }
    std::uint32_t Name() const { return mName.Get(); }

private:
    GlName mName;
    Texture2DDesc mDesc;
};

// A view of a texture. Copies share the texture, which lives as long as any view of it. The tag
// keeps shader-resource and depth-stencil views apart.
template <typename Tag>
class TextureView
{
public:
    TextureView() = default;
    explicit TextureView(std::shared_ptr<const Texture2D> texture) : mTexture(std::move(texture)) {}

    explicit operator bool() const { return static_cast<bool>(mTexture); }
    const std::shared_ptr<const Texture2D>& Texture() const { return mTexture; }

private:
    std::shared_ptr<const Texture2D> mTexture;
};

// What pixel shaders sample.
using ShaderResourceView = TextureView<struct ShaderResourceTag>;
using DepthStencilView = TextureView<struct DepthStencilTag>;

// A colour target: the texture and the framebuffer that draws into it. The depth-stencil view it
// is bound with is attached to that framebuffer on binding.
class RenderTargetView
{
public:
    RenderTargetView() = default;
    RenderTargetView(std::shared_ptr<const Texture2D> texture, GlName framebuffer);

    explicit operator bool() const { return static_cast<bool>(mTexture); }
    const std::shared_ptr<const Texture2D>& Texture() const { return mTexture; }
    std::uint32_t Framebuffer() const { return mFramebuffer.Get(); }
    // Attaches depth (or nothing) unless it already is attached.
    void AttachDepth(const DepthStencilView* depth) const;

private:
    std::shared_ptr<const Texture2D> mTexture;
    GlName mFramebuffer;
    mutable std::shared_ptr<const Texture2D> mAttachedDepth;
};

// A compiled shader stage. Vertex and pixel shaders combine freely at binding time.
class ShaderProgram
{
public:
    ShaderProgram() = default;
    ShaderProgram(GlName program, std::string name);

    explicit operator bool() const { return static_cast<bool>(mProgram); }
    std::uint32_t Name() const { return mProgram.Get(); }
    const std::string& ShaderName() const { return mName; }

private:
    GlName mProgram;
    std::string mName;
};

class VertexShader : public ShaderProgram
{
public:
    using ShaderProgram::ShaderProgram;
};

class PixelShader : public ShaderProgram
{
public:
    using ShaderProgram::ShaderProgram;
};

class ComputeShader : public ShaderProgram
{
public:
    using ShaderProgram::ShaderProgram;
};

class InputLayout
{
public:
    InputLayout() = default;
    explicit InputLayout(GlName vertexArray);

    explicit operator bool() const { return static_cast<bool>(mVertexArray); }
    std::uint32_t Name() const { return mVertexArray.Get(); }

private:
    GlName mVertexArray;
};

class SamplerState
{
public:
    SamplerState() = default;
    explicit SamplerState(GlName sampler);

    explicit operator bool() const { return static_cast<bool>(mSampler); }
    std::uint32_t Name() const { return mSampler.Get(); }

private:
    GlName mSampler;
};

// Pipeline states are plain descriptions applied at binding; they own no GL object.
template <typename Desc>
class PipelineState
{
public:
    PipelineState() = default;
    explicit PipelineState(const Desc& desc) : mDesc(desc), mCreated(true) {}

    explicit operator bool() const { return mCreated; }
    const Desc& Description() const { return mDesc; }

private:
    Desc mDesc{};
    bool mCreated = false;
};

using BlendState = PipelineState<BlendDesc>;
using DepthStencilState = PipelineState<DepthStencilDesc>;
using RasterizerState = PipelineState<RasterizerDesc>;
}
