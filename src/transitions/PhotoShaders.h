#pragma once

#include "framework/GraphicsDevice.h"

#include <span>
#include <string_view>

namespace Rendering {

// The shader pair and TexturedVertex input layout a photo quad or frame mesh is drawn with.
struct PhotoShaders
{
    Library::VertexShader vertexShader;
    Library::PixelShader pixelShader;
    Library::InputLayout inputLayout;

    explicit operator bool() const { return static_cast<bool>(vertexShader); }
    // The textured vertex shader with the embedded pixel shader pixelShaderKey; replaces what was
    // held. Throws GameException naming the failed step.
    void Create(Library::GraphicsDevice& device, std::string_view pixelShaderKey);
    // Another vertex shader with its own layout.
    void Create(Library::GraphicsDevice& device, std::string_view vertexShaderKey, std::string_view pixelShaderKey,
        std::span<const Library::InputElementDesc> layout);
};

}  // namespace Rendering
