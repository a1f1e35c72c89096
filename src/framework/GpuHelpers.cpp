#include "framework/GpuHelpers.h"

#include "framework/GameException.h"

#include <pellora_shaders.h>

#include <string>

namespace Library
{
namespace
{
BufferDesc MakeBufferDesc(std::uint32_t byteSize, Usage usage, std::uint32_t bind)
{
    BufferDesc desc;
    desc.ByteWidth = byteSize;
    desc.Usage = usage;
    desc.BindFlags = bind;
    return desc;
}

BlendDesc AlphaBlendDesc()
{
    BlendDesc desc;
    desc.RenderTarget.BlendEnable = true;
    desc.RenderTarget.SrcBlend = Blend::SrcAlpha;
    desc.RenderTarget.DestBlend = Blend::InvSrcAlpha;
    desc.RenderTarget.BlendOp = BlendOp::Add;
    desc.RenderTarget.SrcBlendAlpha = Blend::One;
    desc.RenderTarget.DestBlendAlpha = Blend::Zero;
    desc.RenderTarget.BlendOpAlpha = BlendOp::Add;
    desc.RenderTarget.RenderTargetWriteMask = ColorWriteAll;
    return desc;
}

DepthStencilDesc DepthDesc(ComparisonFunc func)
{
    DepthStencilDesc desc;
    desc.DepthEnable = true;
    desc.DepthWriteAll = true;
    desc.DepthFunc = func;
    desc.StencilEnable = false;
    desc.StencilReadMask = 0xFF;
    desc.StencilWriteMask = 0xFF;
    const DepthStencilOpDesc keep{StencilOp::Keep, StencilOp::Keep, StencilOp::Keep, ComparisonFunc::Never};
    desc.FrontFace = keep;
    desc.BackFace = keep;
    return desc;
}

RasterizerState MakeRasterizer(FillMode fill, CullMode cull, bool frontCounterClockwise)
{
    RasterizerDesc desc;
    desc.FillMode = fill;
    desc.CullMode = cull;
    desc.FrontCounterClockwise = frontCounterClockwise;
    return RasterizerState(desc);
}

std::string_view EmbeddedSource(std::string_view key)
{
    const auto bytes = Pellora::Shaders::Find(key);
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

template <typename Shader, typename Create>
void CreateEmbeddedShader(std::string_view key, std::string_view message, Shader& out, Create create)
{
    const std::string_view source = EmbeddedSource(key);
    if (source.empty()) {
        out = Shader();
        ThrowIfFailed({ResultInvalidArg, "no embedded shader " + std::string(key)}, message);
    }
    ThrowIfFailed(create(source), message);
}
}

const RasterizerState RasterizerStates::SolidCullBackCw = MakeRasterizer(FillMode::Solid, CullMode::Back, false);
const RasterizerState RasterizerStates::SolidCullBackCcw = MakeRasterizer(FillMode::Solid, CullMode::Back, true);
const RasterizerState RasterizerStates::SolidNoCull = MakeRasterizer(FillMode::Solid, CullMode::None, false);
const RasterizerState RasterizerStates::WireframeNoCull = MakeRasterizer(FillMode::Wireframe, CullMode::None, false);

void ThrowIfFailed(const GpuResult& result, std::string_view message)
{
    if (!result.Failed()) {
        return;
    }
    std::string text(message);
    if (!result.detail.empty()) {
        text += " (" + result.detail + ")";
    }
    throw GameException(std::move(text), result.code);
}

void CreateIndexBuffer16(GraphicsDevice& device, std::span<const std::uint16_t> indices, Buffer& out)
{
    const auto bytes = static_cast<std::uint32_t>(indices.size_bytes());
    ThrowIfFailed(device.CreateBuffer(MakeBufferDesc(bytes, Usage::Immutable, BindIndexBuffer), indices.data(), out),
        "CreateIndexBuffer() for index failed.");
}

void CreateConstantBuffer(GraphicsDevice& device, std::uint32_t byteSize, Buffer& out)
{
    ThrowIfFailed(device.CreateBuffer(MakeBufferDesc(byteSize, Usage::Default, BindConstantBuffer), nullptr, out),
        "CreateConstantBuffer() failed.");
}

void CreateDynamicVertexBuffer(GraphicsDevice& device, std::uint32_t byteSize, Buffer& out)
{
    ThrowIfFailed(device.CreateBuffer(MakeBufferDesc(byteSize, Usage::Dynamic, BindVertexBuffer), nullptr, out),
        "CreateDynamicVertexBuffer() failed.");
}

void CreateStaticVertexBuffer(GraphicsDevice& device, const void* vertices, std::uint32_t byteSize, Buffer& out)
{
    ThrowIfFailed(device.CreateBuffer(MakeBufferDesc(byteSize, Usage::Immutable, BindVertexBuffer), vertices, out),
        "CreateStaticVertexBuffer() failed.");
}

void CreateSamplerState(GraphicsDevice& device, SamplerState& out)
{
    ThrowIfFailed(device.CreateSamplerState(SamplerDesc{}, out), "CreateSampleState() failed!");
}

void CreateAlphaBlendState(GraphicsDevice& device, BlendState& out)
{
    ThrowIfFailed(device.CreateBlendState(AlphaBlendDesc(), out), "CreateBlendState() failed!");
}

void CreateNoBlendState(GraphicsDevice& device, BlendState& out)
{
    BlendDesc desc = AlphaBlendDesc();
    desc.RenderTarget.BlendEnable = false;
    ThrowIfFailed(device.CreateBlendState(desc, out), "CreateNoBlendState() failed!");
}

void CreateDepthLessEqualState(GraphicsDevice& device, DepthStencilState& out)
{
    ThrowIfFailed(device.CreateDepthStencilState(DepthDesc(ComparisonFunc::LessEqual), out),
        "CreateNoStencilState() failed!");
}

void CreateDepthAlwaysState(GraphicsDevice& device, DepthStencilState& out)
{
    DepthStencilDesc desc = DepthDesc(ComparisonFunc::Always);
    desc.StencilEnable = true;
    const DepthStencilOpDesc reset{StencilOp::Replace, StencilOp::Replace, StencilOp::Replace, ComparisonFunc::Always};
    desc.FrontFace = reset;
    desc.BackFace = reset;
    ThrowIfFailed(device.CreateDepthStencilState(desc, out), "CreateNoStencilState() failed!");
}

void CreateVertexShader(GraphicsDevice& device, std::string_view key, VertexShader& out)
{
    CreateEmbeddedShader(key, "CreateVertexShader() failed.", out,
        [&](std::string_view source) { return device.CreateVertexShader(key, source, out); });
}

void CreatePixelShader(GraphicsDevice& device, std::string_view key, PixelShader& out)
{
    CreateEmbeddedShader(key, "CreatePixelShader() failed.", out,
        [&](std::string_view source) { return device.CreatePixelShader(key, source, out); });
}

void CreateComputeShader(GraphicsDevice& device, std::string_view key, ComputeShader& out)
{
    CreateEmbeddedShader(key, "CreateComputeShader() failed.", out,
        [&](std::string_view source) { return device.CreateComputeShader(key, source, out); });
}

void CreateInputLayout(
    GraphicsDevice& device, std::span<const InputElementDesc> elements, const VertexShader& shader, InputLayout& out)
{
    ThrowIfFailed(device.CreateInputLayout(elements, shader, out), "CreateInputLayout() failed.");
}
}
