#include "show/Black.h"

#include "framework/Camera.h"
#include "framework/Game.h"
#include "framework/GpuHelpers.h"
#include "show/MeshBinding.h"
#include "show/OverlayLayout.h"
#include "transitions/PhotoGeometry.h"

#include <pellora_resources.h>

#include <algorithm>

namespace Rendering {

namespace {

constexpr float BandDepth = 0.66f; // in front of the ribbons
constexpr auto BandIndices = QuadIndices<1>();

const std::array<Library::InputElementDesc, 2> VertexLayout = {{
    {"POSITION", 0, Library::Format::R32G32B32A32Float, 0, 0},
    {"TEXCOORD", 0, Library::Format::R32G32Float, 0, Library::AppendAlignedElement},
}};

} // namespace

Black::Black(Library::Game& game, std::shared_ptr<Library::Camera> camera, int width, int height,
    std::filesystem::path picturePath)
    : DrawableGameComponent(game, std::move(camera)),
      mWidth(width),
      mHeight(height),
      mPicturePath(std::move(picturePath))
{
    mBandTexture.LoadFromMemory(mGame->Device(), Pellora::Resources::Find("327"));
}

void Black::SetUp()
{
    auto& device = mGame->Device();
    Library::CreateVertexShader(device, "framework/Textured.vert", mVertexShader);
    Library::CreatePixelShader(device, "show/BlackBand.frag", mPixelShader);
    Library::CreateInputLayout(device, VertexLayout, mVertexShader, mInputLayout);
    std::array<TexturedVertex, 4> vertices{};
    const auto corners = BandQuad(static_cast<float>(std::max(mWidth, 1)), static_cast<float>(mHeight));
    std::transform(corners.begin(), corners.end(), vertices.begin(),
        [](const BandCorner& corner) { return TexturedVertex{corner.position, corner.texcoord}; });
    Library::CreateStaticVertexBuffer(device, vertices.data(), sizeof(vertices), mVertexBuffer);
    mIndexCount = static_cast<std::uint32_t>(BandIndices.size());
    Library::CreateIndexBuffer16(device, BandIndices, mIndexBuffer);
    Library::CreateConstantBuffer(device, sizeof(CBufferPerObject), mConstantBuffer);
    Library::CreateSamplerState(device, mSampler);
    Library::CreateAlphaBlendState(device, mAlphaBlend);
    Library::CreateNoBlendState(device, mNoBlend);
}

void Black::Render(const Library::FrameTime&)
{
    if (!mVertexBuffer) {
        return;
    }
    auto& context = mGame->Context();
    BindIndexedMesh(context, mInputLayout, mVertexBuffer, sizeof(TexturedVertex), mIndexBuffer, mVertexShader, mPixelShader);
    const auto world = Library::Translation(0.0f, 0.0f, BandDepth);
    const CBufferPerObject transformation{Library::Transpose(Library::Multiply(world, mCamera->ViewProjectionMatrix()))};
    context.UpdateSubresource(mConstantBuffer, &transformation);
    context.VSSetConstantBuffers(0, &mConstantBuffer);
    context.PSSetShaderResources(0, mBandTexture.View ? &mBandTexture.View : nullptr);
    context.PSSetSamplers(0, &mSampler);
    context.OMSetBlendState(&mAlphaBlend);
    context.RSSetState(&Library::RasterizerStates::SolidCullBackCcw);
    context.DrawIndexed(mIndexCount, 0, 0);
    context.OMSetBlendState(&mNoBlend);
}

} // namespace Rendering
