#include "show/OverlayLayout.h"

#include <algorithm>
#include <cmath>

namespace Rendering {

namespace {

constexpr float RibbonThickness = 0.0036f;
constexpr float BandHeight = 0.07f;    // half the band's height in world units
constexpr float BandRampEnd = 0.56f;   // the ramp rows the band's height samples

} // namespace

WaveStrip BuildWaveStrip(std::uint32_t columns, float depth)
{
    WaveStrip strip;
    const float dx = 2.0f / static_cast<float>(columns);
    const auto top = [&](std::uint32_t i) {
        const auto column = static_cast<float>(i);
        return WaveVertex{{column * dx - 1.0f, 0.0f, depth, 1.0f}, {column, 0.0f, 0.0f, 0.0f}};
    };
    const auto bottom = [&](std::uint32_t i) {
        WaveVertex vertex = top(i);
        vertex.position[1] = -RibbonThickness;
        return vertex;
    };
    strip.vertices = {top(0), top(1), bottom(1), bottom(0)};
    for (std::uint32_t i = 2; i < columns; ++i) {
        strip.vertices.push_back(top(i));
        strip.vertices.push_back(bottom(i));
    }
    strip.indices = {0, 1, 2, 0, 2, 3, 1, 4, 5, 1, 5, 2, 4, 6, 7, 4, 7, 5};
    const std::size_t count = 6 * (std::size_t{columns} - 1);
    strip.indices.resize(std::min(strip.indices.size(), count));
    while (strip.indices.size() < count) {
        strip.indices.push_back(static_cast<std::uint16_t>(strip.indices[strip.indices.size() - 6] + 2));
    }
    return strip;
}

float BreathingAmp(float tau)
{
    float a = std::fmod(tau, 2.0f);
    if (std::fmod(tau, 4.0f) >= 2.0f) {
        a = 2.0f - a;
    }
    return a - 1.0f;
}

WaveFrame ComputeWaveFrame(const WaveMotion& motion, float tau)
{
    WaveFrame frame;
    frame.drawn = !(motion.endTime > 0.0f && tau > motion.endTime);
    if (motion.fadeTime > 0.0f && tau >= 0.0f && tau < motion.fadeTime) {
        frame.alpha = (1.0f - motion.fadeStartAlpha) * (tau / motion.fadeTime) + motion.fadeStartAlpha;
    }
    if (motion.travelling) {
        frame.shift = tau * motion.phaseSpeed + motion.phaseOffset;
    }
    if (motion.breathing) {
        frame.amp = BreathingAmp(tau);
    }
    frame.runningTime = std::fmod(tau, 4.0f * WaveColorDuration);
    return frame;
}

std::array<BandCorner, 4> BandQuad(float width, float height)
{
    const float g = height / width - BandHeight;
    const float top = BandHeight - g;
    const float bottom = -BandHeight - g;
    return {{
        {{-1.0f, top, 0.0f, 1.0f}, {0.0f, 0.0f}},
        {{-1.0f, bottom, 0.0f, 1.0f}, {0.0f, BandRampEnd}},
        {{1.0f, bottom, 0.0f, 1.0f}, {1.0f, BandRampEnd}},
        {{1.0f, top, 0.0f, 1.0f}, {1.0f, 0.0f}},
    }};
}

} // namespace Rendering
