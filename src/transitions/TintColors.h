#pragma once

// The tint colours shared by the colour swipe and the tint transitions, and the pixel-stage
// constant buffer that carries them.

#include <array>
#include <cstddef>
#include <cstdint>

namespace Rendering {

// Each colour is (hue in degrees, saturation, value, opacity); the opacity is filled in before upload.
struct CColorBufferPerObject
{
    std::array<float, 4> s_color1;
    std::array<float, 4> s_color2;
    std::array<float, 4> s_color3;
    std::array<float, 4> s_color4;

    // The four tint colours (crimson, yellow, teal, blue) with opacity 0.
    static CColorBufferPerObject TintColors();
    void SetOpacity(float opacity);
};
static_assert(offsetof(CColorBufferPerObject, s_color1) == 0);
static_assert(offsetof(CColorBufferPerObject, s_color2) == 16);
static_assert(offsetof(CColorBufferPerObject, s_color3) == 32);
static_assert(offsetof(CColorBufferPerObject, s_color4) == 48);
static_assert(sizeof(CColorBufferPerObject) == 64);

// (hue in degrees, saturation, value, 0) of an 8-bit RGB colour.
std::array<float, 4> RgbToHsv(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

}  // namespace Rendering
