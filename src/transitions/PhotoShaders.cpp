#include "PhotoShaders.h"

#include "PhotoGeometry.h"

#include "framework/GpuHelpers.h"

#include <array>

namespace Rendering {

namespace {

// POSITION (four floats at 0) and TEXCOORD (two floats at 16) in input slot 0.
constexpr std::array<Library::InputElementDesc, 2> TexturedVertexLayout{{
    {"POSITION", 0, Library::Format::R32G32B32A32Float, 0, 0},
    {"TEXCOORD", 0, Library::Format::R32G32Float, 0, Library::AppendAlignedElement},
}};

}  // namespace

void PhotoShaders::Create(Library::GraphicsDevice& device, std::string_view pixelShaderKey)
{
    Create(device, "framework/Textured.vert", pixelShaderKey, TexturedVertexLayout);
}

void PhotoShaders::Create(Library::GraphicsDevice& device, std::string_view vertexShaderKey,
    std::string_view pixelShaderKey, std::span<const Library::InputElementDesc> layout)
{
    Library::CreateVertexShader(device, vertexShaderKey, vertexShader);
    Library::CreatePixelShader(device, pixelShaderKey, pixelShader);
    Library::CreateInputLayout(device, layout, vertexShader, inputLayout);
}

}  // namespace Rendering
