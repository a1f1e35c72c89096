// The framed reveal and conceal of PhotoAnimation: reveal quads, the frame ring and the frame
// unfolding, and their sequence within the enter and leave phases.

#include "PhotoAnimation.h"

#include "framework/GpuHelpers.h"

#include <cstring>

namespace Rendering {

namespace {

int Negated(int fromLeft)
{
    return fromLeft == 0 ? 1 : 0;
}

}  // namespace

void PhotoAnimation::BuildDropRevealQuad(float t)
{
    WriteQuad(VisibleRect(MotionStyle::Drop, 0, t, Extents()), mDepth, mQuad);
}

void PhotoAnimation::BuildSideRevealQuad(float t, int fromLeft)
{
    WriteQuad(VisibleRect(MotionStyle::Side, fromLeft, t, Extents()), mDepth, mQuad);
}

void PhotoAnimation::BuildCornerRevealQuad(float t)
{
    WriteQuad(VisibleRect(MotionStyle::Corner, mLeftToRight, t, Extents()), mDepth, mQuad);
}

void PhotoAnimation::AnimateReveal(const Library::FrameTime& frameTime, float p)
{
    const RevealStep step = SplitReveal(p, Extents(), Frame());
    const auto style = static_cast<MotionStyle>(mMotion);
    if (step.unfolding) {
        DrawFrameUnfold(style, mLeftToRight, step.value);
        return;
    }
    RenderEnter(frameTime, step.value, mFrameSpan * step.value);
    DrawFrameRing(step.value, mFrameSpan * step.value);
}

void PhotoAnimation::AnimateConceal(const Library::FrameTime& frameTime, float p)
{
    // Whatever the motion style, the photo leaves sideways through the far edge.
    const RevealStep step = SplitReveal(p, Extents(), Frame());
    const int fromLeft = Negated(mLeftToRight);
    if (step.unfolding) {
        DrawFrameUnfold(MotionStyle::Side, fromLeft, step.value);
        return;
    }
    RenderLeave(frameTime, step.value, mFrameSpan * step.value);
    DrawFrameRing(MotionStyle::Side, fromLeft, step.value, mFrameSpan * step.value);
}

void PhotoAnimation::DrawFrameRing(float t, float span)
{
    DrawFrameRing(static_cast<MotionStyle>(mMotion), mLeftToRight, t, span);
}

void PhotoAnimation::DrawFrameRing(MotionStyle style, int fromLeft, float t, float span)
{
    std::array<TexturedVertex, RingQuadCount * 4> ring{};
    BuildFrameRing(style, fromLeft, t, span, Extents(), Frame(), ring);
    DrawFrameMesh(Shared().frameRing, ring);
}

void PhotoAnimation::DrawFrameUnfold(MotionStyle style, int fromLeft, float q)
{
    switch (style) {
    case MotionStyle::Side:
        DrawFrameUnfoldSide(fromLeft, q);
        break;
    case MotionStyle::Corner:
        DrawFrameUnfoldCorner(fromLeft, q);
        break;
    default:
        DrawFrameUnfoldDrop(q);
        break;
    }
}

void PhotoAnimation::DrawFrameUnfoldDrop(float q)
{
    std::array<TexturedVertex, BarsQuadCount * 4> bars{};
    BuildDropUnfold(q, Extents(), Frame(), bars);
    DrawFrameMesh(Shared().frameBars, bars);
}

void PhotoAnimation::DrawFrameUnfoldSide(int fromLeft, float q)
{
    std::array<TexturedVertex, BarsQuadCount * 4> bars{};
    BuildSideUnfold(fromLeft, q, Extents(), Frame(), bars);
    DrawFrameMesh(Shared().frameBars, bars);
}

void PhotoAnimation::DrawFrameUnfoldCorner(int fromLeft, float q)
{
    std::array<TexturedVertex, CornersQuadCount * 4> corners{};
    BuildCornerUnfold(fromLeft, q, Extents(), Frame(), corners);
    DrawFrameMesh(Shared().frameCorners, corners);
}

void PhotoAnimation::DrawFrameMesh(FrameMesh& mesh, std::span<const TexturedVertex> vertices)
{
    SharedPhotoObjects& shared = Shared();
    // The frame needs a photo to surround, its geometry and the frame picture.
    if (!shared.framesEnabled || !HasVisiblePhoto() || !mesh.vertexBuffer || !shared.frameTexture) {
        return;
    }
    Library::DeviceContext& context = mGame->Context();
    context.IASetPrimitiveTopology(Library::PrimitiveTopology::TriangleList);
    context.IASetInputLayout(&shared.textured.inputLayout);
    context.IASetVertexBuffers(0, &mesh.vertexBuffer, sizeof(TexturedVertex), 0);
    context.IASetIndexBuffer(&mesh.indexBuffer, Library::Format::R16UInt, 0);
    context.VSSetShader(&shared.textured.vertexShader);
    context.PSSetShader(&shared.textured.pixelShader);
    UploadWvp(LiftedWvp());
    context.PSSetShaderResources(0, &shared.frameTexture);
    context.PSSetSamplers(0, &shared.sampler);
    if (void* mapped = context.Map(mesh.vertexBuffer, Library::MapMode::WriteDiscard)) {
        std::memcpy(mapped, vertices.data(), vertices.size_bytes());
        context.Unmap(mesh.vertexBuffer);
    }
    const std::array<float, 4> blendFactor{};
    context.OMSetBlendState(&shared.alphaBlend, blendFactor, 0xFFFFFFFFu);
    context.RSSetState(&Library::RasterizerStates::SolidCullBackCcw);
    context.DrawIndexed(mesh.indexCount, 0, 0);
    context.OMSetBlendState(&shared.noBlend, blendFactor, 0xFFFFFFFFu);
}

}  // namespace Rendering
