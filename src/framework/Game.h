#pragma once

#include "framework/DeviceContext.h"
#include "framework/FrameClock.h"
#include "framework/GameComponent.h"
#include "framework/GraphicsDevice.h"
#include "framework/RenderTarget.h"

#include <QImage>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace Library
{
enum class TargetKind : std::int32_t
{
    PreviewWindow = 0, // presenting hands the picture to the preview callback
    ExportWindow = 1,  // presenting only resolves; the export reads the picture back
};

// The game loop: owns the device, the off-screen targets, the clock and the ordered component list
// (also the draw order). One thread constructs, prepares, runs and destroys a game; the OpenGL
// context is created on that thread, so an export can run its own game on its own thread.
//
// Lifecycle: construct (device exists) -> CreateSizedObjects (targets) -> Prepare -> RunFrame ...
// -> ReleaseAll -> destroy.
class Game : public RenderTarget
{
    RTTI_DECLARATIONS(Game, RenderTarget)

public:
    // Fills the render size in pixels.
    using SizeProvider = std::function<void(std::uint32_t& width, std::uint32_t& height)>;
    // Receives the finished preview picture (Format_RGB32, top row first); valid during the call.
    using PresentCallback = std::function<void(const QImage& picture)>;

    // Throws GameException when no OpenGL 4.5 context can be made. The clock counter is for tests.
    Game(SizeProvider sizeProvider, TargetKind targetKind, FrameClock::MillisecondCounter counter = {});
    ~Game() override;

    void BindAsTarget() override;
    void RestorePreviousTarget() override;
    virtual void Prepare();
    virtual void RunFrame();
    virtual void ReleaseAll();
    virtual void UnbindPixelResources(std::uint32_t first, std::uint32_t count);
    virtual void AdvanceAll(const FrameTime& frameTime);
    virtual void RenderFrame(const FrameTime& frameTime);

    // Makes (or remakes, after a size change) the multisampled colour and depth-stencil targets at
    // the size the provider gives, then binds them. Throws GameException naming the failed step.
    void CreateSizedObjects();
    // Resolves the multisampled picture; for the preview kind also hands it to the callback.
    void Present();
    // Copies the last presented picture, B, G, R, A bytes with alpha 255, top row first, into a
    // staging buffer of at least width x height x 4 bytes (see FrameReader for queued reads).
    void CopyPresentedPicture(const Buffer& staging);
    // Makes this game's context current on the calling thread, which must be the game's thread.
    void MakeCurrent();

    GraphicsDevice& Device();
    DeviceContext& Context();
    bool HasDevice() const;
    std::uint32_t ScreenWidth() const { return mWidth; }
    std::uint32_t ScreenHeight() const { return mHeight; }
    float AspectRatio() const;
    TargetKind GetTargetKind() const { return mTargetKind; }
    std::uint32_t SampleCount() const { return mSampleCount; }
    const RenderTargetView& ColorView() const { return mColorView; }
    const DepthStencilView& DepthView() const { return mDepthView; }
    const Viewport& GetViewport() const { return mViewport; }

    std::vector<std::shared_ptr<GameComponent>>& Components() { return mComponents; }
    FrameClock& Clock() { return mClock; }
    const FrameTime& GetFrameTime() const { return mFrameTime; }
    bool IsPaused() const { return mPaused; }
    void SetPaused(bool paused) { mPaused = paused; }
    // The next frame ticks the clock once even while paused (used after a seek).
    void SetStepOnce() { mStepOnce = true; }
    void SetPresentCallback(PresentCallback callback);

private:
    void CreateDeviceObjects();
    void CreateWindowTargets();
    void CreateTarget(Format format, BindFlags bind, std::uint32_t samples, std::shared_ptr<Texture2D>& out);
    void ReleaseTargets();
    void DeliverPreview();

    SizeProvider mSizeProvider;
    FrameClock mClock;
    FrameTime mFrameTime;
    std::vector<std::shared_ptr<GameComponent>> mComponents;
    bool mPaused = false;
    TargetKind mTargetKind;
    bool mStepOnce = false;

    std::unique_ptr<GraphicsDevice> mDevice;
    std::unique_ptr<DeviceContext> mContext;
    std::uint32_t mSampleCount = DeviceContext::ResolvedSampleCount;
    std::uint32_t mWidth = 0;
    std::uint32_t mHeight = 0;
    RenderTargetView mColorView;
    DepthStencilView mDepthView;
    RenderTargetView mResolvedView;
    Viewport mViewport;
    PresentCallback mPresentCallback;
    Buffer mPreviewStaging;
    QImage mPreviewPicture;
};
}
