#include "framework/VectorMath.h"

#include <cmath>

namespace Library
{
Float3 operator+(const Float3& a, const Float3& b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

Float3 operator-(const Float3& a, const Float3& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Float3 operator-(const Float3& a)
{
    return {-a.x, -a.y, -a.z};
}

Float3 operator*(const Float3& a, float s)
{
    return {a.x * s, a.y * s, a.z * s};
}

float Dot(const Float3& a, const Float3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Float3 Cross(const Float3& a, const Float3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Float3 Normalize(const Float3& v)
{
    const float length = std::sqrt(Dot(v, v));
    return length > 0.0f ? v * (1.0f / length) : Float3{};
}

Float4x4 Identity()
{
    return Scaling(1.0f, 1.0f, 1.0f);
}

Float4x4 Multiply(const Float4x4& a, const Float4x4& b)
{
    Float4x4 result;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += a.m[row][k] * b.m[k][column];
            }
            result.m[row][column] = sum;
        }
    }
    return result;
}

Float4x4 Transpose(const Float4x4& a)
{
    Float4x4 result;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            result.m[row][column] = a.m[column][row];
        }
    }
    return result;
}

Float4x4 Translation(float x, float y, float z)
{
    Float4x4 result = Identity();
    result.m[3][0] = x;
    result.m[3][1] = y;
    result.m[3][2] = z;
    return result;
}

Float4x4 Scaling(float x, float y, float z)
{
    Float4x4 result;
    result.m[0][0] = x;
    result.m[1][1] = y;
    result.m[2][2] = z;
    result.m[3][3] = 1.0f;
    return result;
}

Float4x4 RotationX(float angle)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    Float4x4 result = Identity();
    result.m[1][1] = c;
    result.m[1][2] = s;
    result.m[2][1] = -s;
    result.m[2][2] = c;
    return result;
}

Float4x4 RotationY(float angle)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    Float4x4 result = Identity();
    result.m[0][0] = c;
    result.m[0][2] = -s;
    result.m[2][0] = s;
    result.m[2][2] = c;
    return result;
}

Float4x4 RotationZ(float angle)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    Float4x4 result = Identity();
    result.m[0][0] = c;
    result.m[0][1] = s;
    result.m[1][0] = -s;
    result.m[1][1] = c;
    return result;
}

Float4 Transform(const Float4& v, const Float4x4& m)
{
    const float in[4] = {v.x, v.y, v.z, v.w};
    float out[4] = {};
    for (int column = 0; column < 4; ++column) {
        for (int k = 0; k < 4; ++k) {
            out[column] += in[k] * m.m[k][column];
        }
    }
    return {out[0], out[1], out[2], out[3]};
}

Float3 TransformNormal(const Float3& v, const Float4x4& m)
{
    const Float4 result = Transform({v.x, v.y, v.z, 0.0f}, m);
    return {result.x, result.y, result.z};
}

Float3 TransformCoord(const Float3& v, const Float4x4& m)
{
    const Float4 result = Transform({v.x, v.y, v.z, 1.0f}, m);
    const float w = result.w != 0.0f ? result.w : 1.0f;
    return {result.x / w, result.y / w, result.z / w};
}

Float4x4 LookToRH(const Float3& eye, const Float3& direction, const Float3& up)
{
    const Float3 z = Normalize(-direction);
    const Float3 x = Normalize(Cross(up, z));
    const Float3 y = Cross(z, x);
    Float4x4 view;
    view.m[0][0] = x.x;
    view.m[0][1] = y.x;
    view.m[0][2] = z.x;
    view.m[1][0] = x.y;
    view.m[1][1] = y.y;
    view.m[1][2] = z.y;
    view.m[2][0] = x.z;
    view.m[2][1] = y.z;
    view.m[2][2] = z.z;
    view.m[3][0] = -Dot(x, eye);
    view.m[3][1] = -Dot(y, eye);
    view.m[3][2] = -Dot(z, eye);
    view.m[3][3] = 1.0f;
    return view;
}

Float4x4 PerspectiveFovRH(float fieldOfView, float aspectRatio, float nearPlane, float farPlane)
{
    const float h = std::cos(fieldOfView / 2.0f) / std::sin(fieldOfView / 2.0f);
    const float w = h / aspectRatio;
    const float r = farPlane / (nearPlane - farPlane);
    Float4x4 projection;
    projection.m[0][0] = w;
    projection.m[1][1] = h;
    projection.m[2][2] = r;
    projection.m[2][3] = -1.0f;
    projection.m[3][2] = r * nearPlane;
    return projection;
}

Float4x4 OrthographicRH(float viewWidth, float viewHeight, float nearPlane, float farPlane)
{
    const float r = 1.0f / (nearPlane - farPlane);
    Float4x4 projection;
    projection.m[0][0] = 2.0f / viewWidth;
    projection.m[1][1] = 2.0f / viewHeight;
    projection.m[2][2] = r;
    projection.m[3][2] = r * nearPlane;
    projection.m[3][3] = 1.0f;
    return projection;
}
}
