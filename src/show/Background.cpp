#include "show/Background.h"

#include "framework/Camera.h"
#include "framework/Game.h"
#include "framework/GpuHelpers.h"
#include "show/BackgroundLayout.h"

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
      mScreenAspect(static_cast<float>(renderWidth) / static_cast<float>(std::max(renderHeight, 1u))),
      mScale(scale)
{
}

void Background::LoadPicture(const std::filesystem::path& path, std::uint32_t width, std::uint32_t height)
{
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
}

void Background::SetUp()
{
    auto& device = mGame->Device();
    Library::CreateVertexShader(device, "framework/Textured.vert", mVertexShader);
    Library::CreatePixelShader(device, "show/Background.frag", mPixelShader);
    Library::CreateInputLayout(device, VertexLayout, mVertexShader, mInputLayout);
    mIndexCount = static_cast<std::uint32_t>(BackgroundIndices.size());
    Library::CreateIndexBuffer16(device, BackgroundIndices, mIndexBuffer);
    Library::CreateConstantBuffer(device, sizeof(CBufferPerObject), mTransformationBuffer);
    Library::CreateConstantBuffer(device, sizeof(CAlphaBufferPerObject), mAlphaBuffer);
    Library::CreateSamplerState(device, mSampler);
}

void Background::Render(const Library::FrameTime& frameTime)
{
    if (!mStarted) {
        mStarted = true;
        mFirstTime = static_cast<float>(frameTime.sinceStart);
    }
    const float elapsed = static_cast<float>(frameTime.sinceStart) - mFirstTime;
    if ((mEndTime > 0.0f && elapsed > mEndTime) || !mVertexBuffer || !mVertexShader) {
        return;
    }
    auto& context = mGame->Context();
    context.IASetPrimitiveTopology(Library::PrimitiveTopology::TriangleList);
    context.IASetInputLayout(&mInputLayout);
    context.IASetVertexBuffers(0, &mVertexBuffer, sizeof(TexturedVertex), 0);
    context.IASetIndexBuffer(&mIndexBuffer, Library::Format::R16UInt, 0);
    context.VSSetShader(&mVertexShader);
    context.PSSetShader(&mPixelShader);

    const auto wvp = Library::Multiply(ComputeDrift(frameTime), mCamera->ViewProjectionMatrix());
    const CBufferPerObject transformation{Library::Transpose(wvp)};
    context.UpdateSubresource(mTransformationBuffer, &transformation);
    context.VSSetConstantBuffers(0, &mTransformationBuffer);
    context.UpdateSubresource(mAlphaBuffer, &mAlpha);
    context.PSSetConstantBuffers(0, &mAlphaBuffer);
    context.PSSetShaderResources(0, mPicture.View ? &mPicture.View : nullptr);
    context.PSSetSamplers(0, &mSampler);
    context.RSSetState(&Library::RasterizerStates::SolidCullBackCcw);
    context.DrawIndexed(mIndexCount, 0, 0);
}

Library::Float4x4 Background::ComputeDrift(const Library::FrameTime& frameTime) const
{
    const float elapsed = static_cast<float>(frameTime.sinceStart) - mFirstTime;
    const auto [x, y] = ComputeDriftOffset(elapsed, mMoving, mScale);
    return Library::Translation(x, y, DriftDepth);
}

} // namespace Rendering
