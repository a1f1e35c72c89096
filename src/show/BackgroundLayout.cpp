#include "show/BackgroundLayout.h"

#include <cmath>

namespace Rendering {

namespace {
// A half size of 4 world units overfills the screen vertically at the background's depth; wider
// screens than the picture need 3 more units per unit of aspect difference.
constexpr float BaseHalfSize = 4.0f;
constexpr float WideningPerAspect = 3.0f;
constexpr float LapSeconds = 16.0f;
constexpr float EdgeSeconds = 4.0f;
constexpr float DriftSpeed = 0.02f;
} // namespace

BackgroundQuad ComputeBackgroundQuad(float screenAspect, float pictureAspect, float scale,
    unsigned fittedWidth, unsigned fittedHeight, unsigned textureDim)
{
    float half = BaseHalfSize;
    if (pictureAspect > 0.0f && std::isfinite(pictureAspect)) {
        const float q = screenAspect - pictureAspect;
        if (q >= 0.0f) {
            half = WideningPerAspect * q + BaseHalfSize;
        }
    }
    half *= scale;

    BackgroundQuad quad;
    const auto a = static_cast<float>(fittedWidth);
    const auto b = static_cast<float>(fittedHeight);
    if (fittedWidth == 0 || fittedHeight == 0) {
        quad.halfWidth = half;
        quad.halfHeight = half;
    } else if (fittedWidth >= fittedHeight) {
        quad.halfHeight = half;
        quad.halfWidth = half * a / b;
    } else {
        quad.halfWidth = half;
        quad.halfHeight = half * b / a;
    }
    const auto dim = static_cast<float>(textureDim);
    quad.uMax = a / dim;
    quad.vMax = b / dim;
    return quad;
}

std::array<float, 2> ComputeDriftOffset(float elapsed, bool moving, float scale)
{
    if (!moving) {
        return {0.0f, 0.0f};
    }
    const float b = std::fmod(elapsed, LapSeconds);
    const float k = DriftSpeed * scale;
    const float d = EdgeSeconds * k;
    if (b < 0.0f || !(b < LapSeconds)) {
        return {0.0f, 0.0f};
    }
    if (b < EdgeSeconds) {
        return {k * b - d, -k * b};
    }
    if (b < 2 * EdgeSeconds) {
        return {k * (b - EdgeSeconds), k * (b - EdgeSeconds) - d};
    }
    if (b < 3 * EdgeSeconds) {
        return {d - k * (b - 2 * EdgeSeconds), k * (b - 2 * EdgeSeconds)};
    }
    return {-k * (b - 3 * EdgeSeconds), d - k * (b - 3 * EdgeSeconds)};
}

bool QuadCoversViewport(const std::array<Library::Float4, 4>& clipCorners, float marginX, float marginY)
{
    std::array<std::array<float, 2>, 4> corners{};
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const Library::Float4& c = clipCorners[i];
        if (!(c.w > 0.0f)) {
            return false;
        }
        corners[i] = {c.x / c.w, c.y / c.w};
    }
    // Positive when p lies left of the edge from a to b.
    const auto side = [](const std::array<float, 2>& a, const std::array<float, 2>& b, float px, float py) {
        return (b[0] - a[0]) * (py - a[1]) - (b[1] - a[1]) * (px - a[0]);
    };
    const float turn = side(corners[0], corners[1], corners[2][0], corners[2][1]);
    if (turn == 0.0f || !std::isfinite(turn)) {
        return false;
    }
    const float x = 1.0f + marginX;
    const float y = 1.0f + marginY;
    const std::array<std::array<float, 2>, 4> viewport = {{{-x, -y}, {x, -y}, {x, y}, {-x, y}}};
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const auto& a = corners[i];
        const auto& b = corners[(i + 1) % corners.size()];
        for (const auto& point : viewport) {
            if (side(a, b, point[0], point[1]) * turn < 0.0f) {
                return false;
            }
        }
    }
    return true;
}

} // namespace Rendering
