#pragma once

#include "framework/GameComponent.h"
#include "framework/VectorMath.h"

namespace Library
{
// Supplies the view and projection every drawable component draws with. The view is rebuilt every
// frame (Advance) from position, direction and up; the projection only by SetUp.
class Camera : public GameComponent
{
    RTTI_DECLARATIONS(Camera, GameComponent)

public:
    Camera(Game& game, float nearPlane, float farPlane);

    void SetUp() override;
    void Advance(const FrameTime& frameTime) override;

    virtual void SetPosition(const Float3& position);
    virtual void SetPosition(const Float4& position);
    virtual void SetPosition(float x, float y, float z);
    virtual void Reset();
    virtual void RebuildView();
    virtual void RebuildProjection() = 0;
    // Turns direction and up by rotation (its translation is ignored); the view follows at the
    // next Advance.
    virtual void ApplyRotation(const Float4x4& rotation);

    const Float3& Position() const { return mPosition; }
    const Float3& Direction() const { return mDirection; }
    const Float3& Up() const { return mUp; }
    const Float3& Right() const { return mRight; }
    float NearPlane() const { return mNearPlane; }
    float FarPlane() const { return mFarPlane; }
    const Float4x4& ViewMatrix() const { return mView; }
    const Float4x4& ProjectionMatrix() const { return mProjection; }
    Float4x4 ViewProjectionMatrix() const;

protected:
    float mNearPlane;
    float mFarPlane;
    Float3 mPosition{0.0f, 0.0f, 0.0f};
    Float3 mDirection{0.0f, 0.0f, -1.0f};
    Float3 mUp{0.0f, 1.0f, 0.0f};
    Float3 mRight{1.0f, 0.0f, 0.0f};
    Float4x4 mView = Identity();
    Float4x4 mProjection = Identity();
};

class PerspectiveCamera : public Camera
{
    RTTI_DECLARATIONS(PerspectiveCamera, Camera)

public:
    // fieldOfView in radians (the show passes 45, i.e. about 58.31 degrees vertically).
    PerspectiveCamera(Game& game, float nearPlane, float farPlane, float fieldOfView, float aspectRatio);

    void RebuildProjection() override;

    float FieldOfView() const { return mFieldOfView; }
    float AspectRatio() const { return mAspectRatio; }

private:
    float mFieldOfView;
    float mAspectRatio;
};

class OrthographicCamera : public Camera
{
    RTTI_DECLARATIONS(OrthographicCamera, Camera)

public:
    OrthographicCamera(Game& game, float nearPlane, float farPlane, float viewWidth, float viewHeight);

    void RebuildProjection() override;

    float ViewWidth() const { return mViewWidth; }
    float ViewHeight() const { return mViewHeight; }

private:
    float mViewWidth;
    float mViewHeight;
};
}
