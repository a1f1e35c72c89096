#include "show/FrameCapture.h"

#include <stdexcept>

namespace Rendering {

void ConvertToEncoderLayout(std::span<const std::uint8_t> bgra, std::size_t width, std::size_t height,
    std::size_t rowPitch, std::span<std::uint8_t> out)
{
    constexpr std::size_t PixelBytes = 4;
    if (height == 0 || width == 0) {
        return;
    }
    if (rowPitch < width * PixelBytes || bgra.size() < rowPitch * (height - 1) + width * PixelBytes ||
        out.size() < width * height * PixelBytes) {
        throw std::invalid_argument("ConvertToEncoderLayout: buffer smaller than the picture");
    }
    for (std::size_t r = 0; r < height; ++r) {
        const std::uint8_t* source = bgra.data() + r * rowPitch;
        std::uint8_t* target = out.data() + (height - 1 - r) * width * PixelBytes;
        for (std::size_t x = 0; x < width; ++x, source += PixelBytes, target += PixelBytes) {
            target[0] = source[0];
            target[1] = source[1];
            target[2] = source[2];
            target[3] = 0xFF;
        }
    }
}

} // namespace Rendering
