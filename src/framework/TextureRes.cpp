#include "framework/TextureRes.h"

#include "framework/GameException.h"

#include <QImage>

namespace Library
{
void TextureRes::Clear()
{
    Path.clear();
    View = ShaderResourceView();
    Dim = 0;
    SetSize(0, 0);
}

void TextureRes::SetSize(std::uint32_t width, std::uint32_t height)
{
    Width = width;
    Height = height;
    FloatWidth = static_cast<float>(width);
    FloatHeight = static_cast<float>(height);
}

bool TextureRes::UploadPixels(
    GraphicsDevice& device, const void* pixels, std::uint32_t rowPitch, std::uint32_t width, std::uint32_t height)
{
    Texture2DDesc desc;
    desc.Width = width;
    desc.Height = height;
    desc.Format = Format::B8G8R8A8UNorm;
    desc.BindFlags = BindShaderResource;
    const SubresourceData initial{pixels, rowPitch};
    std::shared_ptr<Texture2D> texture;
    if (device.CreateTexture2D(desc, &initial, texture).Failed()) {
        return false;
    }
    return !device.CreateShaderResourceView(texture, View).Failed();
}

void TextureRes::LoadFromFile(GraphicsDevice& device, const std::filesystem::path& path, std::uint32_t& dim,
    std::uint32_t& imageWidth, std::uint32_t& imageHeight)
{
    const DecodedPicture picture = DecodePicture(path, dim);
    imageWidth = picture.imageWidth;
    imageHeight = picture.imageHeight;
    if (!picture.Empty()) {
        dim = picture.dim;
    }
    Upload(device, picture);
}

void TextureRes::Upload(GraphicsDevice& device, const DecodedPicture& picture)
{
    Clear();
    if (picture.Empty() || !UploadPixels(device, picture.pixels.data(), picture.dim * 4, picture.dim, picture.dim)) {
        return;
    }
    Path = picture.path;
    Dim = picture.dim;
    SetSize(picture.width, picture.height);
}

void TextureRes::LoadFromMemory(GraphicsDevice& device, std::span<const unsigned char> bytes)
{
    Clear();
    if (bytes.empty()) {
        return;
    }
    const QImage image = QImage::fromData(bytes.data(), static_cast<int>(bytes.size()));
    if (image.isNull()) {
        throw GameException("CreateWICTextureFromMemory failed!", ResultFail);
    }
    if (!UploadImage(device, image.convertToFormat(QImage::Format_ARGB32))) {
        throw GameException("CreateWICTextureFromMemory failed!", ResultFail);
    }
}

void TextureRes::CreateFromImage(GraphicsDevice& device, const QImage& image, const std::filesystem::path& path)
{
    Clear();
    const QImage pixels =
        image.format() == QImage::Format_ARGB32_Premultiplied ? image : image.convertToFormat(QImage::Format_ARGB32);
    if (!pixels.isNull() && UploadImage(device, pixels)) {
        Path = path;
        Dim = Width;
    }
}

bool TextureRes::UploadImage(GraphicsDevice& device, const QImage& image)
{
    const auto width = static_cast<std::uint32_t>(image.width());
    const auto height = static_cast<std::uint32_t>(image.height());
    if (!UploadPixels(device, image.constBits(), static_cast<std::uint32_t>(image.bytesPerLine()), width, height)) {
        return false;
    }
    SetSize(width, height);
    return true;
}
}
