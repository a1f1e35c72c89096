#pragma once

// The base of every photo transition: one photo (or a few of equal size) on a textured quad for a
// fixed stretch of the timeline, in three phases (enter, hold, leave), entering with a framed
// reveal and leaving with a framed conceal.
//
// Use by the show: construct, AddPhoto GetPhotoCount() times, SetUp with the other components;
// per show, before drawing, PhotoAnimation::CreateSharedGeometry(game),
// PhotoAnimation::CreateSharedShaders(game) and the frame choice (SetFrameTexture /
// SetFramesEnabled). When the object becomes current: SetPhaseTimes, SetLeftToRight, SetEnterMode,
// SetLeaveMode, SetMotion; then Render every frame.

#include "PhotoGeometry.h"
#include "SharedPhotoObjects.h"

#include "framework/DrawableGameComponent.h"
#include "framework/TextureRes.h"
#include "framework/VectorMath.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

namespace Rendering {

// Vertex-stage constant slot 0 of every quad and frame mesh of the transitions.
struct CBufferPerObject
{
    Library::Float4x4 WorldViewProjection;  // transpose of the lifted world-view-projection
};
static_assert(offsetof(CBufferPerObject, WorldViewProjection) == 0);
static_assert(sizeof(CBufferPerObject) == 64);

class PhotoAnimation : public Library::DrawableGameComponent
{
    RTTI_DECLARATIONS(PhotoAnimation, Library::DrawableGameComponent)

public:
    // Touches no GPU object; screenWidth and screenHeight are the show's frame size in pixels.
    PhotoAnimation(Library::Game& game, std::shared_ptr<Library::Camera> camera, float screenWidth,
        float screenHeight);
    ~PhotoAnimation() override;
    PhotoAnimation(const PhotoAnimation&) = delete;
    PhotoAnimation& operator=(const PhotoAnimation&) = delete;

    virtual int GetPhotoCount() const;
    virtual float GetHoldTime() const;
    virtual int GetEffectId() const = 0;
    virtual void SetLeftToRight(int value);
    // Appends texture unless it is the first photo again (null is ignored). Touches no GPU object: the
    // photo quad's buffers are the game's shared ones.
    virtual void AddPhoto(std::shared_ptr<Library::TextureRes> texture);
    virtual void BuildSideRevealQuad(float t, int fromLeft);
    virtual bool AnimateEnter(const Library::FrameTime& frameTime, float elapsed);
    virtual bool AnimateLeave(const Library::FrameTime& frameTime, float elapsed);
    virtual void RenderEnter(const Library::FrameTime& frameTime, float t, float span) = 0;
    virtual void RenderHold(const Library::FrameTime& frameTime, float elapsed) = 0;
    virtual void RenderLeave(const Library::FrameTime& frameTime, float t, float span) = 0;
    virtual float GetTotalTime() const;
    virtual void SetPhaseTimes(float enter, float hold, float rest);
    // style is a MotionStyle value; start is the timeline second at which the object starts.
    virtual void SetMotion(int style, float start);
    virtual void SetEnterMode(int mode);  // a PhaseMode value
    virtual void SetLeaveMode(int mode);

    // The standard Render: enter, hold or leave by the elapsed time.
    void RenderPhases(const Library::FrameTime& frameTime);

    void BuildDropRevealQuad(float t);
    void BuildCornerRevealQuad(float t);
    void AnimateReveal(const Library::FrameTime& frameTime, float p);
    void AnimateConceal(const Library::FrameTime& frameTime, float p);
    // The frame around the visible part of mMotion (with mLeftToRight) at reveal progress t.
    void DrawFrameRing(float t, float span);
    void DrawFrameRing(MotionStyle style, int fromLeft, float t, float span);
    // The frame unfolding out of an edge or corner, q in [0, 1].
    void DrawFrameUnfold(MotionStyle style, int fromLeft, float q);
    void DrawFrameUnfoldDrop(float q);
    void DrawFrameUnfoldSide(int fromLeft, float q);
    void DrawFrameUnfoldCorner(int fromLeft, float q);

    // Process-wide objects of game's context (see SharedPhotoObjects.h). Each show creates them
    // once before any transition draws; creation failures throw GameException.
    static void CreateSharedGeometry(Library::Game& game);
    static void CreateSharedShaders(Library::Game& game);
    // The frame picture; the view is shared, and assigning the current one changes nothing.
    static void SetFrameTexture(Library::Game& game, const Library::TextureRes& texture);
    static void SetFramesEnabled(Library::Game& game, bool enabled);
    static bool FramesEnabled(Library::Game& game);

    const std::vector<std::shared_ptr<Library::TextureRes>>& Photos() const { return mPhotos; }
    const std::array<TexturedVertex, 4>& Quad() const { return mQuad; }
    const Library::Float4x4& World() const { return mWorld; }
    PhaseTimes Times() const { return {mEnterTime, mHoldTime, mRestTime}; }
    // Half-extents and texture range of the first photo.
    PhotoExtents Extents() const;
    // Whether the first photo has a picture to show; one that did not decode has zero size, and
    // neither it nor a frame around it is drawn.
    bool HasVisiblePhoto() const;

protected:
    // Draws photo index with its reveal quad at progress t; leaving photos always move sideways.
    // Subclasses bind their further textures and constant buffers before calling it.
    void DrawPhotoQuad(std::size_t index, float t, bool leaving, const PhotoShaders& shaders);
    // T(0, 0, 0.66) x mWorld x View x Projection.
    Library::Float4x4 LiftedWvp() const;
    // world x View x Projection.
    Library::Float4x4 WithViewProjection(const Library::Float4x4& world) const;
    // Writes the transpose of wvp into the shared constant buffer and binds it to vertex slot 0.
    void UploadWvp(const Library::Float4x4& wvp);
    float Elapsed(const Library::FrameTime& frameTime) const;
    SharedPhotoObjects& Shared();
    FrameParams Frame() const { return {mFrameWidth, mFrameBand, mFrameSpan, mDepth}; }
    // Uploads each pixel-stage block whole into the effect's buffer of the same position and binds
    // it at that pixel-stage constant slot.
    void BindPixelConstants(const EffectObjects& effect, std::initializer_list<const void*> blocks);
    // Draws the first photo's quad with the effect's shaders: blocks go to its pixel-stage constant
    // slots, the second photo (the first one when alone) to texture slot 1.
    void DrawEffectQuad(const EffectObjects* effect, std::initializer_list<const void*> blocks, float t, bool leaving);
    // Adds texture; true when its size differs from builtWidth x builtHeight, the size geometry
    // cut from the photos was built for, which then takes the new size.
    bool AddPhotoOfNewSize(std::shared_ptr<Library::TextureRes> texture, float& builtWidth, float& builtHeight);
    // Binds photo index (the first one while there are fewer photos) to pixel texture slot.
    void BindPhoto(std::uint32_t slot, std::size_t index);
    // The first photo's picture width and height as shares of its texture's width in pixels: the
    // texture-coordinate range the photo covers (1, 1 for a square canvas).
    std::array<float, 2> TextureShare() const;

    std::vector<std::shared_ptr<Library::TextureRes>> mPhotos;
    float mDepth = 0.0f;
    std::int32_t mLeftToRight = 0;
    std::array<TexturedVertex, 4> mQuad{};
    float mAspect = 1.0f;
    std::int32_t mMotion = static_cast<std::int32_t>(MotionStyle::Drop);
    const float mFrameWidth = 0.05f;
    const float mFrameBand = 0.0285f;
    const float mHalfHeightWide = 0.6f;
    const float mHalfHeightTall = 0.6f;
    const float mFrameSpan = 0.92f;
    float mEnterTime = 0.7f;
    float mHoldTime = 0.7f;
    float mRestTime = 2.0f;
    Library::Float4x4 mWorld = Library::Identity();
    float mScreenWidth;
    float mScreenHeight;
    float mStartTime = 0.0f;
    std::int32_t mEnterMode = static_cast<std::int32_t>(PhaseMode::Reveal);
    std::int32_t mLeaveMode = static_cast<std::int32_t>(PhaseMode::Reveal);

private:
    void DrawFrameMesh(FrameMesh& mesh, std::span<const TexturedVertex> vertices);

    std::shared_ptr<SharedPhotoObjects> mShared;  // this game's set, looked up on first draw
};

}  // namespace Rendering
