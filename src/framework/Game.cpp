#include "framework/Game.h"

#include "framework/DrawableGameComponent.h"
#include "framework/GameException.h"
#include "framework/GpuHelpers.h"

#include <cstring>
#include <utility>

namespace Library
{
namespace
{
constexpr const char* ReleasedMessage = "The game's graphics device has already been released.";
}

Game::Game(SizeProvider sizeProvider, TargetKind targetKind, FrameClock::MillisecondCounter counter)
    : mSizeProvider(std::move(sizeProvider)), mClock(std::move(counter)), mTargetKind(targetKind)
{
    CreateDeviceObjects();
}

Game::~Game()
{
    ReleaseAll();
}

void Game::CreateDeviceObjects()
{
    mDevice = std::make_unique<GraphicsDevice>();
    mContext = std::make_unique<DeviceContext>(*mDevice);
    if (mDevice->MaxSampleCount() < mSampleCount) {
        throw GameException("Unsupported multi-sampling quality");
    }
}

void Game::MakeCurrent()
{
    Device().MakeCurrent();
}

GraphicsDevice& Game::Device()
{
    if (!mDevice) {
        throw GameException(ReleasedMessage);
    }
    return *mDevice;
}

DeviceContext& Game::Context()
{
    if (!mContext) {
        throw GameException(ReleasedMessage);
    }
    return *mContext;
}

bool Game::HasDevice() const
{
    return static_cast<bool>(mDevice);
}

float Game::AspectRatio() const
{
    return mHeight != 0 ? static_cast<float>(mWidth) / static_cast<float>(mHeight) : 1.0f;
}

void Game::SetPresentCallback(PresentCallback callback)
{
    mPresentCallback = std::move(callback);
}

void Game::BindAsTarget()
{
    MakeCurrent();
    PushTarget({this, mContext.get(), &mColorView, &mDepthView, mViewport});
}

void Game::RestorePreviousTarget()
{
    PopTarget();
}

void Game::Prepare()
{
    MakeCurrent();
    mClock.Restart();
    for (const auto& component : mComponents) {
        component->SetUp();
    }
}

void Game::RunFrame()
{
    if (mDevice) {
        mDevice->MakeCurrent();
    }
    mClock.RunFrame(mPaused, mStepOnce, mFrameTime);
    AdvanceAll(mFrameTime);
    RenderFrame(mFrameTime);
}

void Game::ReleaseAll()
{
    if (mContext) {
        mDevice->MakeCurrent();
        mContext->ClearState();
        mContext->Flush();
    }
    mComponents.clear();
    mComponents.shrink_to_fit();
    ForgetTargets(this);
    ReleaseTargets();
    mContext.reset();
    mDevice.reset();
}

void Game::UnbindPixelResources(std::uint32_t first, std::uint32_t count)
{
    for (std::uint32_t slot = first; slot < first + count; ++slot) {
        Context().PSSetShaderResources(slot, nullptr);
    }
}

void Game::AdvanceAll(const FrameTime& frameTime)
{
    for (const auto& component : mComponents) {
        if (component->IsActive()) {
            component->Advance(frameTime);
        }
    }
}

void Game::RenderFrame(const FrameTime& frameTime)
{
    for (const auto& component : mComponents) {
        auto* drawable = component->As<DrawableGameComponent>();
        if (drawable != nullptr && drawable->IsShown()) {
            drawable->Render(frameTime);
        }
    }
}

void Game::CreateSizedObjects()
{
    CreateWindowTargets();
}

void Game::ReleaseTargets()
{
    mColorView = RenderTargetView();
    mDepthView = DepthStencilView();
    mResolvedView = RenderTargetView();
    mPreviewStaging = Buffer();
}

void Game::CreateTarget(Format format, BindFlags bind, std::uint32_t samples, std::shared_ptr<Texture2D>& out)
{
    Texture2DDesc desc;
    desc.Width = mWidth;
    desc.Height = mHeight;
    desc.Format = format;
    desc.SampleCount = samples;
    desc.BindFlags = bind;
    ThrowIfFailed(mDevice->CreateTexture2D(desc, nullptr, out), "IDXGIDevice::CreateTexture2D() failed.");
}

void Game::CreateWindowTargets()
{
    MakeCurrent();
    mContext->OMSetRenderTargets(nullptr, nullptr);
    ReleaseTargets();
    mContext->Flush();
    mSizeProvider(mWidth, mHeight);

    std::shared_ptr<Texture2D> color;
    CreateTarget(Format::R8G8B8A8UNorm, BindRenderTarget, mSampleCount, color);
    ThrowIfFailed(mDevice->CreateRenderTargetView(color, mColorView), "IDXGIDevice::CreateRenderTargetView() failed.");
    std::shared_ptr<Texture2D> depth;
    CreateTarget(Format::D24UNormS8UInt, BindDepthStencil, mSampleCount, depth);
    ThrowIfFailed(mDevice->CreateDepthStencilView(depth, mDepthView), "IDXGIDevice::CreateDepthStencilView() failed.");
    std::shared_ptr<Texture2D> resolved;
    CreateTarget(Format::R8G8B8A8UNorm, static_cast<BindFlags>(BindRenderTarget | BindShaderResource), 1, resolved);
    ThrowIfFailed(
        mDevice->CreateRenderTargetView(resolved, mResolvedView), "IDXGIDevice::CreateRenderTargetView() failed.");
    if (mTargetKind == TargetKind::PreviewWindow) {
        ThrowIfFailed(mDevice->CreateBuffer({mWidth * mHeight * 4, Usage::Staging, 0}, nullptr, mPreviewStaging),
            "IDXGIDevice::CreateTexture2D() failed.");
        mPreviewPicture = QImage(static_cast<int>(mWidth), static_cast<int>(mHeight), QImage::Format_RGB32);
    }
    mViewport = {0.0f, 0.0f, static_cast<float>(mWidth), static_cast<float>(mHeight), 0.0f, 1.0f};
    BindAsTarget();
}

void Game::Present()
{
    if (!mContext || !mColorView) {
        return;
    }
    mContext->ResolveOpaque(mResolvedView, mColorView);
    if (mTargetKind == TargetKind::PreviewWindow) {
        DeliverPreview();
    }
}

void Game::CopyPresentedPicture(const Buffer& staging)
{
    Context().CopyTargetToStaging(mResolvedView, staging);
}

void Game::DeliverPreview()
{
    mContext->CopyTargetToStaging(mResolvedView, mPreviewStaging);
    const auto* pixels = static_cast<const unsigned char*>(mContext->Map(mPreviewStaging, MapMode::Read));
    if (pixels == nullptr) {
        return;
    }
    const std::size_t rowBytes = std::size_t{mWidth} * 4;
    for (std::uint32_t row = 0; row < mHeight; ++row) {
        std::memcpy(mPreviewPicture.scanLine(static_cast<int>(row)), pixels + row * rowBytes, rowBytes);
    }
    mContext->Unmap(mPreviewStaging);
    if (mPresentCallback) {
        mPresentCallback(mPreviewPicture);
    }
}
}
