#include "framework/Camera.h"

namespace Library
{
Camera::Camera(Game& game, float nearPlane, float farPlane)
    : GameComponent(game), mNearPlane(nearPlane), mFarPlane(farPlane)
{
}

void Camera::SetUp()
{
    RebuildProjection();
    Reset();
}

void Camera::Advance(const FrameTime&)
{
    RebuildView();
}

void Camera::SetPosition(const Float3& position)
{
    mPosition = position;
}

void Camera::SetPosition(const Float4& position)
{
    mPosition = {position.x, position.y, position.z};
}

void Camera::SetPosition(float x, float y, float z)
{
    SetPosition(Float4{x, y, z, 1.0f});
}

void Camera::Reset()
{
    mPosition = {0.0f, 0.0f, 0.0f};
    mDirection = {0.0f, 0.0f, -1.0f};
    mUp = {0.0f, 1.0f, 0.0f};
    mRight = {1.0f, 0.0f, 0.0f};
    RebuildView();
}

void Camera::RebuildView()
{
    mView = LookToRH(mPosition, mDirection, mUp);
}

void Camera::ApplyRotation(const Float4x4& rotation)
{
    const Float3 direction = Normalize(TransformNormal(mDirection, rotation));
    Float3 up = Normalize(TransformNormal(mUp, rotation));
    const Float3 right = Cross(direction, up);
    up = Cross(right, direction);
    mDirection = direction;
    mUp = up;
    mRight = right;
}

Float4x4 Camera::ViewProjectionMatrix() const
{
    return Multiply(mView, mProjection);
}

PerspectiveCamera::PerspectiveCamera(Game& game, float nearPlane, float farPlane, float fieldOfView, float aspectRatio)
    : Camera(game, nearPlane, farPlane), mFieldOfView(fieldOfView), mAspectRatio(aspectRatio)
{
}

void PerspectiveCamera::RebuildProjection()
{
    mProjection = PerspectiveFovRH(mFieldOfView, mAspectRatio, mNearPlane, mFarPlane);
}

OrthographicCamera::OrthographicCamera(Game& game, float nearPlane, float farPlane, float viewWidth, float viewHeight)
    : Camera(game, nearPlane, farPlane), mViewWidth(viewWidth), mViewHeight(viewHeight)
{
}

void OrthographicCamera::RebuildProjection()
{
    mProjection = OrthographicRH(mViewWidth, mViewHeight, mNearPlane, mFarPlane);
}
}
