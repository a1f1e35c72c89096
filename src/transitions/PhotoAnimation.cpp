#include "PhotoAnimation.h"

#include "framework/Camera.h"
#include "framework/GameException.h"
#include "framework/GpuHelpers.h"

#include <cstring>
#include <utility>

namespace Rendering {

namespace {

// Every photo and frame is lifted towards the camera so that, with the show camera at z = 2, the
// photos lie 1.34 units in front of it.
constexpr float Lift = 0.66f;

}  // namespace

PhotoAnimation::PhotoAnimation(Library::Game& game, std::shared_ptr<Library::Camera> camera, float screenWidth,
    float screenHeight)
    : DrawableGameComponent(game, std::move(camera)), mScreenWidth(screenWidth), mScreenHeight(screenHeight)
{
}

PhotoAnimation::~PhotoAnimation() = default;

int PhotoAnimation::GetPhotoCount() const
{
    return 3;
}

float PhotoAnimation::GetHoldTime() const
{
    return 1.0f;
}

void PhotoAnimation::SetLeftToRight(int value)
{
    mLeftToRight = value;
}

float PhotoAnimation::GetTotalTime() const
{
    return Times().Total();
}

void PhotoAnimation::SetPhaseTimes(float enter, float hold, float rest)
{
    mEnterTime = enter;
    mHoldTime = hold;
    mRestTime = rest;
}

void PhotoAnimation::SetMotion(int style, float start)
{
    mMotion = style;
    mStartTime = start;
}

void PhotoAnimation::SetEnterMode(int mode)
{
    mEnterMode = mode;
}

void PhotoAnimation::SetLeaveMode(int mode)
{
    mLeaveMode = mode;
}

PhotoExtents PhotoAnimation::Extents() const
{
    if (mPhotos.empty()) {
        return {};
    }
    const Library::TextureRes& first = *mPhotos.front();
    return ComputePhotoExtents(first.FloatWidth, first.FloatHeight, mHalfHeightWide, mHalfHeightTall);
}

bool PhotoAnimation::HasVisiblePhoto() const
{
    if (mPhotos.empty()) {
        return false;
    }
    const Library::TextureRes& first = *mPhotos.front();
    return first.View && first.FloatWidth > 0.0f && first.FloatHeight > 0.0f;
}

void PhotoAnimation::AddPhoto(std::shared_ptr<Library::TextureRes> texture)
{
    if (!texture || (!mPhotos.empty() && mPhotos.front() == texture)) {
        return;
    }
    mPhotos.push_back(std::move(texture));
    const Library::TextureRes& first = *mPhotos.front();
    mAspect = first.FloatWidth > 0.0f ? first.FloatHeight / first.FloatWidth : 1.0f;
}

float PhotoAnimation::Elapsed(const Library::FrameTime& frameTime) const
{
    return static_cast<float>(frameTime.sinceStart) - mStartTime;
}

void PhotoAnimation::RenderPhases(const Library::FrameTime& frameTime)
{
    mWorld = Library::Identity();
    const float elapsed = Elapsed(frameTime);
    switch (SelectPhase(elapsed, Times())) {
    case Phase::Enter:
        AnimateEnter(frameTime, elapsed);
        break;
    case Phase::Hold:
        RenderHold(frameTime, elapsed);
        break;
    case Phase::Leave:
        AnimateLeave(frameTime, elapsed);
        break;
    }
}

bool PhotoAnimation::AnimateEnter(const Library::FrameTime& frameTime, float elapsed)
{
    const std::optional<float> p = EnterProgress(elapsed, Times());
    if (!p || mEnterMode == static_cast<std::int32_t>(PhaseMode::Off)) {
        return false;
    }
    if (mEnterMode == static_cast<std::int32_t>(PhaseMode::Reveal)) {
        AnimateReveal(frameTime, *p);
        return true;
    }
    if (mEnterMode == static_cast<std::int32_t>(PhaseMode::Glide)) {
        mWorld = Library::Translation(GlideEnterOffset(*p, mLeftToRight), 0.0f, 0.0f);
        AnimateReveal(frameTime, 1.0f);
        return true;
    }
    return false;
}

bool PhotoAnimation::AnimateLeave(const Library::FrameTime& frameTime, float elapsed)
{
    const std::optional<float> p = LeaveProgress(elapsed, Times());
    if (!p || mLeaveMode == static_cast<std::int32_t>(PhaseMode::Off)) {
        return false;
    }
    if (mLeaveMode == static_cast<std::int32_t>(PhaseMode::Reveal)) {
        AnimateConceal(frameTime, *p);
        return true;
    }
    if (mLeaveMode == static_cast<std::int32_t>(PhaseMode::Glide)) {
        mWorld = Library::Translation(GlideLeaveOffset(*p, mLeftToRight), 0.0f, 0.0f);
        AnimateConceal(frameTime, 1.0f);
        return true;
    }
    return false;
}

Library::Float4x4 PhotoAnimation::LiftedWvp() const
{
    return WithViewProjection(Library::Multiply(Library::Translation(0.0f, 0.0f, Lift), mWorld));
}

Library::Float4x4 PhotoAnimation::WithViewProjection(const Library::Float4x4& world) const
{
    return mCamera ? Library::Multiply(world, mCamera->ViewProjectionMatrix()) : world;
}

SharedPhotoObjects& PhotoAnimation::Shared()
{
    if (!mShared) {
        mShared = SharedPhotoObjects::For(*mGame);
    }
    return *mShared;
}

void PhotoAnimation::UploadWvp(const Library::Float4x4& wvp)
{
    SharedPhotoObjects& shared = Shared();
    Library::DeviceContext& context = mGame->Context();
    const CBufferPerObject constants{Library::Transpose(wvp)};
    if (shared.constantBuffer) {
        context.UpdateSubresource(shared.constantBuffer, &constants);
    }
    context.VSSetConstantBuffers(0, &shared.constantBuffer);
}

void PhotoAnimation::BindPixelConstants(const EffectObjects& effect, std::initializer_list<const void*> blocks)
{
    Library::DeviceContext& context = mGame->Context();
    std::uint32_t slot = 0;
    for (const void* block : blocks) {
        if (slot >= effect.constantBuffers.size()) {
            break;
        }
        context.UpdateSubresource(effect.constantBuffers[slot], block);
        context.PSSetConstantBuffers(slot, &effect.constantBuffers[slot]);
        ++slot;
    }
}

void PhotoAnimation::DrawEffectQuad(
    const EffectObjects* effect, std::initializer_list<const void*> blocks, float t, bool leaving)
{
    if (mPhotos.empty() || effect == nullptr) {
        return;
    }
    BindPixelConstants(*effect, blocks);
    BindPhoto(1, 1);
    DrawPhotoQuad(0, t, leaving, effect->shaders);
}

bool PhotoAnimation::AddPhotoOfNewSize(
    std::shared_ptr<Library::TextureRes> texture, float& builtWidth, float& builtHeight)
{
    if (!texture) {
        return false;
    }
    const float width = texture->FloatWidth;
    const float height = texture->FloatHeight;
    PhotoAnimation::AddPhoto(std::move(texture));
    if (width == builtWidth && height == builtHeight) {
        return false;
    }
    builtWidth = width;
    builtHeight = height;
    return true;
}

void PhotoAnimation::BindPhoto(std::uint32_t slot, std::size_t index)
{
    if (mPhotos.empty()) {
        return;
    }
    const auto& photo = mPhotos[index < mPhotos.size() ? index : 0];
    mGame->Context().PSSetShaderResources(slot, &photo->View);
}

std::array<float, 2> PhotoAnimation::TextureShare() const
{
    if (mPhotos.empty() || mPhotos.front()->Dim == 0) {
        return {1.0f, 1.0f};
    }
    const Library::TextureRes& first = *mPhotos.front();
    const auto dim = static_cast<float>(first.Dim);
    return {first.FloatWidth / dim, first.FloatHeight / dim};
}

void PhotoAnimation::DrawPhotoQuad(std::size_t index, float t, bool leaving, const PhotoShaders& shaders)
{
    SharedPhotoObjects& shared = Shared();
    FrameMesh& quad = shared.photoQuad;
    if (index >= mPhotos.size() || !HasVisiblePhoto() || !mPhotos[index]->View || !quad.vertexBuffer) {
        return;
    }
    Library::DeviceContext& context = mGame->Context();
    context.IASetPrimitiveTopology(Library::PrimitiveTopology::TriangleList);
    context.IASetInputLayout(&shaders.inputLayout);
    context.IASetVertexBuffers(0, &quad.vertexBuffer, sizeof(TexturedVertex), 0);
    context.IASetIndexBuffer(&quad.indexBuffer, Library::Format::R16UInt, 0);
    context.VSSetShader(&shaders.vertexShader);
    context.PSSetShader(&shaders.pixelShader);
    UploadWvp(LiftedWvp());
    context.PSSetShaderResources(0, &mPhotos[index]->View);
    context.PSSetSamplers(0, &shared.sampler);
    if (leaving) {
        BuildSideRevealQuad(t, mLeftToRight == 0 ? 1 : 0);
    } else if (mMotion == static_cast<std::int32_t>(MotionStyle::Side)) {
        BuildSideRevealQuad(t, mLeftToRight);
    } else if (mMotion == static_cast<std::int32_t>(MotionStyle::Corner)) {
        BuildCornerRevealQuad(t);
    } else {
        BuildDropRevealQuad(t);
    }
    if (void* mapped = context.Map(quad.vertexBuffer, Library::MapMode::WriteDiscard)) {
        std::memcpy(mapped, mQuad.data(), sizeof(mQuad));
        context.Unmap(quad.vertexBuffer);
    }
    context.RSSetState(&Library::RasterizerStates::SolidCullBackCcw);
    context.DrawIndexed(quad.indexCount, 0, 0);
}

void PhotoAnimation::CreateSharedGeometry(Library::Game& game)
{
    SharedPhotoObjects& shared = *SharedPhotoObjects::For(game);
    Library::GraphicsDevice& device = game.Device();
    const auto create = [&device](FrameMesh& mesh, std::span<const std::uint16_t> indices) {
        mesh.indexCount = static_cast<std::uint32_t>(indices.size());
        Library::CreateIndexBuffer16(device, indices, mesh.indexBuffer);
        const auto vertexBytes = static_cast<std::uint32_t>(indices.size() / 6 * 4 * sizeof(TexturedVertex));
        Library::CreateDynamicVertexBuffer(device, vertexBytes, mesh.vertexBuffer);
    };
    constexpr auto photo = QuadIndices<1>();
    constexpr auto ring = QuadIndices<RingQuadCount>();
    constexpr auto bars = QuadIndices<BarsQuadCount>();
    constexpr auto corners = QuadIndices<CornersQuadCount>();
    create(shared.photoQuad, photo);
    create(shared.frameRing, ring);
    create(shared.frameBars, bars);
    create(shared.frameCorners, corners);
}

void PhotoAnimation::CreateSharedShaders(Library::Game& game)
{
    SharedPhotoObjects& shared = *SharedPhotoObjects::For(game);
    Library::GraphicsDevice& device = game.Device();
    shared.textured.Create(device, "framework/Textured.frag");
    Library::CreateConstantBuffer(device, sizeof(CBufferPerObject), shared.constantBuffer);
    Library::CreateSamplerState(device, shared.sampler);
    Library::CreateAlphaBlendState(device, shared.alphaBlend);
    Library::CreateNoBlendState(device, shared.noBlend);
}

void PhotoAnimation::SetFrameTexture(Library::Game& game, const Library::TextureRes& texture)
{
    SharedPhotoObjects::For(game)->frameTexture = texture.View;
}

void PhotoAnimation::SetFramesEnabled(Library::Game& game, bool enabled)
{
    SharedPhotoObjects::For(game)->framesEnabled = enabled;
}

bool PhotoAnimation::FramesEnabled(Library::Game& game)
{
    return SharedPhotoObjects::For(game)->framesEnabled;
}

}  // namespace Rendering
