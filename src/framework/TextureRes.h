#pragma once

#include "framework/GraphicsDevice.h"
#include "framework/PictureDecoder.h"

#include <cstdint>
#include <filesystem>
#include <span>

class QImage;

namespace Library
{
// One texture as the components see it, usually held through a shared pointer. Each loader
// replaces what the record held; a failed load leaves it without a view and with zero sizes.
// Loaders touch the GPU and run on the game's thread; decoding alone (DecodePicture) runs anywhere.
class TextureRes
{
public:
    std::filesystem::path Path; // empty for textures made from memory or images
    ShaderResourceView View;    // what components bind; keeps the texture alive
    std::uint32_t Dim = 0;      // square side (file loads) or image width (image loads)
    std::uint32_t Width = 0;    // picture inside the texture, pixels
    std::uint32_t Height = 0;
    float FloatWidth = 0.0f;
    float FloatHeight = 0.0f;

    // Decodes and uploads a photo. dim 0 chooses the texture side and writes it back; the decoded
    // picture's size goes to imageWidth and imageHeight. Failures return quietly.
    void LoadFromFile(GraphicsDevice& device, const std::filesystem::path& path, std::uint32_t& dim,
        std::uint32_t& imageWidth, std::uint32_t& imageHeight);
    // Uploads a picture decoded beforehand, possibly on another thread.
    void Upload(GraphicsDevice& device, const DecodedPicture& picture);
    // A built-in picture (PNG or JPEG bytes) at its own size. Empty bytes leave no view; bytes that
    // do not decode throw GameException "CreateWICTextureFromMemory failed!".
    void LoadFromMemory(GraphicsDevice& device, std::span<const unsigned char> bytes);
    // An image drawn by the program (text, prepared photo canvas) at its own size. Premultiplied
    // images stay premultiplied; every other format is uploaded with straight alpha.
    void CreateFromImage(GraphicsDevice& device, const QImage& image, const std::filesystem::path& path = {});

private:
    void Clear();
    bool UploadImage(GraphicsDevice& device, const QImage& image);
    bool UploadPixels(GraphicsDevice& device, const void* pixels, std::uint32_t rowPitch, std::uint32_t width,
        std::uint32_t height);
    void SetSize(std::uint32_t width, std::uint32_t height);
};
}
