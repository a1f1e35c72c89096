#include "framework/DeviceContext.h"

#include "framework/GameException.h"
#include "framework/GlEnums.h"
#include "framework/GpuHelpers.h"
#include "framework/GraphicsDevice.h"

#include <string>

namespace Library
{
namespace
{
// The upper-left clip origin also reverses GL's winding measure, so GL's clockwise stays what the
// eye sees in the finished picture, which is what the states' names mean (checked by a test).
constexpr GLenum GlFrontFace(bool frontCounterClockwise)
{
    return frontCounterClockwise ? GL_CCW : GL_CW;
}

void SetCapability(GLenum capability, bool enabled)
{
    if (enabled) {
        glEnable(capability);
    } else {
        glDisable(capability);
    }
}

GLuint BoundDrawFramebuffer()
{
    GLint framebuffer = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &framebuffer);
    return static_cast<GLuint>(framebuffer);
}

GLuint DepthAttachment(GLuint framebuffer)
{
    GLint type = GL_NONE;
    glGetNamedFramebufferAttachmentParameteriv(
        framebuffer, GL_DEPTH_STENCIL_ATTACHMENT, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE, &type);
    if (type != GL_TEXTURE) {
        return 0;
    }
    GLint name = 0;
    glGetNamedFramebufferAttachmentParameteriv(
        framebuffer, GL_DEPTH_STENCIL_ATTACHMENT, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME, &name);
    return static_cast<GLuint>(name);
}

GlName CreateOwned(GraphicsDevice& device, GlKind kind, void (*create)(GLsizei, GLuint*))
{
    device.MakeCurrent();
    GLuint name = 0;
    create(1, &name);
    return GlName(kind, name, device.Context());
}
}

DeviceContext::DeviceContext(GraphicsDevice& device)
    : mDevice(device)
    , mPipeline(CreateOwned(device, GlKind::ProgramPipeline, [](GLsizei n, GLuint* names) {
        glCreateProgramPipelines(n, names);
    }))
    , mEmptyVertexArray(CreateOwned(device, GlKind::VertexArray, [](GLsizei n, GLuint* names) {
        glCreateVertexArrays(n, names);
    }))
    , mClearFramebuffer(CreateOwned(device, GlKind::Framebuffer, [](GLsizei n, GLuint* names) {
        glCreateFramebuffers(n, names);
    }))
{
    glNamedFramebufferDrawBuffer(mClearFramebuffer.Get(), GL_NONE);
    glBindProgramPipeline(mPipeline.Get());
    glEnable(GL_MULTISAMPLE);
    ClearState();
}

void DeviceContext::ClearState()
{
    mDevice.MakeCurrent();
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glUseProgramStages(mPipeline.Get(), GL_ALL_SHADER_BITS, 0);
    mTopology = PrimitiveTopology::TriangleList;
    mLayout = nullptr;
    mVertexBuffers = {};
    mIndexBuffer = 0;
    for (std::uint32_t slot = 0; slot < TextureSlotCount; ++slot) {
        glBindTextureUnit(slot, 0);
        glBindSampler(slot, 0);
    }
    mSamplers = {};
    mTextureBound = {};
    for (std::uint32_t binding = 0; binding < 2 * PixelConstantBindingBase; ++binding) {
        glBindBufferBase(GL_UNIFORM_BUFFER, binding, 0);
    }
    OMSetBlendState(nullptr);
    OMSetDepthStencilState(nullptr);
    RSSetState(nullptr);
}

void DeviceContext::Flush()
{
    glFlush();
}

void DeviceContext::OMSetRenderTargets(const RenderTargetView* color, const DepthStencilView* depth)
{
    if (color != nullptr && *color) {
        color->AttachDepth(depth);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, color->Framebuffer());
    } else {
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    }
}

void DeviceContext::RSSetViewports(const Viewport& viewport)
{
    glViewportIndexedf(0, viewport.TopLeftX, viewport.TopLeftY, viewport.Width, viewport.Height);
    glDepthRangeIndexed(0, viewport.MinDepth, viewport.MaxDepth);
}

void DeviceContext::ClearRenderTargetView(
    const RenderTargetView& view, const std::array<float, 4>& color, std::uint8_t writeMask)
{
    if (!view) {
        return;
    }
    glColorMaski(0, (writeMask & ColorWriteRed) != 0, (writeMask & ColorWriteGreen) != 0,
        (writeMask & ColorWriteBlue) != 0, (writeMask & ColorWriteAlpha) != 0);
    glDisable(GL_SCISSOR_TEST);
    glClearNamedFramebufferfv(view.Framebuffer(), GL_COLOR, 0, color.data());
    ApplyBlend();
    ApplyRasterizer();
}

void DeviceContext::ClearDepthStencilView(
    const DepthStencilView& view, std::uint32_t flags, float depth, std::uint8_t stencil)
{
    if (!view || flags == 0) {
        return;
    }
    // llvmpipe clears the bound targets lazily, tile by tile as it draws the next frame; through
    // another framebuffer the clear becomes a pass of its own after a flush of the bound one.
    const GLuint drawFramebuffer = BoundDrawFramebuffer();
    const bool bound = drawFramebuffer != 0 && DepthAttachment(drawFramebuffer) == view.Texture()->Name();
    const GLuint framebuffer = bound ? drawFramebuffer : mClearFramebuffer.Get();
    if (!bound) {
        glNamedFramebufferTexture(framebuffer, GL_DEPTH_STENCIL_ATTACHMENT, view.Texture()->Name(), 0);
    }
    glDepthMask(GL_TRUE);
    glStencilMask(0xFF);
    glDisable(GL_SCISSOR_TEST);
    const GLint stencilValue = stencil;
    if ((flags & ClearDepth) != 0 && (flags & ClearStencil) != 0) {
        glClearNamedFramebufferfi(framebuffer, GL_DEPTH_STENCIL, 0, depth, stencilValue);
    } else if ((flags & ClearDepth) != 0) {
        glClearNamedFramebufferfv(framebuffer, GL_DEPTH, 0, &depth);
    } else {
        glClearNamedFramebufferiv(framebuffer, GL_STENCIL, 0, &stencilValue);
    }
    if (!bound) {
        glNamedFramebufferTexture(framebuffer, GL_DEPTH_STENCIL_ATTACHMENT, 0, 0);
    }
    ApplyDepthStencil();
    ApplyRasterizer();
}

void DeviceContext::IASetPrimitiveTopology(PrimitiveTopology topology)
{
    mTopology = topology;
}

void DeviceContext::IASetInputLayout(const InputLayout* layout)
{
    mLayout = layout != nullptr && *layout ? layout : nullptr;
}

void DeviceContext::IASetVertexBuffers(
    std::uint32_t slot, const Buffer* buffer, std::uint32_t stride, std::uint32_t offset)
{
    if (slot < mVertexBuffers.size()) {
        mVertexBuffers[slot] = {buffer != nullptr ? buffer->Name() : 0, stride, offset};
    }
}

void DeviceContext::IASetIndexBuffer(const Buffer* buffer, Format format, std::uint32_t offset)
{
    mIndexBuffer = buffer != nullptr ? buffer->Name() : 0;
    mIndexSize = format == Format::R32UInt ? 4 : 2;
    mIndexOffset = offset;
}

void DeviceContext::VSSetShader(const VertexShader* shader)
{
    glUseProgramStages(mPipeline.Get(), GL_VERTEX_SHADER_BIT, shader != nullptr ? shader->Name() : 0);
}

void DeviceContext::PSSetShader(const PixelShader* shader)
{
    glUseProgramStages(mPipeline.Get(), GL_FRAGMENT_SHADER_BIT, shader != nullptr ? shader->Name() : 0);
}

void DeviceContext::VSSetConstantBuffers(std::uint32_t slot, const Buffer* buffer)
{
    if (slot < PixelConstantBindingBase) {
        glBindBufferBase(GL_UNIFORM_BUFFER, slot, buffer != nullptr ? buffer->Name() : 0);
    }
}

void DeviceContext::PSSetConstantBuffers(std::uint32_t slot, const Buffer* buffer)
{
    if (slot < PixelConstantBindingBase) {
        glBindBufferBase(GL_UNIFORM_BUFFER, PixelConstantBindingBase + slot, buffer != nullptr ? buffer->Name() : 0);
    }
}

void DeviceContext::PSSetShaderResources(std::uint32_t slot, const ShaderResourceView* view)
{
    if (slot >= TextureSlotCount) {
        return;
    }
    const bool bound = view != nullptr && *view;
    glBindTextureUnit(slot, bound ? view->Texture()->Name() : 0);
    mTextureBound[slot] = bound;
}

void DeviceContext::PSSetSamplers(std::uint32_t slot, const SamplerState* sampler)
{
    if (slot < TextureSlotCount) {
        mSamplers[slot] = sampler != nullptr ? sampler->Name() : 0;
    }
}

void DeviceContext::OMSetBlendState(
    const BlendState* state, const std::array<float, 4>& blendFactor, std::uint32_t sampleMask)
{
    mBlend = state != nullptr && *state ? state->Description() : BlendDesc{};
    mBlendFactor = blendFactor;
    mSampleMask = sampleMask;
    ApplyBlend();
}

void DeviceContext::OMSetDepthStencilState(const DepthStencilState* state, std::uint32_t stencilRef)
{
    mDepthStencil = state != nullptr && *state ? state->Description() : DepthStencilDesc{};
    mStencilRef = stencilRef;
    ApplyDepthStencil();
}

void DeviceContext::RSSetState(const RasterizerState* state)
{
    mRasterizer = state != nullptr && *state ? state->Description() : RasterizerDesc{};
    ApplyRasterizer();
}

void DeviceContext::UpdateSubresource(const Buffer& buffer, const void* data)
{
    if (buffer && data != nullptr) {
        glNamedBufferSubData(buffer.Name(), 0, buffer.Desc().ByteWidth, data);
    }
}

void* DeviceContext::Map(const Buffer& buffer, MapMode mode)
{
    if (!buffer) {
        return nullptr;
    }
    const Usage usage = buffer.Desc().Usage;
    if (mode == MapMode::WriteDiscard && usage == Usage::Dynamic) {
        return glMapNamedBufferRange(
            buffer.Name(), 0, buffer.Desc().ByteWidth, GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_BUFFER_BIT);
    }
    if (mode == MapMode::Read && usage == Usage::Staging) {
        return glMapNamedBufferRange(buffer.Name(), 0, buffer.Desc().ByteWidth, GL_MAP_READ_BIT);
    }
    return nullptr;
}

void DeviceContext::Unmap(const Buffer& buffer)
{
    if (buffer) {
        glUnmapNamedBuffer(buffer.Name());
    }
}

void DeviceContext::DrawIndexed(std::uint32_t indexCount, std::uint32_t startIndex, std::int32_t baseVertex)
{
    if (mIndexBuffer == 0 || indexCount == 0) {
        return;
    }
    ApplyInputAssembly();
    ApplySamplers();
    const std::uintptr_t byteOffset = mIndexOffset + static_cast<std::uintptr_t>(startIndex) * mIndexSize;
    glDrawElementsBaseVertex(GlEnums::Topology(mTopology), static_cast<GLsizei>(indexCount),
        mIndexSize == 4 ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT, reinterpret_cast<const void*>(byteOffset), baseVertex);
}

void DeviceContext::Draw(std::uint32_t vertexCount, std::uint32_t startVertex)
{
    if (vertexCount == 0) {
        return;
    }
    ApplyInputAssembly();
    ApplySamplers();
    glDrawArrays(GlEnums::Topology(mTopology), static_cast<GLint>(startVertex), static_cast<GLsizei>(vertexCount));
}

void DeviceContext::ResolveOpaque(const RenderTargetView& destination, const RenderTargetView& source)
{
    if (!destination || !source) {
        return;
    }
    const Texture2DDesc& from = source.Texture()->Desc();
    const Texture2DDesc& to = destination.Texture()->Desc();
    if (from.SampleCount != ResolvedSampleCount || to.SampleCount != 1 || from.Format != Format::R8G8B8A8UNorm
        || to.Format != Format::R8G8B8A8UNorm || from.Width != to.Width || from.Height != to.Height) {
        throw GameException("The resolve pass averages the " + std::to_string(ResolvedSampleCount)
            + " samples of an RGBA colour target into a single-sample one of the same size; the source has "
            + std::to_string(from.SampleCount) + ".");
    }
    if (!mResolveShader) {
        CreateComputeShader(mDevice, "framework/ResolveOpaque.comp", mResolveShader);
        glGetProgramiv(mResolveShader.Name(), GL_COMPUTE_WORK_GROUP_SIZE, mResolveGroupSize.data());
    }
    // The shader covers the picture with however many groups it gets; this many rows per
    // invocation is where a software rasterizer stops gaining and a GPU still has plenty of groups.
    constexpr std::uint32_t rowsPerInvocation = 16;
    const auto groups = [](std::uint32_t pixels, std::uint32_t perGroup) { return (pixels + perGroup - 1) / perGroup; };
    glUseProgram(mResolveShader.Name());
    glBindImageTexture(0, source.Texture()->Name(), 0, GL_FALSE, 0, GL_READ_ONLY, GL_RGBA8UI);
    glBindImageTexture(1, destination.Texture()->Name(), 0, GL_FALSE, 0, GL_WRITE_ONLY, GL_RGBA8UI);
    glDispatchCompute(groups(to.Width, static_cast<std::uint32_t>(mResolveGroupSize[0])),
        groups(to.Height, static_cast<std::uint32_t>(mResolveGroupSize[1]) * rowsPerInvocation), 1);
    glBindImageTexture(0, 0, 0, GL_FALSE, 0, GL_READ_ONLY, GL_RGBA8UI);
    glBindImageTexture(1, 0, 0, GL_FALSE, 0, GL_WRITE_ONLY, GL_RGBA8UI);
    // Back to the bound pipeline of separate stages.
    glUseProgram(0);
    // The picture is read next by a copy into a buffer, a framebuffer read or a texture fetch.
    glMemoryBarrier(GL_PIXEL_BUFFER_BARRIER_BIT | GL_TEXTURE_UPDATE_BARRIER_BIT | GL_FRAMEBUFFER_BARRIER_BIT
        | GL_TEXTURE_FETCH_BARRIER_BIT);
}

void DeviceContext::CopyTargetToStaging(const RenderTargetView& source, const Buffer& staging)
{
    if (!source || !staging) {
        return;
    }
    const Texture2DDesc& desc = source.Texture()->Desc();
    if (desc.SampleCount != 1 || staging.Desc().ByteWidth < desc.Width * desc.Height * 4) {
        return;
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, source.Framebuffer());
    glBindBuffer(GL_PIXEL_PACK_BUFFER, staging.Name());
    glReadPixels(0, 0, static_cast<GLsizei>(desc.Width), static_cast<GLsizei>(desc.Height), GL_BGRA,
        GL_UNSIGNED_BYTE, nullptr);
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
}

void DeviceContext::CopyResource(const Texture2D& destination, const Texture2D& source)
{
    const Texture2DDesc& desc = source.Desc();
    if (!(destination.Desc() == desc)) {
        return;
    }
    const GLenum target = desc.SampleCount > 1 ? GL_TEXTURE_2D_MULTISAMPLE : GL_TEXTURE_2D;
    glCopyImageSubData(source.Name(), target, 0, 0, 0, 0, destination.Name(), target, 0, 0, 0, 0,
        static_cast<GLsizei>(desc.Width), static_cast<GLsizei>(desc.Height), 1);
}

void DeviceContext::ApplyInputAssembly()
{
    const GLuint vertexArray = mLayout != nullptr ? mLayout->Name() : mEmptyVertexArray.Get();
    glBindVertexArray(vertexArray);
    if (mLayout != nullptr) {
        for (std::uint32_t slot = 0; slot < mVertexBuffers.size(); ++slot) {
            const VertexBinding& binding = mVertexBuffers[slot];
            if (binding.buffer != 0) {
                glVertexArrayVertexBuffer(vertexArray, slot, binding.buffer, binding.offset,
                    static_cast<GLsizei>(binding.stride));
            }
        }
    }
    glVertexArrayElementBuffer(vertexArray, mIndexBuffer);
}

void DeviceContext::ApplySamplers()
{
    for (std::uint32_t slot = 0; slot < TextureSlotCount; ++slot) {
        if (mTextureBound[slot]) {
            glBindSampler(slot, mSamplers[slot] != 0 ? mSamplers[slot] : mSamplers[0]);
        }
    }
}

void DeviceContext::ApplyBlend()
{
    const RenderTargetBlendDesc& target = mBlend.RenderTarget;
    SetCapability(GL_SAMPLE_ALPHA_TO_COVERAGE, mBlend.AlphaToCoverageEnable);
    if (target.BlendEnable) {
        glEnablei(GL_BLEND, 0);
    } else {
        glDisablei(GL_BLEND, 0);
    }
    glBlendFuncSeparatei(0, GlEnums::BlendFactor(target.SrcBlend), GlEnums::BlendFactor(target.DestBlend),
        GlEnums::BlendFactor(target.SrcBlendAlpha), GlEnums::BlendFactor(target.DestBlendAlpha));
    glBlendEquationSeparatei(0, GlEnums::BlendEquation(target.BlendOp), GlEnums::BlendEquation(target.BlendOpAlpha));
    const std::uint8_t mask = target.RenderTargetWriteMask;
    glColorMaski(0, (mask & ColorWriteRed) != 0, (mask & ColorWriteGreen) != 0, (mask & ColorWriteBlue) != 0,
        (mask & ColorWriteAlpha) != 0);
    glBlendColor(mBlendFactor[0], mBlendFactor[1], mBlendFactor[2], mBlendFactor[3]);
    SetCapability(GL_SAMPLE_MASK, mSampleMask != 0xFFFFFFFFu);
    glSampleMaski(0, mSampleMask);
}

void DeviceContext::ApplyDepthStencil()
{
    const DepthStencilDesc& desc = mDepthStencil;
    SetCapability(GL_DEPTH_TEST, desc.DepthEnable);
    glDepthMask(desc.DepthWriteAll ? GL_TRUE : GL_FALSE);
    glDepthFunc(GlEnums::Comparison(desc.DepthFunc));
    SetCapability(GL_STENCIL_TEST, desc.StencilEnable);
    const auto reference = static_cast<GLint>(mStencilRef);
    const auto applyFace = [&](GLenum face, const DepthStencilOpDesc& op) {
        glStencilFuncSeparate(face, GlEnums::Comparison(op.StencilFunc), reference, desc.StencilReadMask);
        glStencilOpSeparate(face, GlEnums::Stencil(op.StencilFailOp), GlEnums::Stencil(op.StencilDepthFailOp),
            GlEnums::Stencil(op.StencilPassOp));
        glStencilMaskSeparate(face, desc.StencilWriteMask);
    };
    applyFace(GL_FRONT, desc.FrontFace);
    applyFace(GL_BACK, desc.BackFace);
}

void DeviceContext::ApplyRasterizer()
{
    const RasterizerDesc& desc = mRasterizer;
    glPolygonMode(GL_FRONT_AND_BACK, desc.FillMode == FillMode::Wireframe ? GL_LINE : GL_FILL);
    SetCapability(GL_CULL_FACE, desc.CullMode != CullMode::None);
    glCullFace(desc.CullMode == CullMode::Front ? GL_FRONT : GL_BACK);
    glFrontFace(GlFrontFace(desc.FrontCounterClockwise));
    SetCapability(GL_DEPTH_CLAMP, !desc.DepthClipEnable);
    SetCapability(GL_SCISSOR_TEST, desc.ScissorEnable);
    SetCapability(GL_POLYGON_OFFSET_FILL, desc.DepthBias != 0 || desc.SlopeScaledDepthBias != 0.0f);
    glPolygonOffset(desc.SlopeScaledDepthBias, static_cast<float>(desc.DepthBias));
}
}
