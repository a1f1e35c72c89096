#include "app/desktop/Thumbnails.h"

#include "project/Paths.h"

#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

#include <algorithm>
#include <filesystem>

namespace Pellora::Desktop {

namespace {

constexpr int kThumbnailSide = 98;

QSize FittedSize(QSize picture)
{
    const double longer = std::max(picture.width(), picture.height());
    const double shorter = std::min(picture.width(), picture.height());
    const int other = std::max(1, static_cast<int>(kThumbnailSide / (longer / shorter)));
    return picture.width() >= picture.height() ? QSize(kThumbnailSide, other) : QSize(other, kThumbnailSide);
}

} // namespace

std::u16string ThumbnailPathFor(const std::u16string& folder, const std::u16string& photoPath)
{
    const std::filesystem::path photo = ToPath(photoPath);
    std::u16string extension = FromPath(photo.extension());
    std::transform(extension.begin(), extension.end(), extension.begin(),
        [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; });
    std::u16string name = FromPath(photo.filename());
    if (extension == u".jpg" || extension == u".jpeg") {
        name += u".thumbnail.jpg";
    } else if (extension == u".png") {
        name += u".thumbnail.png";
    }
    return JoinPath(folder, name).value_or(std::u16string());
}

bool MakeThumbnail(const std::u16string& photoPath, const std::u16string& thumbnailPath)
{
    if (IsExistingFile(thumbnailPath)) {
        return true;
    }
    QImageReader reader(QString::fromStdU16String(photoPath));
    reader.setAutoTransform(true);
    const QImage photo = reader.read();
    if (photo.isNull()) {
        return false;
    }
    const QSize size = FittedSize(photo.size());
    QImage thumbnail(size, QImage::Format_ARGB32);
    // JPEG has no transparency; see-through parts of a photo become white, as on the show's frame.
    thumbnail.fill(Qt::white);
    {
        QPainter painter(&thumbnail);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(QPoint(0, 0), size), photo);
    }
    QImageWriter writer(QString::fromStdU16String(thumbnailPath), "jpeg");
    writer.setQuality(100);
    return writer.write(thumbnail.convertToFormat(QImage::Format_RGB32));
}

} // namespace Pellora::Desktop
