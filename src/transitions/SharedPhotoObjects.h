#pragma once

// The objects that every photo transition of a game shares: the photo quad, the white photo frame's
// three meshes, the textured shader pair, the per-object constant buffer, sampler and blend states,
// the frame picture, and each effect kind's shaders and constant buffers. A long show has thousands
// of transitions; only their timing and photos are their own. They live per OpenGL context, so a preview and an export running side by
// side (each a game on its own thread) never see each other's objects; a set whose context is gone
// is dropped at the next look-up.

#include "PhotoShaders.h"

#include "framework/Game.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace Rendering {

struct FrameMesh
{
    Library::Buffer vertexBuffer;  // dynamic, rewritten whole before every draw
    Library::Buffer indexBuffer;
    std::uint32_t indexCount = 0;
};

// What every transition of one effect kind draws with. Each one uploads its constants whole before
// each draw, so one set of buffers serves them all.
struct EffectObjects
{
    PhotoShaders shaders;
    std::vector<Library::Buffer> constantBuffers;  // in the order of the sizes asked for
};

struct SharedPhotoObjects
{
    bool framesEnabled = true;
    FrameMesh photoQuad;  // one quad, rewritten whole before every photo draw
    Library::ShaderResourceView frameTexture;
    FrameMesh frameRing;
    FrameMesh frameBars;
    FrameMesh frameCorners;
    PhotoShaders textured;  // the frame picture (or a photo) drawn as it is
    Library::Buffer constantBuffer;
    Library::SamplerState sampler;
    Library::BlendState alphaBlend;
    Library::BlendState noBlend;
    std::map<std::string, EffectObjects, std::less<>> effects;  // keyed by pixel shader
    FrameMesh piece;    // one tile or strip, rewritten before it is drawn; indices of six quads
    FrameMesh backing;  // the black box behind the pieces, positions only; indices of five quads
    std::map<std::string, PhotoShaders, std::less<>> pieceShaders;  // keyed by pixel shader

    // The objects of the effect drawn with pixelShaderKey, created on first use with one pixel-stage
    // constant buffer per size. Creation failures throw GameException.
    EffectObjects& Effect(Library::GraphicsDevice& device, std::string_view pixelShaderKey,
        std::initializer_list<std::uint32_t> constantSizes);

    // The shader pair drawing pixelShaderKey over vertexShaderKey with layout, created on first use.
    const PhotoShaders& Shaders(Library::GraphicsDevice& device, std::string_view vertexShaderKey,
        std::string_view pixelShaderKey, std::span<const Library::InputElementDesc> layout);
    // Creates the piece and backing meshes unless they exist.
    void CreatePieceMeshes(Library::GraphicsDevice& device);

    // The set of game's context, created empty on first use. Thread-safe.
    static std::shared_ptr<SharedPhotoObjects> For(Library::Game& game);
};

}  // namespace Rendering
