#include "framework/TargetSnapshot.h"

#include "framework/DeviceContext.h"
#include "framework/GpuHelpers.h"
#include "framework/GraphicsDevice.h"

namespace Library
{

namespace
{

bool SameKind(const std::shared_ptr<Texture2D>& copy, const std::shared_ptr<const Texture2D>& target)
{
    return copy && target && copy->Desc() == target->Desc();
}

void MakeCopyOf(GraphicsDevice& device, const std::shared_ptr<const Texture2D>& target, std::shared_ptr<Texture2D>& copy)
{
    if (!SameKind(copy, target)) {
        copy.reset();
        ThrowIfFailed(device.CreateTexture2D(target->Desc(), nullptr, copy),
            "IDXGIDevice::CreateTexture2D() failed.");
    }
}

}

void TargetSnapshot::Take(GraphicsDevice& device, DeviceContext& context, const RenderTargetView& color,
    const DepthStencilView& depth)
{
    if (!color || !depth) {
        return;
    }
    MakeCopyOf(device, color.Texture(), mColor);
    MakeCopyOf(device, depth.Texture(), mDepth);
    context.CopyResource(*mColor, *color.Texture());
    context.CopyResource(*mDepth, *depth.Texture());
}

bool TargetSnapshot::Fits(const RenderTargetView& color, const DepthStencilView& depth) const
{
    return SameKind(mColor, color.Texture()) && SameKind(mDepth, depth.Texture());
}

void TargetSnapshot::PutBack(DeviceContext& context, const RenderTargetView& color, const DepthStencilView& depth) const
{
    if (Fits(color, depth)) {
        context.CopyResource(*color.Texture(), *mColor);
        context.CopyResource(*depth.Texture(), *mDepth);
    }
}

void TargetSnapshot::Drop()
{
    mColor.reset();
    mDepth.reset();
}

}
