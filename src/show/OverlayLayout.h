#pragma once

// Device-free arithmetic of the flat overlays drawn with the orthographic camera (the sine-wave
// ribbons and the dark band), so that it can be checked without an OpenGL context. Orthographic
// space: x from -1 to 1, y from -H / W to H / W.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace Rendering {

// A ribbon vertex: the position before displacement and, in colour.x, its column number.
struct WaveVertex
{
    std::array<float, 4> position;
    std::array<float, 4> color;
};
static_assert(offsetof(WaveVertex, color) == 16);
static_assert(sizeof(WaveVertex) == 32);

struct WaveStrip
{
    std::vector<WaveVertex> vertices;
    std::vector<std::uint16_t> indices;
};

// The strip of columns across the full width, two triangles between neighbouring columns, wound
// clockwise on screen. columns must be at least 2.
WaveStrip BuildWaveStrip(std::uint32_t columns, float depth);

// How a ribbon moves; fadeTime 0 means no fade-in, endTime 0 or less means it never ends.
struct WaveMotion
{
    float phaseSpeed = 0.0f;
    bool breathing = false;
    bool travelling = false;
    float fadeStartAlpha = 0.0f;
    float fadeTime = 0.0f;
    float phaseOffset = 0.0f;
    float endTime = 0.0f;
};

// The shader constants of one frame, tau seconds after the ribbon's first frame.
struct WaveFrame
{
    bool drawn = true;
    float shift = 0.0f;
    float amp = 1.0f;
    float runningTime = 0.0f;
    float alpha = 1.0f;
};

// Length of one colour span; the colour pattern repeats every four spans.
constexpr float WaveColorDuration = 2.0f;

WaveFrame ComputeWaveFrame(const WaveMotion& motion, float tau);

// The breathing amplitude: a 4-second triangle from -1 through +1 (at 2 s) back to -1.
float BreathingAmp(float tau);

// The dark band along the bottom edge: four vertices left-top, left-bottom, right-bottom, right-top
// in world units, with the part of the ramp picture each samples.
struct BandCorner
{
    std::array<float, 4> position;
    std::array<float, 2> texcoord;
};
std::array<BandCorner, 4> BandQuad(float width, float height);

} // namespace Rendering
