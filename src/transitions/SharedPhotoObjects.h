#pragma once

// The objects that every photo transition of a game shares to draw the white photo frame: the three
// frame meshes, the textured shader pair, the per-object constant buffer, sampler and blend states,
// and the frame picture. They live per OpenGL context, so a preview and an export running side by
// side (each a game on its own thread) never see each other's objects; a set whose context is gone
// is dropped at the next look-up.

#include "PhotoShaders.h"

#include "framework/Game.h"

#include <cstdint>
#include <memory>

namespace Rendering {

struct FrameMesh
{
    Library::Buffer vertexBuffer;  // dynamic, rewritten whole before every draw
    Library::Buffer indexBuffer;
    std::uint32_t indexCount = 0;
};

struct SharedPhotoObjects
{
    bool framesEnabled = true;
    Library::ShaderResourceView frameTexture;
    FrameMesh frameRing;
    FrameMesh frameBars;
    FrameMesh frameCorners;
    PhotoShaders textured;  // the frame picture (or a photo) drawn as it is
    Library::Buffer constantBuffer;
    Library::SamplerState sampler;
    Library::BlendState alphaBlend;
    Library::BlendState noBlend;

    // The set of game's context, created empty on first use. Thread-safe.
    static std::shared_ptr<SharedPhotoObjects> For(Library::Game& game);
};

}  // namespace Rendering
