#include "framework/PictureDecoder.h"

#include <QFile>
#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <cstring>
#include <mutex>

namespace Library
{
namespace
{
struct FittedSize
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// The longer side fills the texture; the shorter keeps the aspect, truncated toward zero but never
// below one pixel, so an extremely thin picture still has a last row and column to repeat.
FittedSize FitInto(std::uint32_t width, std::uint32_t height, std::uint32_t dim)
{
    const double ratio = static_cast<double>(width) / static_cast<double>(height);
    FittedSize fitted;
    if (width > height) {
        fitted.width = dim;
        fitted.height = static_cast<std::uint32_t>(dim / ratio);
    } else {
        fitted.height = dim;
        fitted.width = static_cast<std::uint32_t>(dim * ratio);
    }
    fitted.width = std::clamp<std::uint32_t>(fitted.width, 1, dim);
    fitted.height = std::clamp<std::uint32_t>(fitted.height, 1, dim);
    return fitted;
}

void CopyScaled(const QImage& scaled, DecodedPicture& picture)
{
    const std::size_t stride = std::size_t{picture.dim} * 4;
    for (std::uint32_t row = 0; row < picture.height; ++row) {
        std::memcpy(picture.pixels.data() + row * stride, scaled.constScanLine(static_cast<int>(row)),
            std::size_t{picture.width} * 4);
    }
}

void Pad(DecodedPicture& picture, bool landscape)
{
    const std::size_t stride = std::size_t{picture.dim} * 4;
    std::uint8_t* pixels = picture.pixels.data();
    if (landscape) {
        const std::uint8_t* last = pixels + (picture.height - 1) * stride;
        for (std::uint32_t row = picture.height; row < picture.dim; ++row) {
            std::memcpy(pixels + row * stride, last, stride);
        }
        return;
    }
    for (std::uint32_t row = 0; row < picture.dim; ++row) {
        std::uint8_t* line = pixels + row * stride;
        const std::uint8_t* last = line + (picture.width - 1) * 4;
        for (std::uint32_t column = picture.width; column < picture.dim; ++column) {
            std::memcpy(line + column * 4, last, 4);
        }
    }
}

// image may have been decoded smaller than the picture (original, upright); sizes follow the original.
DecodedPicture FitDecoded(const QImage& image, QSize original, std::uint32_t dim)
{
    DecodedPicture picture;
    if (image.isNull()) {
        return picture;
    }
    const auto imageWidth = static_cast<std::uint32_t>(original.width());
    const auto imageHeight = static_cast<std::uint32_t>(original.height());
    picture.imageWidth = imageWidth;
    picture.imageHeight = imageHeight;
    picture.dim = dim != 0 ? dim : ChooseTextureDim(std::max(imageWidth, imageHeight));
    const FittedSize fitted = FitInto(imageWidth, imageHeight, picture.dim);
    const QImage scaled = image.convertToFormat(QImage::Format_ARGB32)
                              .scaled(static_cast<int>(fitted.width), static_cast<int>(fitted.height),
                                  Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (scaled.isNull()) {
        return DecodedPicture{};
    }
    picture.width = fitted.width;
    picture.height = fitted.height;
    picture.pixels.assign(std::size_t{picture.dim} * picture.dim * 4, 0);
    CopyScaled(scaled, picture);
    Pad(picture, imageHeight < imageWidth);
    return picture;
}

// The picture's size as shown, after its stored orientation is applied.
QSize UprightSize(const QImageReader& reader)
{
    const QSize stored = reader.size();
    return (reader.transformation() & QImageIOHandler::TransformationRotate90) != 0 ? stored.transposed() : stored;
}

// Qt refuses any picture whose decoded pixels would take more than its allocation limit (256 MB by
// default): a 60-megapixel PNG, TIFF or WebP would show nothing. Decoders that cannot decode at
// reduced size need the full picture before it is scaled down, so the limit is raised once for the
// process, still refusing pictures no camera makes.
constexpr int LargePictureLimitMegabytes = 1024;

void AllowLargePictures()
{
    static std::once_flag raised;
    std::call_once(raised, [] {
        QImageReader::setAllocationLimit(std::max(QImageReader::allocationLimit(), LargePictureLimitMegabytes));
    });
}

// Photos are usually far larger than their texture; JPEG decoders can skip most of the work when
// asked for a smaller picture. Twice the fitted size is kept, so the final smooth scaling still
// sees enough detail. The size asked is in stored orientation, as the decoder works before turning.
void RequestReducedDecode(QImageReader& reader, std::uint32_t dim)
{
    const QSize stored = reader.size();
    if (!stored.isValid() || !reader.supportsOption(QImageIOHandler::ScaledSize)) {
        return;
    }
    const int longer = std::max(stored.width(), stored.height());
    const std::uint32_t side = dim != 0 ? dim : ChooseTextureDim(static_cast<std::uint32_t>(longer));
    const double scale = 2.0 * side / longer;
    if (scale < 0.5) {
        reader.setScaledSize(QSize(std::max(1, static_cast<int>(stored.width() * scale)),
            std::max(1, static_cast<int>(stored.height() * scale))));
    }
}
}

std::uint32_t ChooseTextureDim(std::uint32_t longerSide)
{
    if (longerSide <= 32) {
        return 2048;
    }
    for (std::uint32_t dim = 64; dim <= 1024; dim *= 2) {
        if (longerSide <= dim) {
            return dim;
        }
    }
    return 2048;
}

DecodedPicture FitPicture(const QImage& image, std::uint32_t dim)
{
    return FitDecoded(image, image.size(), dim);
}

DecodedPicture DecodePicture(const std::filesystem::path& path, std::uint32_t dim)
{
    AllowLargePictures();
    QImageReader reader(QFile::decodeName(path.c_str()));
    reader.setAutoTransform(true);
    // Asked before reading: some decoders (PNG) no longer know the size afterwards.
    const QSize upright = UprightSize(reader);
    RequestReducedDecode(reader, dim);
    const QImage image = reader.read();
    const bool reduced = reader.scaledSize().isValid() && upright.isValid();
    DecodedPicture picture = FitDecoded(image, reduced ? upright : image.size(), dim);
    picture.path = path;
    return picture;
}
}
