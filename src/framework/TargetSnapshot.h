#pragma once

#include "framework/GpuResources.h"

#include <memory>

namespace Library
{
class DeviceContext;
class GraphicsDevice;

// A copy of every sample of a colour target and its depth-stencil target, to be put back in place
// of drawing the same picture again.
class TargetSnapshot
{
public:
    // Copies both targets, making the copies' textures first when there are none of their kind yet.
    void Take(GraphicsDevice& device, DeviceContext& context, const RenderTargetView& color,
        const DepthStencilView& depth);
    // Whether the snapshot holds targets of exactly the kind of these, so that it can be put back.
    bool Fits(const RenderTargetView& color, const DepthStencilView& depth) const;
    void PutBack(DeviceContext& context, const RenderTargetView& color, const DepthStencilView& depth) const;
    void Drop();

private:
    std::shared_ptr<Texture2D> mColor;
    std::shared_ptr<Texture2D> mDepth;
};
}
