#include "framework/GpuResources.h"

#include <epoxy/gl.h>

#include <utility>

namespace Library
{
Buffer::Buffer(GlName name, const BufferDesc& desc) : mName(std::move(name)), mDesc(desc)
{
}

Texture2D::Texture2D(GlName name, const Texture2DDesc& desc) : mName(std::move(name)), mDesc(desc)
{
}

RenderTargetView::RenderTargetView(std::shared_ptr<const Texture2D> texture, GlName framebuffer)
    : mTexture(std::move(texture)), mFramebuffer(std::move(framebuffer))
{
}

void RenderTargetView::AttachDepth(const DepthStencilView* depth) const
{
    const std::shared_ptr<const Texture2D> texture = depth ? depth->Texture() : nullptr;
    if (texture == mAttachedDepth) {
        return;
    }
    glNamedFramebufferTexture(mFramebuffer.Get(), GL_DEPTH_STENCIL_ATTACHMENT, texture ? texture->Name() : 0, 0);
    mAttachedDepth = texture;
}

ShaderProgram::ShaderProgram(GlName program, std::string name) : mProgram(std::move(program)), mName(std::move(name))
{
}

InputLayout::InputLayout(GlName vertexArray) : mVertexArray(std::move(vertexArray))
{
}

SamplerState::SamplerState(GlName sampler) : mSampler(std::move(sampler))
{
}
}
