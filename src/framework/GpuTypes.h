#pragma once

#include <array>
#include <cstdint>
#include <string>

// Plain descriptions of the GPU layer's objects, shaped after Direct3D 11 so that components read
// like Direct3D code. A default-constructed description means Direct3D's default.
namespace Library
{
// Result of a creation call: 0 on success, otherwise an HRESULT-style code and a readable detail
// (a trimmed driver log for shaders).
struct GpuResult
{
    std::int32_t code = 0;
    std::string detail;

    bool Failed() const { return code != 0; }
};

// GLSL binding of pixel-stage constant slot 0; vertex-stage slot n binds at n.
inline constexpr std::uint32_t PixelConstantBindingBase = 8;
inline constexpr std::uint32_t TextureSlotCount = 16;

inline constexpr std::int32_t ResultFail = static_cast<std::int32_t>(0x80004005u);
inline constexpr std::int32_t ResultInvalidArg = static_cast<std::int32_t>(0x80070057u);
inline constexpr std::int32_t ResultOutOfMemory = static_cast<std::int32_t>(0x8007000Eu);

enum class Format
{
    Unknown,
    R8G8B8A8UNorm,
    B8G8R8A8UNorm,
    D24UNormS8UInt,
    R32G32B32A32Float,
    R32G32B32Float,
    R32G32Float,
    R32Float,
    R32SInt,
    R16UInt,
    R32UInt,
};

enum class Usage
{
    Default,   // written with UpdateSubresource
    Immutable, // initial data only
    Dynamic,   // written with Map(WriteDiscard)
    Staging,   // filled by the GPU (CopyTargetToStaging), read with Map(Read)
};

enum BindFlags : std::uint32_t
{
    BindVertexBuffer = 0x1,
    BindIndexBuffer = 0x2,
    BindConstantBuffer = 0x4,
    BindShaderResource = 0x8,
    BindRenderTarget = 0x20,
    BindDepthStencil = 0x40,
};

struct BufferDesc
{
    std::uint32_t ByteWidth = 0;
    Library::Usage Usage = Library::Usage::Default;
    std::uint32_t BindFlags = 0;
};

struct Texture2DDesc
{
    std::uint32_t Width = 0;
    std::uint32_t Height = 0;
    Library::Format Format = Library::Format::R8G8B8A8UNorm;
    std::uint32_t SampleCount = 1;
    std::uint32_t BindFlags = BindShaderResource;

    bool operator==(const Texture2DDesc&) const = default;
};

// Initial pixels: rows top first, RowPitch bytes apart.
struct SubresourceData
{
    const void* Data = nullptr;
    std::uint32_t RowPitch = 0;
};

// Vertex attribute i of a layout feeds GLSL `layout(location = i) in`.
struct InputElementDesc
{
    const char* SemanticName = "";
    std::uint32_t SemanticIndex = 0;
    Library::Format Format = Library::Format::R32G32B32A32Float;
    std::uint32_t InputSlot = 0;
    std::uint32_t AlignedByteOffset = 0;
};
inline constexpr std::uint32_t AppendAlignedElement = 0xFFFFFFFFu;

enum class Filter
{
    MinMagMipLinear,
    MinMagMipPoint,
    MinMagLinearMipPoint,
};

enum class AddressMode
{
    Wrap,
    Mirror,
    Clamp,
    Border,
};

enum class ComparisonFunc
{
    Never,
    Less,
    Equal,
    LessEqual,
    Greater,
    NotEqual,
    GreaterEqual,
    Always,
};

struct SamplerDesc
{
    Library::Filter Filter = Library::Filter::MinMagMipLinear;
    Library::AddressMode AddressU = Library::AddressMode::Clamp;
    Library::AddressMode AddressV = Library::AddressMode::Clamp;
    Library::AddressMode AddressW = Library::AddressMode::Clamp;
    float MipLODBias = 0.0f;
    std::uint32_t MaxAnisotropy = 1;
    Library::ComparisonFunc ComparisonFunc = Library::ComparisonFunc::Never;
    std::array<float, 4> BorderColor{};
    float MinLOD = -3.402823466e38f;
    float MaxLOD = 3.402823466e38f;
};

enum class Blend
{
    Zero,
    One,
    SrcColor,
    InvSrcColor,
    SrcAlpha,
    InvSrcAlpha,
    DestAlpha,
    InvDestAlpha,
    DestColor,
    InvDestColor,
    BlendFactor,
    InvBlendFactor,
};

enum class BlendOp
{
    Add,
    Subtract,
    RevSubtract,
    Min,
    Max,
};

enum ColorWriteMask : std::uint8_t
{
    ColorWriteRed = 1,
    ColorWriteGreen = 2,
    ColorWriteBlue = 4,
    ColorWriteAlpha = 8,
    ColorWriteAll = 15,
};

struct RenderTargetBlendDesc
{
    bool BlendEnable = false;
    Library::Blend SrcBlend = Library::Blend::One;
    Library::Blend DestBlend = Library::Blend::Zero;
    Library::BlendOp BlendOp = Library::BlendOp::Add;
    Library::Blend SrcBlendAlpha = Library::Blend::One;
    Library::Blend DestBlendAlpha = Library::Blend::Zero;
    Library::BlendOp BlendOpAlpha = Library::BlendOp::Add;
    std::uint8_t RenderTargetWriteMask = ColorWriteAll;
};

struct BlendDesc
{
    bool AlphaToCoverageEnable = false;
    bool IndependentBlendEnable = false;
    RenderTargetBlendDesc RenderTarget; // the single colour target every game draws into
};

enum class StencilOp
{
    Keep,
    Zero,
    Replace,
    IncrSat,
    DecrSat,
    Invert,
    Incr,
    Decr,
};

struct DepthStencilOpDesc
{
    Library::StencilOp StencilFailOp = Library::StencilOp::Keep;
    Library::StencilOp StencilDepthFailOp = Library::StencilOp::Keep;
    Library::StencilOp StencilPassOp = Library::StencilOp::Keep;
    Library::ComparisonFunc StencilFunc = Library::ComparisonFunc::Always;
};

struct DepthStencilDesc
{
    bool DepthEnable = true;
    bool DepthWriteAll = true; // false: depth writes off (D3D11_DEPTH_WRITE_MASK_ZERO)
    Library::ComparisonFunc DepthFunc = Library::ComparisonFunc::Less;
    bool StencilEnable = false;
    std::uint8_t StencilReadMask = 0xFF;
    std::uint8_t StencilWriteMask = 0xFF;
    DepthStencilOpDesc FrontFace;
    DepthStencilOpDesc BackFace;
};

enum class FillMode
{
    Solid,
    Wireframe,
};

enum class CullMode
{
    None,
    Front,
    Back,
};

// Winding is judged as it appears in the finished picture (row 0 at the top), as Direct3D does.
struct RasterizerDesc
{
    Library::FillMode FillMode = Library::FillMode::Solid;
    Library::CullMode CullMode = Library::CullMode::Back;
    bool FrontCounterClockwise = false;
    std::int32_t DepthBias = 0;
    float SlopeScaledDepthBias = 0.0f;
    bool DepthClipEnable = true;
    bool ScissorEnable = false;
};

// Pixels, with the top-left of the target at (0, 0); depth range 0 to 1.
struct Viewport
{
    float TopLeftX = 0.0f;
    float TopLeftY = 0.0f;
    float Width = 0.0f;
    float Height = 0.0f;
    float MinDepth = 0.0f;
    float MaxDepth = 1.0f;
};

enum class PrimitiveTopology
{
    TriangleList,
    TriangleStrip,
    LineList,
};

enum class MapMode
{
    WriteDiscard,
    Read, // waits until the GPU has finished writing the buffer
};

enum ClearFlags : std::uint32_t
{
    ClearDepth = 1,
    ClearStencil = 2,
};
}
