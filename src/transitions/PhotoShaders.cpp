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
    Library::CreateVertexShader(device, "framework/Textured.vert", vertexShader);
    Library::CreatePixelShader(device, pixelShaderKey, pixelShader);
    Library::CreateInputLayout(device, TexturedVertexLayout, vertexShader, inputLayout);
}

}  // namespace Rendering
