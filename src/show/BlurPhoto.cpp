#include "show/BlurPhoto.h"

#include "framework/Camera.h"
#include "framework/Game.h"
#include "framework/GpuHelpers.h"
#include "show/CollageLayout.h"
#include "show/MeshBinding.h"

#include <cstring>

namespace Rendering {

namespace {

constexpr auto PhotoIndices = QuadIndices<1>();

const std::array<Library::InputElementDesc, 2> VertexLayout = {{
    {"POSITION", 0, Library::Format::R32G32B32A32Float, 0, 0},
    {"TEXCOORD", 0, Library::Format::R32G32Float, 0, Library::AppendAlignedElement},
}};

} // namespace

BlurPhoto::BlurPhoto(Library::Game& game, std::shared_ptr<Library::Camera> camera,
    std::shared_ptr<const Library::TextureRes> texture, float texRight, float texBottom,
    std::shared_ptr<const BlurPhotoAniInfo> entry, float startTime, int script)
    : DrawableGameComponent(game, std::move(camera)),
      mTexture(std::move(texture)),
      mTexRight(texRight),
      mTexBottom(texBottom),
      mEntry(std::move(entry)),
      mStartTime(startTime),
      mScript(script)
{
}

void BlurPhoto::SetUp()
{
    auto& device = mGame->Device();
    const float halfHeight = mTexRight >= mTexBottom ? mLandscapeHalfHeight : mPortraitHalfHeight;
    const auto quad = CollageQuad(mTexRight, mTexBottom, halfHeight, mQuadZ);
    Library::CreateDynamicVertexBuffer(device, sizeof(quad), mVertexBuffer);
    if (void* mapped = mGame->Context().Map(mVertexBuffer, Library::MapMode::WriteDiscard)) {
        std::memcpy(mapped, quad.data(), sizeof(quad));
        mGame->Context().Unmap(mVertexBuffer);
    }
    Library::CreateIndexBuffer16(device, PhotoIndices, mIndexBuffer);
    Library::CreateVertexShader(device, "framework/Textured.vert", mVertexShader);
    Library::CreatePixelShader(device, "show/AlphaTextured.frag", mPixelShader);
    Library::CreateInputLayout(device, VertexLayout, mVertexShader, mInputLayout);
    Library::CreateConstantBuffer(device, sizeof(CBufferPerObject), mConstantBuffer);
    Library::CreateConstantBuffer(device, sizeof(CAlphaBufferPerObject), mAlphaBuffer);
    Library::CreateSamplerState(device, mSampler);
    Library::CreateAlphaBlendState(device, mAlphaBlend);
    Library::CreateNoBlendState(device, mNoBlend);
    Library::CreateDepthAlwaysState(device, mDepthAlways);
    Library::CreateDepthLessEqualState(device, mDepthLessEqual);
}

void BlurPhoto::Render(const Library::FrameTime& frameTime)
{
    const auto t = static_cast<float>(frameTime.sinceStart);
    if (!mVertexBuffer || !CollagePhotoShownAt(mStartTime, mEntry->disappear, t)) {
        return;
    }
    auto& context = mGame->Context();
    context.OMSetDepthStencilState(&mDepthAlways);
    Draw(t - mStartTime);
    context.OMSetDepthStencilState(&mDepthLessEqual);
}

void BlurPhoto::Draw(float e)
{
    auto& context = mGame->Context();
    mAlpha.s_alpha[0] = 1.0f;
    mWorld = CollageWorld(*mEntry, e);
    const CBufferPerObject transformation{
        Library::Transpose(Library::Multiply(mWorld, mCamera->ViewProjectionMatrix()))};
    BindIndexedMesh(context, mInputLayout, mVertexBuffer, sizeof(TexturedVertex), mIndexBuffer, mVertexShader, mPixelShader);
    context.UpdateSubresource(mConstantBuffer, &transformation);
    context.UpdateSubresource(mAlphaBuffer, &mAlpha);
    context.VSSetConstantBuffers(0, &mConstantBuffer);
    context.PSSetConstantBuffers(0, &mAlphaBuffer);
    context.PSSetShaderResources(0, mTexture && mTexture->View ? &mTexture->View : nullptr);
    context.PSSetSamplers(0, &mSampler);
    context.OMSetBlendState(&mAlphaBlend);
    context.RSSetState(&Library::RasterizerStates::SolidCullBackCcw);
    context.DrawIndexed(static_cast<std::uint32_t>(PhotoIndices.size()), 0, 0);
    context.OMSetBlendState(&mNoBlend);
}

} // namespace Rendering
