#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

class QImage;

namespace Library
{
// A photo decoded, turned upright by its EXIF orientation, scaled into a square texture and padded,
// ready to upload. Produced on any thread; uploaded on the game's thread (TextureRes::Upload).
struct DecodedPicture
{
    std::filesystem::path path;
    std::vector<std::uint8_t> pixels; // dim x dim, B, G, R, A bytes (straight alpha), top row first
    std::uint32_t dim = 0;            // side of the square texture
    std::uint32_t width = 0;          // fitted picture inside the texture, at its top-left corner
    std::uint32_t height = 0;
    std::uint32_t imageWidth = 0;     // the decoded (upright) picture
    std::uint32_t imageHeight = 0;

    bool Empty() const { return pixels.empty(); }
};

// Texture side for a picture whose longer side is longerSide: the next power of two from 64 to
// 2048; pictures of at most 32 pixels get 2048.
std::uint32_t ChooseTextureDim(std::uint32_t longerSide);

// Decodes path and fits it into a dim x dim texture (dim 0: chosen by ChooseTextureDim). The rest
// of the texture repeats the last row (landscape) or last column (portrait, square) so that
// sampling just outside the picture shows no seam. A file that cannot be decoded gives an empty
// result with zero sizes. Thread-safe.
DecodedPicture DecodePicture(const std::filesystem::path& path, std::uint32_t dim);

// The same from an already decoded image.
DecodedPicture FitPicture(const QImage& image, std::uint32_t dim);
}
