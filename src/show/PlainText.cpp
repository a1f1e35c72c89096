#include "show/PlainText.h"

#include "framework/Camera.h"
#include "framework/Game.h"
#include "framework/GameException.h"
#include "show/TextLayout.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace Rendering {

namespace {

constexpr int MaskFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip;
constexpr std::uint32_t MaskBlue = 0xFF0000FFu;
constexpr std::uint32_t ClearWhite = 0x00FFFFFFu;
constexpr std::uint32_t ClearBlack = 0x00000000u;
constexpr std::uint32_t TextPaint = 0xFFFFFFFFu;
constexpr std::uint32_t ShadowPaint = 0x64000000u;

QString OneLineBreak(const QString& text)
{
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Coverage of the text drawn from the top-left corner, in blue with alpha as coverage.
QImage DrawMask(int textureSize, const QFont& font, const QString& text)
{
    RequireFontDatabase();
    QImage mask(textureSize, textureSize, QImage::Format_ARGB32);
    mask.fill(Qt::transparent);
    QPainter painter(&mask);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(QColor::fromRgba(MaskBlue));
    painter.drawText(QRectF(0, 0, textureSize, textureSize), MaskFlags, OneLineBreak(text));
    return mask;
}

QImage PaintThrough(const QImage& mask, std::uint32_t clear, std::uint32_t paint)
{
    QImage result(mask.size(), QImage::Format_ARGB32);
    for (int y = 0; y < mask.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        auto* to = reinterpret_cast<QRgb*>(result.scanLine(y));
        std::transform(from, from + mask.width(), to, [&](QRgb m) { return PaintThroughMask(clear, m, paint); });
    }
    return result;
}

// The laid-out size, widened to every inked pixel so that no overhanging stroke is cut off.
QSize MeasuredSize(const QImage& mask, const QFont& font, const QString& text)
{
    const QRectF laidOut = QFontMetricsF(font).boundingRect(
        QRectF(0, 0, mask.width(), mask.height()), MaskFlags, OneLineBreak(text));
    int right = static_cast<int>(std::ceil(laidOut.right()));
    int bottom = static_cast<int>(std::ceil(laidOut.bottom()));
    for (int y = 0; y < mask.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        for (int x = mask.width() - 1; x >= 0; --x) {
            if (qAlpha(row[x]) != 0) {
                right = std::max(right, x + 1);
                bottom = std::max(bottom, y + 1);
                break;
            }
        }
    }
    return {std::clamp(right, 0, mask.width()), std::clamp(bottom, 0, mask.height())};
}

} // namespace

void RequireFontDatabase()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        throw Library::GameException("Text needs a running QGuiApplication.", Library::ResultFail);
    }
}

QFont TitleFont(const QString& family, int pixelSize)
{
    QFont font(family);
    font.setPixelSize(std::max(pixelSize, 1));
    font.setWeight(QFont::Normal);
    font.setStyle(QFont::StyleNormal);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

TextBitmap MakeTextBitmap(int textureSize, const QFont& font, const QString& text)
{
    const QImage mask = DrawMask(textureSize, font, text);
    const QSize size = MeasuredSize(mask, font, text);
    return {PaintThrough(mask, ClearWhite, TextPaint), size.width(), size.height()};
}

QImage MakeShadowBitmap(int textureSize, const QFont& font, const QString& text)
{
    return PaintThrough(DrawMask(textureSize, font, text), ClearBlack, ShadowPaint);
}

PlainText::PlainText(Library::Game& game, std::shared_ptr<Library::Camera> camera, TextBitmap text, QImage shadow)
    : DrawableGameComponent(game, std::move(camera)),
      mTextBitmap(std::move(text.image)),
      mShadowBitmap(std::move(shadow)),
      mTextWidth(text.width),
      mTextHeight(text.height),
      mTextureSize(mTextBitmap.width())
{
}

void PlainText::SetUp()
{
    auto& device = mGame->Device();
    CreateTextQuadBuffer(device, mVertexBuffer);
    mSizeScale = 1.0f;
    mTextTexture.CreateFromImage(device, mTextBitmap);
    mShadowTexture.CreateFromImage(device, mShadowBitmap);
    mTextBitmap = {};
    mShadowBitmap = {};
    mPipeline.Create(device);
}

void PlainText::Render(const Library::FrameTime& frameTime)
{
    const auto t = static_cast<float>(frameTime.sinceStart);
    if (t < mStartTime || !mPipeline) {
        return;
    }
    auto& context = mGame->Context();
    mPipeline.Begin(context);
    Draw(t, true);
    Draw(t, false);
    mPipeline.End(context);
}

void PlainText::Draw(float t, bool shadow)
{
    const TextFrame frame = ComputePlainTextFrame(t - mStartTime, mDuration, mDrifting);
    if (frame.alpha <= 0.0f) {
        return;
    }
    const QuadRect quad = PlainTextQuad(mTextWidth, mTextHeight, mTextureSize, mSizeScale, shadow);
    mPipeline.DrawQuad(mGame->Context(), mVertexBuffer, quad, shadow ? mShadowTexture.View : mTextTexture.View, *mCamera,
        PlainTextOffset(frame.drift, shadow), frame.alpha);
}

} // namespace Rendering
