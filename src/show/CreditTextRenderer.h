#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include <array>
#include <vector>

namespace Rendering {

// Draws one end-credit block into two square bitmaps: the heading line in the first font size, the
// other lines below it in the second, filled with the gold picture (or m_TextColor), and the same
// lines as a translucent black shadow. Filled in by the show, used once and discarded.
class CreditTextRenderer {
public:
    QString m_FontFamily;
    float m_FirstFontSize = 0.0f; // pixels
    float m_FontSize = 0.0f;      // pixels
    bool m_Bold = false;
    std::vector<QString> m_Lines;
    QColor m_TextColor = Qt::white;
    bool m_UseYellowBrush = true;
    int m_Dim = 0;

    // Throw GameException when the gold picture is missing or no QGuiApplication runs.
    void RenderText();
    void RenderShadow();

    // Straight-alpha images, m_Dim x m_Dim; null before their Render call.
    const QImage& Bitmap() const { return m_WicBitmap; }
    const QImage& ShadowBitmap() const { return m_WicShadowBitmap; }
    // Width (with trailing spaces) and height of every line, rounded up, in line order.
    const std::vector<std::array<float, 2>>& LineSizes() const { return mLineSizes; }

private:
    QImage DrawLines(const QBrush& brush);

    QImage m_WicBitmap;
    QImage m_WicShadowBitmap;
    std::vector<std::array<float, 2>> mLineSizes;
};

// The gold picture mirrored into a tile twice its size, so that repeating the tile mirrors the
// picture beyond its edges. Built once; throws GameException when the picture is missing.
const QImage& MirroredGoldTile();

} // namespace Rendering
