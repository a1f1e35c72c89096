#include "show/Background.h"

#include "framework/Camera.h"
#include "framework/Game.h"
#include "framework/GpuHelpers.h"
#include "show/BackgroundLayout.h"
#include "show/MeshBinding.h"

#include <pellora_resources.h>

#include <string>

namespace Rendering {

namespace {

constexpr std::uint32_t PictureDim = 2048;
constexpr std::string_view BuiltInName = "BlackWood.jpg";
constexpr std::string_view BuiltInResource = "326";
// The quad is drawn this far in front of its own depth, so that it lies 6.2 units from the eye.
constexpr float DriftDepth = 0.8f;
constexpr auto BackgroundIndices = QuadIndices<1>();

const std::array<Library::InputElementDesc, 2> VertexLayout = {{
    {"POSITION", 0, Library::Format::R32G32B32A32Float, 0, 0},
    {"TEXCOORD", 0, Library::Format::R32G32Float, 0, Library::AppendAlignedElement},
}};

} // namespace

Background::Background(Library::Game& game, std::shared_ptr<Library::Camera> camera, std::uint32_t renderWidth,
    std::uint32_t renderHeight, float scale)
    : DrawableGameComponent(game, std::move(camera)),
      mRenderWidth(renderWidth),
      mRenderHeight(renderHeight),
      mScreenAspect(static_cast<float>(renderWidth) / static_cast<float>(std::max(renderHeight, 1u))),
      mScale(scale)
{
}

void Background::LoadPicture(const std::filesystem::path& path, std::uint32_t width, std::uint32_t height)
{
    DropSnapshot();
    mPicturePath = path;
    auto& device = mGame->Device();
    std::uint32_t a = width;
    std::uint32_t b = height;
    std::uint32_t dim = PictureDim;
    if (path.string().find(BuiltInName) != std::string::npos) {
        mPicture.LoadFromMemory(device, Pellora::Resources::Find(BuiltInResource));
    } else {
        std::uint32_t imageWidth = 0;
        std::uint32_t imageHeight = 0;
        mPicture.LoadFromFile(device, path, dim, imageWidth, imageHeight);
        // The project records the fitted size against its own texture side, which is smaller for
        // small pictures; the loaded texture knows where the picture really lies.
        if (mPicture.View) {
            a = mPicture.Width;
            b = mPicture.Height;
        }
    }
    const float pictureAspect = mPicture.FloatHeight > 0.0f ? mPicture.FloatWidth / mPicture.FloatHeight : 0.0f;
    const auto quad = ComputeBackgroundQuad(mScreenAspect, pictureAspect, mScale, a, b, dim);
    const float x = quad.halfWidth;
    const float y = quad.halfHeight;
    const std::array<TexturedVertex, 4> vertices = {{
        {{-x, y, mDepth, 1.0f}, {0.0f, 0.0f}},
        {{-x, -y, mDepth, 1.0f}, {0.0f, quad.vMax}},
        {{x, -y, mDepth, 1.0f}, {quad.uMax, quad.vMax}},
        {{x, y, mDepth, 1.0f}, {quad.uMax, 0.0f}},
    }};
    Library::CreateStaticVertexBuffer(device, vertices.data(), sizeof(vertices), mVertexBuffer);
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const auto& p = vertices[i].position;
        mCorners[i] = {p[0], p[1], p[2], p[3]};
    }
}

void Background::SetUp()
{
    DropSnapshot();
    auto& device = mGame->Device();
    Library::CreateVertexShader(device, "framework/Textured.vert", mVertexShader);
    Library::CreatePixelShader(device, "show/Background.frag", mPixelShader);
    Library::CreateInputLayout(device, VertexLayout, mVertexShader, mInputLayout);
    mIndexCount = static_cast<std::uint32_t>(BackgroundIndices.size());
    Library::CreateIndexBuffer16(device, BackgroundIndices, mIndexBuffer);
    Library::CreateConstantBuffer(device, sizeof(CBufferPerObject), mTransformationBuffer);
    Library::CreateConstantBuffer(device, sizeof(CAlphaBufferPerObject), mAlphaBuffer);
    Library::CreateSamplerState(device, mSampler);
    Library::CreateDepthAlwaysState(device, mDepthAlways);
}

void Background::Render(const Library::FrameTime& frameTime)
{
    if (!mStarted) {
        mStarted = true;
        mFirstTime = static_cast<float>(frameTime.sinceStart);
    }
    if (!WillDraw(frameTime)) {
        return;
    }
    const auto wvp = WorldViewProjection(frameTime);
    auto& context = mGame->Context();
    if (HoldsSnapshotOf(wvp)) {
        mSnapshot.PutBack(context, mGame->ColorView(), mGame->DepthView());
    } else {
        Draw(wvp);
        // Drawn with the same matrix twice running: the background stands still, so the target as
        // it is now will be wanted again in the next frames.
        if (mDrawnWith == wvp) {
            mSnapshot.Take(mGame->Device(), context, mGame->ColorView(), mGame->DepthView());
            mSnapshotOf = wvp;
        }
        mDrawnWith = wvp;
    }
    // Either way the same states are left for the components drawn after it.
    context.RSSetState(&Library::RasterizerStates::SolidCullBackCcw);
    context.OMSetBlendState(nullptr);
    context.OMSetDepthStencilState(nullptr);
}

void Background::Draw(const Library::Float4x4& worldViewProjection)
{
    auto& context = mGame->Context();
    BindIndexedMesh(context, mInputLayout, mVertexBuffer, sizeof(TexturedVertex), mIndexBuffer, mVertexShader, mPixelShader);

    const CBufferPerObject transformation{Library::Transpose(worldViewProjection)};
    context.UpdateSubresource(mTransformationBuffer, &transformation);
    context.VSSetConstantBuffers(0, &mTransformationBuffer);
    context.UpdateSubresource(mAlphaBuffer, &mAlpha);
    context.PSSetConstantBuffers(0, &mAlphaBuffer);
    context.PSSetShaderResources(0, mPicture.View ? &mPicture.View : nullptr);
    context.PSSetSamplers(0, &mSampler);
    context.RSSetState(&Library::RasterizerStates::SolidCullBackCcw);
    context.OMSetBlendState(nullptr);
    context.OMSetDepthStencilState(&mDepthAlways);
    context.DrawIndexed(mIndexCount, 0, 0);
}

bool Background::HoldsSnapshotOf(const Library::Float4x4& worldViewProjection) const
{
    return mSnapshotOf == worldViewProjection && mSnapshot.Fits(mGame->ColorView(), mGame->DepthView());
}

void Background::DropSnapshot()
{
    mSnapshot.Drop();
    mSnapshotOf.reset();
    mDrawnWith.reset();
}

bool Background::OverwritesTarget(const Library::FrameTime& frameTime) const
{
    if (!mStarted || !IsShown() || !WillDraw(frameTime) || mRenderWidth == 0 || mRenderHeight == 0) {
        return false;
    }
    const auto wvp = WorldViewProjection(frameTime);
    if (HoldsSnapshotOf(wvp)) {
        return true;
    }
    std::array<Library::Float4, 4> clipCorners{};
    for (std::size_t i = 0; i < mCorners.size(); ++i) {
        clipCorners[i] = Library::Transform(mCorners[i], wvp);
    }
    // Two pixels beyond the edges, for the sample positions and the rounding of the rasterizer.
    return QuadCoversViewport(clipCorners, 4.0f / static_cast<float>(mRenderWidth),
        4.0f / static_cast<float>(mRenderHeight));
}

bool Background::WillDraw(const Library::FrameTime& frameTime) const
{
    const float elapsed = static_cast<float>(frameTime.sinceStart) - mFirstTime;
    return !(mEndTime > 0.0f && elapsed > mEndTime) && mVertexBuffer && mVertexShader;
}

Library::Float4x4 Background::WorldViewProjection(const Library::FrameTime& frameTime) const
{
    return Library::Multiply(ComputeDrift(frameTime), mCamera->ViewProjectionMatrix());
}

Library::Float4x4 Background::ComputeDrift(const Library::FrameTime& frameTime) const
{
    const float elapsed = static_cast<float>(frameTime.sinceStart) - mFirstTime;
    const auto [x, y] = ComputeDriftOffset(elapsed, mMoving, mScale);
    return Library::Translation(x, y, DriftDepth);
}

} // namespace Rendering
