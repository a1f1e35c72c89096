#pragma once

#include "framework/GpuResources.h"
#include "framework/RTTI.h"

#include <cstddef>

namespace Library
{
class DeviceContext;

// Something that can be drawn into. Binding pushes the target on a stack so that the previous one
// can be bound again afterwards. The stack belongs to the calling thread: a preview and an export
// running on two threads each draw into their own targets with their own context.
class RenderTarget : public RTTI
{
    RTTI_DECLARATIONS(RenderTarget, RTTI)

public:
    RenderTarget() = default;
    // Removes this target's entries, which would otherwise point into a destroyed object.
    ~RenderTarget() override;
    RenderTarget(const RenderTarget&) = delete;
    RenderTarget& operator=(const RenderTarget&) = delete;

    virtual void BindAsTarget() = 0;
    virtual void RestorePreviousTarget() = 0;

    // color and depth are the owner's view slots: recreating the views in place keeps entries valid.
    struct TargetEntry
    {
        const RenderTarget* owner = nullptr;
        DeviceContext* context = nullptr;
        const RenderTargetView* color = nullptr;
        const DepthStencilView* depth = nullptr;
        Viewport viewport;
    };

    // Entries on the calling thread's stack.
    static std::size_t TargetDepth();

protected:
    static void PushTarget(const TargetEntry& entry);
    static void PopTarget();
    // Drops every entry of owner, e.g. when its views and context go away.
    static void ForgetTargets(const RenderTarget* owner);
};
}
