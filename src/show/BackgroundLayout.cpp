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

} // namespace Rendering
