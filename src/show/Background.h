#pragma once

#include "framework/DrawableGameComponent.h"
#include "framework/GpuResources.h"
#include "framework/TargetSnapshot.h"
#include "framework/TextureRes.h"
#include "framework/VectorMath.h"
#include "transitions/PhotoGeometry.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace Rendering {

// The backdrop of the show: one textured rectangle far behind the photos, a little larger than the
// visible area so that it can drift along a diamond path without showing its edges. It stops
// drawing once the photo part of the show is over.
class Background : public Library::DrawableGameComponent {
    RTTI_DECLARATIONS(Background, Library::DrawableGameComponent)

public:
    // scale: size factor of the quad and of the drift distance (background size percent / 100).
    Background(Library::Game& game, std::shared_ptr<Library::Camera> camera, std::uint32_t renderWidth,
        std::uint32_t renderHeight, float scale);

    // Loads the picture and builds the quad. width and height are the picture's fitted size as the
    // project records it (2048 x 1365 for the built-in picture). A path containing "BlackWood.jpg"
    // stands for the built-in picture. A picture that cannot be decoded leaves a black quad.
    void LoadPicture(const std::filesystem::path& path, std::uint32_t width, std::uint32_t height);

    void SetUp() override;
    // Draws as the first thing on the cleared target: with the default blend state, and writing its
    // depth without testing it, since nothing lies behind it. It leaves the default states behind.
    // A background that stands still is drawn once; later frames get a copy of the target as that
    // draw left it, clears included.
    void Render(const Library::FrameTime& frameTime) override;
    // Whether the next Render at frameTime will overwrite every sample of the target, colour and
    // depth, so that clearing the target first would change nothing.
    bool OverwritesTarget(const Library::FrameTime& frameTime) const;
    // The world matrix of the moment: a translation along the drift path, 0.8 towards the eye.
    virtual Library::Float4x4 ComputeDrift(const Library::FrameTime& frameTime) const;

    void SetMoving(bool moving) { mMoving = moving; }
    void SetScale(float scale) { mScale = scale; }
    // Seconds after the first drawn frame after which nothing is drawn; 0 or less: always drawn.
    void SetEndTime(float endTime) { mEndTime = endTime; }

    const Library::TextureRes& Picture() const { return mPicture; }

    // Mirror of the vertex shader's CBufferPerObject (std140).
    struct CBufferPerObject {
        Library::Float4x4 WorldViewProjection; // transposed row-vector matrix
    };
    // Mirror of the pixel shader's CAlphaBufferPerObject (std140).
    struct CAlphaBufferPerObject {
        std::array<float, 4> Alpha{1.0f, 0.0f, 0.0f, 0.0f}; // only the first value is read
    };

private:
    bool WillDraw(const Library::FrameTime& frameTime) const;
    void Draw(const Library::Float4x4& worldViewProjection);
    bool HoldsSnapshotOf(const Library::Float4x4& worldViewProjection) const;
    void DropSnapshot();
    Library::Float4x4 WorldViewProjection(const Library::FrameTime& frameTime) const;

    std::uint32_t mRenderWidth;
    std::uint32_t mRenderHeight;
    float mScreenAspect;
    std::filesystem::path mPicturePath;
    float mFirstTime = 0.0f; // show time of the first Render, seconds
    bool mStarted = false;
    Library::VertexShader mVertexShader;
    Library::PixelShader mPixelShader;
    Library::InputLayout mInputLayout;
    Library::Buffer mVertexBuffer;
    Library::Buffer mIndexBuffer;
    Library::Buffer mTransformationBuffer;
    Library::SamplerState mSampler;
    Library::DepthStencilState mDepthAlways;
    std::array<Library::Float4, 4> mCorners{};
    Library::TextureRes mPicture;
    std::uint32_t mIndexCount = 0;
    CAlphaBufferPerObject mAlpha;
    Library::Buffer mAlphaBuffer;
    bool mMoving = true;
    float mDepth = -5.0f;
    float mScale;
    float mEndTime = 20.0f;
    Library::TargetSnapshot mSnapshot;
    std::optional<Library::Float4x4> mSnapshotOf; // the matrix the snapshot was drawn with
    std::optional<Library::Float4x4> mDrawnWith;  // the matrix of the last draw
};

static_assert(offsetof(Background::CBufferPerObject, WorldViewProjection) == 0);
static_assert(sizeof(Background::CBufferPerObject) == 64);
static_assert(offsetof(Background::CAlphaBufferPerObject, Alpha) == 0);
static_assert(sizeof(Background::CAlphaBufferPerObject) == 16);

} // namespace Rendering
