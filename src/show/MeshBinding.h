#pragma once

#include "framework/DeviceContext.h"
#include "framework/GpuResources.h"

#include <cstdint>

namespace Rendering {

// Binds an indexed triangle list with its layout and shader pair, as every show overlay draws.
inline void BindIndexedMesh(Library::DeviceContext& context, const Library::InputLayout& layout,
    const Library::Buffer& vertices, std::uint32_t stride, const Library::Buffer& indices,
    const Library::VertexShader& vertexShader, const Library::PixelShader& pixelShader)
{
    context.IASetPrimitiveTopology(Library::PrimitiveTopology::TriangleList);
    context.IASetInputLayout(&layout);
    context.IASetVertexBuffers(0, &vertices, stride, 0);
    context.IASetIndexBuffer(&indices, Library::Format::R16UInt, 0);
    context.VSSetShader(&vertexShader);
    context.PSSetShader(&pixelShader);
}

} // namespace Rendering
