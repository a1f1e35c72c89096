#pragma once

// Small row-vector math in Direct3D's conventions: a point p transforms as p x M, the
// translation sits in the fourth row, and matrices go to shaders transposed.
namespace Library
{
struct Float3
{
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct Float4
{
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 0.0f;
};

struct Float4x4
{
    float m[4][4] = {};

    bool operator==(const Float4x4&) const = default;
};

Float3 operator+(const Float3& a, const Float3& b);
Float3 operator-(const Float3& a, const Float3& b);
Float3 operator-(const Float3& a);
Float3 operator*(const Float3& a, float s);
float Dot(const Float3& a, const Float3& b);
Float3 Cross(const Float3& a, const Float3& b);
// A zero-length vector normalises to zero.
Float3 Normalize(const Float3& v);

Float4x4 Identity();
Float4x4 Multiply(const Float4x4& a, const Float4x4& b);
Float4x4 Transpose(const Float4x4& a);
Float4x4 Translation(float x, float y, float z);
Float4x4 Scaling(float x, float y, float z);
// Rotations by angle radians, clockwise when looking along the axis towards the origin.
Float4x4 RotationX(float angle);
Float4x4 RotationY(float angle);
Float4x4 RotationZ(float angle);
// v as a direction (no translation) and as a point (w = 1, divided by the resulting w).
Float3 TransformNormal(const Float3& v, const Float4x4& m);
Float3 TransformCoord(const Float3& v, const Float4x4& m);
Float4 Transform(const Float4& v, const Float4x4& m);

// Right-handed view looking from eye along direction.
Float4x4 LookToRH(const Float3& eye, const Float3& direction, const Float3& up);
// Right-handed perspective; depth maps to 0..1; fieldOfView is the vertical angle in radians.
Float4x4 PerspectiveFovRH(float fieldOfView, float aspectRatio, float nearPlane, float farPlane);
Float4x4 OrthographicRH(float viewWidth, float viewHeight, float nearPlane, float farPlane);
}
