#include "TintColors.h"

#include <algorithm>

namespace Rendering {

std::array<float, 4> RgbToHsv(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    const float r = red / 255.0f;
    const float g = green / 255.0f;
    const float b = blue / 255.0f;
    const float value = std::max({r, g, b});
    const float delta = value - std::min({r, g, b});
    if (delta < 0.00001f) {
        return {0.0f, 0.0f, value, 0.0f};
    }
    const float saturation = delta / value;
    float hue = 0.0f;
    if (value == r) {
        hue = 60.0f * ((g - b) / delta);
    } else if (value == g) {
        hue = 60.0f * (2.0f + (b - r) / delta);
    } else {
        hue = 60.0f * (4.0f + (r - g) / delta);
    }
    if (hue < 0.0f) {
        hue += 360.0f;
    }
    return {hue, saturation, value, 0.0f};
}

CColorBufferPerObject CColorBufferPerObject::TintColors()
{
    return {RgbToHsv(227, 9, 64), RgbToHsv(231, 215, 2), RgbToHsv(15, 168, 149), RgbToHsv(19, 115, 232)};
}

void CColorBufferPerObject::SetOpacity(float opacity)
{
    for (auto* colour : {&s_color1, &s_color2, &s_color3, &s_color4}) {
        (*colour)[3] = opacity;
    }
}

}  // namespace Rendering
