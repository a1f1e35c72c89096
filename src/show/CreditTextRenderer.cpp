#include "show/CreditTextRenderer.h"

#include "framework/GameException.h"
#include "framework/GpuTypes.h"
#include "show/PlainText.h"

#include <pellora_resources.h>

#include <QBrush>
#include <QPainter>
#include <QTextLayout>

#include <cmath>
#include <memory>

namespace Rendering {

namespace {

constexpr QColor ShadowColor{0, 0, 0, 128};

QImage BuildMirroredTile()
{
    const auto bytes = Pellora::Resources::Find("334");
    const QImage gold = QImage::fromData(bytes.data(), static_cast<int>(bytes.size()))
                            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (gold.isNull()) {
        throw Library::GameException("The gold picture of the end credits cannot be read.", Library::ResultFail);
    }
    QImage tile(gold.width() * 2, gold.height() * 2, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&tile);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, gold);
    painter.drawImage(gold.width(), 0, gold.mirrored(true, false));
    painter.drawImage(0, gold.height(), gold.mirrored(false, true));
    painter.drawImage(gold.width(), gold.height(), gold.mirrored(true, true));
    return tile;
}

QFont CreditFont(const QString& family, float pixelSize, bool bold)
{
    QFont font(family);
    font.setPixelSize(std::max(static_cast<int>(std::lround(pixelSize)), 1));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStyle(QFont::StyleNormal);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// One credit line laid out alone, wrapped at the bitmap's width like a paragraph of its own.
struct LaidOutLine {
    std::unique_ptr<QTextLayout> layout;
    std::array<float, 2> size{};
};

LaidOutLine LayOut(const QString& text, const QFont& font, int dim)
{
    LaidOutLine line{std::make_unique<QTextLayout>(text, font), {}};
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    line.layout->setTextOption(option);
    line.layout->setCacheEnabled(true);
    line.layout->beginLayout();
    double height = 0.0;
    double width = 0.0;
    for (QTextLine row = line.layout->createLine(); row.isValid(); row = line.layout->createLine()) {
        row.setLineWidth(dim);
        row.setPosition({0.0, height});
        height += row.height();
        width = std::max(width, row.naturalTextWidth());
    }
    line.layout->endLayout();
    line.size = {static_cast<float>(std::ceil(width)), static_cast<float>(std::ceil(height))};
    return line;
}

} // namespace

const QImage& MirroredGoldTile()
{
    static const QImage tile = BuildMirroredTile();
    return tile;
}

void CreditTextRenderer::RenderText()
{
    const QBrush brush = m_UseYellowBrush ? QBrush(MirroredGoldTile()) : QBrush(m_TextColor);
    m_WicBitmap = DrawLines(brush);
}

void CreditTextRenderer::RenderShadow()
{
    m_WicShadowBitmap = DrawLines(QBrush(ShadowColor));
}

// The heading at the top, each further line below the one before, all from the left edge.
QImage CreditTextRenderer::DrawLines(const QBrush& brush)
{
    RequireFontDatabase();
    QImage bitmap(m_Dim, m_Dim, QImage::Format_ARGB32_Premultiplied);
    bitmap.fill(Qt::transparent);
    mLineSizes.clear();
    if (!m_Lines.empty()) {
        const QFont first = CreditFont(m_FontFamily, m_FirstFontSize, m_Bold);
        const QFont other = CreditFont(m_FontFamily, m_FontSize, m_Bold);
        QPainter painter(&bitmap);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setPen(QPen(brush, 1.0));
        float top = 0.0f;
        for (std::size_t i = 0; i < m_Lines.size(); ++i) {
            const LaidOutLine line = LayOut(m_Lines[i], i == 0 ? first : other, m_Dim);
            line.layout->draw(&painter, {0.0, top});
            top += line.size[1];
            mLineSizes.push_back(line.size);
        }
    }
    return bitmap.convertToFormat(QImage::Format_ARGB32);
}

} // namespace Rendering
