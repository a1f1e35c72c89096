#include "PhotoCanvasMaker.h"

#include "framework/GameException.h"

#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <numbers>
#include <string>
#include <system_error>
#include <thread>

namespace Rendering {

namespace {

// Result code carried by failures that have no native code of their own (E_FAIL).
constexpr std::int32_t FailureCode = static_cast<std::int32_t>(0x80004005u);

constexpr float CornerRadius = 100.0f;

QString ToQString(const std::filesystem::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

bool IsExistingFile(const std::filesystem::path& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

// Decodes frame 0 upright (EXIF orientation applied) as premultiplied BGRA; null when unreadable.
// A photo much larger than the canvas is decoded at a reduced size (within limit x limit, aspect
// kept), which is faster and keeps huge photos within the decoder's memory limit.
QImage DecodePhoto(const std::filesystem::path& path, int limit)
{
    QImageReader reader(ToQString(path));
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (stored.isValid() && (stored.width() > limit || stored.height() > limit)) {
        reader.setScaledSize(stored.scaled(limit, limit, Qt::KeepAspectRatio));
    }
    QImage photo = reader.read();
    if (photo.isNull()) {
        return photo;
    }
    return photo.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

std::vector<float> BlurWeights(std::uint32_t radius)
{
    const int r = static_cast<int>(radius);
    const double sigma = r / 2.57;
    std::vector<float> weights;
    double sum = 0.0;
    for (int j = -r; j <= r; ++j) {
        const double w = std::exp(-(j * j) / (2.0 * sigma * sigma)) / (std::sqrt(2.0 * std::numbers::pi) * sigma);
        weights.push_back(static_cast<float>(w));
        sum += w;
    }
    for (float& w : weights) {
        w = static_cast<float>(w / sum);
    }
    return weights;
}

// Blurs count pixels that lie stride words apart, starting at first.
void BlurLine(std::uint32_t* first, std::size_t count, std::size_t stride, const std::vector<float>& weights,
    std::vector<std::uint32_t>& line)
{
    line.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        line[i] = first[i * stride];
    }
    const auto r = static_cast<std::ptrdiff_t>(weights.size() / 2);
    const auto size = static_cast<std::ptrdiff_t>(count);
    for (std::ptrdiff_t x = 0; x < size; ++x) {
        std::array<float, 4> sums{};
        float weightSum = 0.0f;
        for (std::ptrdiff_t j = std::max(-r, -x); j <= r && x + j < size; ++j) {
            const float w = weights[static_cast<std::size_t>(j + r)];
            const std::uint32_t pixel = line[static_cast<std::size_t>(x + j)];
            for (std::size_t c = 0; c < 4; ++c) {
                sums[c] += w * static_cast<float>((pixel >> (8 * c)) & 0xFFu);
            }
            weightSum += w;
        }
        std::uint32_t result = 0;
        for (std::size_t c = 0; c < 4; ++c) {
            // The small lift keeps float noise from truncating an exact channel value one step down.
            const auto value = static_cast<std::uint32_t>(sums[c] / weightSum + 1e-3f);
            result |= std::min(value, 255u) << (8 * c);
        }
        first[static_cast<std::size_t>(x) * stride] = result;
    }
}

// Runs work(i) for every i below count on a few threads; each index is taken by exactly one worker.
template <typename Work>
void ParallelForEach(std::size_t count, Work work)
{
    const std::size_t workers = std::min<std::size_t>(count, std::max(1u, std::thread::hardware_concurrency()));
    std::atomic<std::size_t> next{0};
    auto drain = [&] {
        for (std::size_t i = next++; i < count; i = next++) {
            work(i);
        }
    };
    std::vector<std::jthread> threads;
    for (std::size_t t = 1; t < workers; ++t) {
        threads.emplace_back(drain);
    }
    drain();
}

bool EndsWith(const std::string& text, std::string_view suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

const char* ContainerFormat(const std::filesystem::path& fileName)
{
    const std::string name = fileName.native();
    const bool jpeg = EndsWith(name, ".jpg") || EndsWith(name, ".jpeg") || EndsWith(name, ".jpg+");
    return jpeg ? "jpeg" : "png";
}

}  // namespace

unsigned PhotoCanvasMaker::UintDim() const
{
    return canvasSize > 0.0f ? static_cast<unsigned>(canvasSize) : 0u;
}

void PhotoCanvasMaker::prepare()
{
    if (m_WicBitmap.isNull()) {
        CreateTarget();
    }
    for (const auto& photoFile : photoPaths) {
        PreparedPhoto record;
        if (IsExistingFile(photoFile) && DrawPhoto(photoFile, record)) {
            results.push_back(std::move(record));
        }
    }
    if (results.empty()) {
        return;
    }
    if (blurEnabled && blurRadius > 1) {
        BlurResults();
    }
    if (!dumpFolder.empty()) {
        DumpResults();
    }
}

void PhotoCanvasMaker::CreateTarget()
{
    const int dim = static_cast<int>(std::min(UintDim(), 32768u));
    m_WicBitmap = QImage(dim, dim, QImage::Format_ARGB32_Premultiplied);
    if (m_WicBitmap.isNull()) {
        throw Library::ComException{FailureCode,
            "FactorySingleton::GetWICImagingFactory()->CreateBitmap(uintDim, uintDim, "
            "GUID_WICPixelFormat32bppPBGRA, WICBitmapCacheOnLoad, m_WicBitmap.ReleaseAndGetAddressOf())"};
    }
    m_Brush = QBrush(Qt::white);
}

bool PhotoCanvasMaker::DrawPhoto(const std::filesystem::path& photoFile, PreparedPhoto& record)
{
    const QImage photo = DecodePhoto(photoFile, std::max(1, 2 * m_WicBitmap.width()));
    if (photo.isNull()) {
        return false;
    }
    const auto w = static_cast<float>(photo.width());
    const auto h = static_cast<float>(photo.height());
    const float a = margin + borderWidth;
    const float available = canvasSize - 2.0f * a;
    const float fittedWidth = w >= h ? available : w / h * available;
    const float fittedHeight = w >= h ? h / w * available : available;
    const float right = margin + 2.0f * borderWidth + fittedWidth;
    const float bottom = margin + 2.0f * borderWidth + fittedHeight;

    m_WicBitmap.fill(Qt::transparent);
    QPainter painter(&m_WicBitmap);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    painter.fillRect(QRectF(margin, margin, right - margin, bottom - margin), m_Brush);
    // Scaling ahead with an area filter keeps a large photo from aliasing; the draw then places it on
    // the fractional rectangle.
    const QImage fitted = photo.scaled(std::max(1, qRound(fittedWidth)), std::max(1, qRound(fittedHeight)),
        Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    painter.drawImage(QRectF(a, a, fittedWidth, fittedHeight), fitted);
    if (cornerShading) {
        DrawShadedCorners(painter, right, bottom);
    }
    painter.end();

    record.path = photoFile;
    record.bitmap = m_WicBitmap.copy();
    record.texRight = (2.0f * a + fittedWidth) / canvasSize;
    record.texBottom = (2.0f * a + fittedHeight) / canvasSize;
    return true;
}

void PhotoCanvasMaker::DrawShadedCorners(QPainter& painter, float right, float bottom) const
{
    // Qt interpolates gradient stops premultiplied in the stored (gamma-encoded) values, which is
    // what a gamma 2.2 gradient does: a grey-blue of 60 % opacity at the corner fading to nothing.
    const QPointF centres[] = {{0.0, 0.0}, {0.0, bottom}, {right, bottom}, {right, 0.0}};
    painter.setPen(Qt::NoPen);
    for (const QPointF& centre : centres) {
        QRadialGradient gradient(centre, CornerRadius);
        gradient.setSpread(QGradient::PadSpread);
        gradient.setColorAt(0.0, QColor::fromRgbF(0.5f, 0.5f, 0.6f, 0.6f));
        gradient.setColorAt(1.0, QColor::fromRgbF(1.0f, 1.0f, 1.0f, 0.0f));
        painter.setBrush(gradient);
        painter.drawEllipse(centre, CornerRadius, CornerRadius);
    }
}

void PhotoCanvasMaker::BlurResults()
{
    ParallelForEach(results.size(), [this](std::size_t i) { GaussianBlur(results[i].bitmap, blurRadius); });
}

void PhotoCanvasMaker::DumpResults() const
{
    for (std::size_t i = 0; i < results.size(); ++i) {
        const std::filesystem::path name(dumpFolder.native() + "aaa" + std::to_string(i) + ".png");
        SaveBitmapToFile(results[i].bitmap, name);
    }
}

void SaveBitmapToFile(const QImage& bitmap, const std::filesystem::path& fileName)
{
    QFile file(ToQString(fileName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        throw Library::ComException{FailureCode,
            "SHCreateStreamOnFileEx(filename.c_str(), STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, "
            "FILE_ATTRIBUTE_NORMAL, TRUE, nullptr, file.GetAddressOf())"};
    }
    QImageWriter writer(&file, ContainerFormat(fileName));
    if (!writer.write(bitmap)) {
        throw Library::ComException{FailureCode, "frame->WriteSource(bitmap.Get(), nullptr)"};
    }
}

void GaussianBlur(QImage& image, std::uint32_t radius)
{
    if (radius <= 1 || image.isNull()) {
        return;
    }
    if (image.depth() != 32) {
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    const std::vector<float> weights = BlurWeights(radius);
    const auto width = static_cast<std::size_t>(image.width());
    const auto height = static_cast<std::size_t>(image.height());
    const std::size_t pitch = static_cast<std::size_t>(image.bytesPerLine()) / 4;
    auto* pixels = reinterpret_cast<std::uint32_t*>(image.bits());
    std::vector<std::uint32_t> line;
    for (std::size_t y = 0; y < height; ++y) {
        BlurLine(pixels + y * pitch, width, 1, weights, line);
    }
    for (std::size_t x = 0; x < width; ++x) {
        BlurLine(pixels + x, height, pitch, weights, line);
    }
}

}  // namespace Rendering
