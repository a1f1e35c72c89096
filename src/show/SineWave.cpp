#include "show/SineWave.h"

#include "framework/Camera.h"
#include "framework/Game.h"
#include "framework/GameException.h"
#include "framework/GpuHelpers.h"
#include "show/MeshBinding.h"

#include <algorithm>

namespace Rendering {

namespace {

// The ribbon's centre line lies one eighth of the picture's height above its bottom edge.
constexpr float CentreLine = -0.75f;

const std::array<Library::InputElementDesc, 2> VertexLayout = {{
    {"POSITION", 0, Library::Format::R32G32B32A32Float, 0, 0},
    {"COLOR", 0, Library::Format::R32G32B32A32Float, 0, Library::AppendAlignedElement},
}};

} // namespace

SineWave::SineWave(Library::Game& game, std::shared_ptr<Library::Camera> camera, float width, float height,
    float phaseSpeed, bool breathing, bool travelling, float depth, float fadeStartAlpha, float fadeTime,
    float phaseOffset, float endTime)
    : DrawableGameComponent(game, std::move(camera)),
      mAspect(width / std::max(height, 1.0f)),
      mDepth(depth),
      mMotion{phaseSpeed, breathing, travelling, fadeStartAlpha, fadeTime, phaseOffset, endTime}
{
}

void SineWave::SetUp()
{
    if (mColors.size() < mColorParams.colors.size()) {
        throw Library::GameException("SineWave needs four colours.", Library::ResultFail);
    }
    auto& device = mGame->Device();
    const auto strip = BuildWaveStrip(mColumns, mDepth);
    mIndexCount = static_cast<std::uint32_t>(strip.indices.size());
    Library::CreateIndexBuffer16(device, strip.indices, mIndexBuffer);
    Library::CreateStaticVertexBuffer(device, strip.vertices.data(),
        static_cast<std::uint32_t>(strip.vertices.size() * sizeof(WaveVertex)), mVertexBuffer);
    Library::CreateVertexShader(device, "show/SineWave.vert", mVertexShader);
    Library::CreatePixelShader(device, "show/SineWave.frag", mPixelShader);
    Library::CreateInputLayout(device, VertexLayout, mVertexShader, mInputLayout);
    Library::CreateConstantBuffer(device, sizeof(CBufferPerObject), mConstantBuffers[0]);
    Library::CreateConstantBuffer(device, sizeof(CColorBufferPerObject), mConstantBuffers[1]);
    Library::CreateConstantBuffer(device, sizeof(CInfoBufferPerObject), mConstantBuffers[2]);
    Library::CreateConstantBuffer(device, sizeof(CAlphaBufferPerObject), mConstantBuffers[3]);
    std::copy_n(mColors.begin(), mColorParams.colors.size(), mColorParams.colors.begin());
}

void SineWave::Render(const Library::FrameTime& frameTime)
{
    const auto t = static_cast<float>(frameTime.sinceStart);
    if (!mStarted) {
        mStarted = true;
        mStartTime = t;
    }
    const WaveFrame frame = ComputeWaveFrame(mMotion, t - mStartTime);
    if (!frame.drawn || !mVertexBuffer) {
        return;
    }
    mInfo.s_shift = frame.shift;
    mInfo.amp = frame.amp;
    mInfo.s_running_time = frame.runningTime;
    mAlpha.s_alpha[0] = frame.alpha;

    auto& context = mGame->Context();
    BindIndexedMesh(context, mInputLayout, mVertexBuffer, sizeof(WaveVertex), mIndexBuffer, mVertexShader, mPixelShader);
    const auto world = Library::Translation(0.0f, CentreLine / mAspect, 0.0f);
    const CBufferPerObject transformation{Library::Transpose(Library::Multiply(world, mCamera->ViewProjectionMatrix()))};
    context.UpdateSubresource(mConstantBuffers[0], &transformation);
    context.UpdateSubresource(mConstantBuffers[1], &mColorParams);
    context.UpdateSubresource(mConstantBuffers[2], &mInfo);
    context.UpdateSubresource(mConstantBuffers[3], &mAlpha);
    for (std::uint32_t slot = 0; slot < mConstantBuffers.size(); ++slot) {
        context.VSSetConstantBuffers(slot, &mConstantBuffers[slot]);
    }
    context.RSSetState(&Library::RasterizerStates::SolidCullBackCw);
    context.DrawIndexed(mIndexCount, 0, 0);
}

} // namespace Rendering
