#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace Rendering {

// Converts a read-back picture (top row first, B, G, R, A bytes, rows rowPitch bytes apart) into
// the encoder's layout: bottom-up rows of B, G, R, 255 bytes, width * 4 bytes per row. `out` must
// hold width * height * 4 bytes.
void ConvertToEncoderLayout(std::span<const std::uint8_t> bgra, std::size_t width, std::size_t height,
    std::size_t rowPitch, std::span<std::uint8_t> out);

} // namespace Rendering
