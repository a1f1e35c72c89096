#pragma once

#include "framework/GraphicsDevice.h"

#include <cstdint>
#include <span>
#include <string_view>

// The shared creation operations every component uses. Each replaces what the out-object held and
// throws GameException with the step's fixed text (followed by the detail in parentheses) and the
// call's result when creation fails.
namespace Library
{
// Throws GameException(message, result) when result failed.
void ThrowIfFailed(const GpuResult& result, std::string_view message);

void CreateIndexBuffer16(GraphicsDevice& device, std::span<const std::uint16_t> indices, Buffer& out);
void CreateConstantBuffer(GraphicsDevice& device, std::uint32_t byteSize, Buffer& out);
// byteSize bytes written with Map(WriteDiscard) before each draw.
void CreateDynamicVertexBuffer(GraphicsDevice& device, std::uint32_t byteSize, Buffer& out);
void CreateStaticVertexBuffer(GraphicsDevice& device, const void* vertices, std::uint32_t byteSize, Buffer& out);
void CreateSamplerState(GraphicsDevice& device, SamplerState& out);
void CreateAlphaBlendState(GraphicsDevice& device, BlendState& out);
void CreateNoBlendState(GraphicsDevice& device, BlendState& out);
void CreateDepthLessEqualState(GraphicsDevice& device, DepthStencilState& out);
// Writes depth and the stencil reference (0 unless set) wherever it draws, whatever lies there: what
// a clear of both would leave, for the first thing drawn over the whole target.
void CreateDepthAlwaysState(GraphicsDevice& device, DepthStencilState& out);

// Shaders embedded from shaders/ by their path there, e.g. "framework/Textured.vert".
void CreateVertexShader(GraphicsDevice& device, std::string_view key, VertexShader& out);
void CreatePixelShader(GraphicsDevice& device, std::string_view key, PixelShader& out);
void CreateComputeShader(GraphicsDevice& device, std::string_view key, ComputeShader& out);
void CreateInputLayout(
    GraphicsDevice& device, std::span<const InputElementDesc> elements, const VertexShader& shader, InputLayout& out);

// The four rasterizer states the show shares, by their established names. They are plain descriptions
// (no GPU object), so they exist from start-up and serve every game on every thread.
struct RasterizerStates
{
    static const RasterizerState SolidCullBackCw;
    static const RasterizerState SolidCullBackCcw;
    static const RasterizerState SolidNoCull;
    static const RasterizerState WireframeNoCull;
};
}
