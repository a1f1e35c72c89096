#include "framework/RenderTarget.h"

#include "framework/DeviceContext.h"

#include <vector>

namespace Library
{
namespace
{
thread_local std::vector<RenderTarget::TargetEntry> sTargetStack;

void Bind(const RenderTarget::TargetEntry& entry)
{
    entry.context->OMSetRenderTargets(entry.color, entry.depth);
    entry.context->RSSetViewports(entry.viewport);
}
}

RenderTarget::~RenderTarget()
{
    ForgetTargets(this);
}

void RenderTarget::ForgetTargets(const RenderTarget* owner)
{
    std::erase_if(sTargetStack, [owner](const TargetEntry& entry) { return entry.owner == owner; });
}

void RenderTarget::PushTarget(const TargetEntry& entry)
{
    sTargetStack.push_back(entry);
    Bind(entry);
}

void RenderTarget::PopTarget()
{
    if (sTargetStack.empty()) {
        return;
    }
    sTargetStack.pop_back();
    if (!sTargetStack.empty()) {
        Bind(sTargetStack.back());
    }
}

std::size_t RenderTarget::TargetDepth()
{
    return sTargetStack.size();
}
}
