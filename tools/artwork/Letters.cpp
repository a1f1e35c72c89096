#include "Letters.h"

#include <QColor>
#include <QFont>
#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QString>
#include <QTransform>

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace Artwork {
namespace {

constexpr int AtlasSide = 1024;
constexpr int CellSide = 128;
constexpr int Columns = 8;
// Each cell is drawn this many times larger and averaged down, for clean anti-aliased edges.
constexpr int Supersample = 4;
constexpr std::string_view Glyphs = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
// The title advances each letter by these widths (128ths of a cell); a glyph must end before the next
// one begins.
constexpr std::array<int, 36> Advances = {73, 71, 72, 73, 67, 64, 71, 73, 40, 61, 77, 64, 81, 73, 75, 69, 75, 72,
                                          68, 68, 73, 73, 89, 73, 74, 67, 64, 52, 65, 63, 64, 63, 64, 63, 64, 64};
constexpr const char* FontFile = "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf";

// Letter geometry in cell pixels.
constexpr double EmPixels = 70.0;
constexpr double HorizontalStretch = 1.15;
constexpr double VerticalStretch = 1.4;
constexpr double Slant = 0.18;
constexpr double ExtrusionX = 7.0;
constexpr double ExtrusionY = 6.0;
constexpr double LeftEdge = 10.0;
constexpr double MinimumGap = 3.0;
// Narrow glyphs are widened up to this factor towards their advance, so the gaps look even.
constexpr double MaximumWiden = 1.12;
constexpr int ExtrusionSteps = 7 * Supersample;

constexpr QRgb ShadowPixel = qRgba(0, 0, 0, 60);

QPainterPath SlantedGlyph(const QFont& font, QChar glyph)
{
  QPainterPath path;
  path.addText(0.0, 0.0, font, QString(glyph));
  return QTransform(HorizontalStretch, 0.0, -Slant * VerticalStretch, VerticalStretch, 0.0, 0.0).map(path);
}

QPointF ExtrusionStep(int step)
{
  const double depth = static_cast<double>(step) / ExtrusionSteps;
  return {ExtrusionX * Supersample * depth, ExtrusionY * Supersample * depth};
}

// The face in supersampled cell coordinates: on a common baseline that centres the extruded capitals
// vertically, its left edge at LeftEdge, its width fitted towards the gap before the next glyph.
QPainterPath ShapeFace(const QFont& font, QChar glyph, int advance, double baseline)
{
  QPainterPath face = SlantedGlyph(font, glyph);
  const QRectF bounds = face.boundingRect();
  const double budget = (advance - MinimumGap - ExtrusionX) * Supersample;
  const double fit = std::min(budget / bounds.width(), MaximumWiden);
  QTransform place;
  place.translate(LeftEdge * Supersample, baseline);
  place.scale(fit, 1.0);
  place.translate(-bounds.left(), 0.0);
  return place.map(face);
}

// With silhouette set, every part of the letter is painted opaque black instead of its colour, so the
// shadow covers exactly what the letter covers.
QColor Paint(const QColor& colour, bool silhouette)
{
  return silhouette ? QColor(Qt::black) : colour;
}

// The extrusion is drawn without anti-aliasing (the supersampling smooths it): stacked anti-aliased
// copies would add up their partial edge pixels into a fringe wider than the letter.
void PaintSides(QPainter& painter, const QPainterPath& face, bool silhouette)
{
  painter.setRenderHint(QPainter::Antialiasing, false);
  for (int step = ExtrusionSteps; step > 0; --step) {
    // The sides darken away from the face, which reads as light falling from the front.
    const double depth = static_cast<double>(step) / ExtrusionSteps;
    const QColor side = QColor::fromRgbF(0.50 - 0.22 * depth, 0.18 - 0.08 * depth, 0.66 - 0.24 * depth);
    painter.fillPath(face.translated(ExtrusionStep(step)), Paint(side, silhouette));
  }
}

void PaintFace(QPainter& painter, const QPainterPath& face, bool silhouette)
{
  painter.setRenderHint(QPainter::Antialiasing, true);
  const QRectF bounds = face.boundingRect();
  QLinearGradient gradient(bounds.topLeft(), bounds.bottomLeft());
  gradient.setColorAt(0.0, QColor(255, 206, 232));
  gradient.setColorAt(0.55, QColor(250, 128, 190));
  gradient.setColorAt(1.0, QColor(226, 62, 150));
  painter.fillPath(face, silhouette ? QBrush(Qt::black) : QBrush(gradient));
  if (!silhouette) {
    // A light rim inside the upper left edges, as if the face were bevelled.
    painter.save();
    painter.setClipPath(face);
    painter.strokePath(face.translated(1.2 * Supersample, 1.2 * Supersample),
                       QPen(QColor(255, 240, 248, 170), 1.1 * Supersample));
    painter.restore();
  }
  painter.strokePath(face, QPen(Paint(QColor(120, 30, 110, 200), silhouette), 0.5 * Supersample));
}

QImage RenderCell(const QPainterPath& face, bool silhouette)
{
  QImage large(CellSide * Supersample, CellSide * Supersample, QImage::Format_ARGB32_Premultiplied);
  large.fill(Qt::transparent);
  QPainter painter(&large);
  PaintSides(painter, face, silhouette);
  PaintFace(painter, face, silhouette);
  painter.end();
  return large.scaled(CellSide, CellSide, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
      .convertToFormat(QImage::Format_ARGB32);
}

void CopyCell(const QImage& cell, int index, QImage& atlas)
{
  const int left = (index % Columns) * CellSide;
  const int top = (index / Columns) * CellSide;
  for (int y = 0; y < CellSide; ++y) {
    const auto* source = reinterpret_cast<const QRgb*>(cell.constScanLine(y));
    auto* target = reinterpret_cast<QRgb*>(atlas.scanLine(top + y)) + left;
    std::copy(source, source + CellSide, target);
  }
}

// The shadow has one opacity throughout; half covered pixels count as covered.
QImage ThresholdSilhouette(const QImage& coverage)
{
  QImage result(coverage.size(), QImage::Format_ARGB32);
  for (int y = 0; y < coverage.height(); ++y) {
    const auto* source = reinterpret_cast<const QRgb*>(coverage.constScanLine(y));
    auto* target = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < coverage.width(); ++x) {
      target[x] = qAlpha(source[x]) >= 128 ? ShadowPixel : qRgba(0, 0, 0, 0);
    }
  }
  return result;
}

// Texture filtering mixes the colour of clear pixels into the letters' edges; clear pixels next to a
// letter therefore carry the colour of their coloured neighbours instead of black.
void BleedColourIntoClearPixels(QImage& atlas, int passes)
{
  std::vector<bool> coloured(static_cast<std::size_t>(atlas.width() * atlas.height()));
  const auto at = [&atlas](int x, int y) { return static_cast<std::size_t>(y * atlas.width() + x); };
  for (int y = 0; y < atlas.height(); ++y) {
    for (int x = 0; x < atlas.width(); ++x) {
      coloured[at(x, y)] = qAlpha(atlas.pixel(x, y)) != 0;
    }
  }
  for (int pass = 0; pass < passes; ++pass) {
    const QImage before = atlas;
    const std::vector<bool> colouredBefore = coloured;
    for (int y = 1; y + 1 < atlas.height(); ++y) {
      for (int x = 1; x + 1 < atlas.width(); ++x) {
        if (colouredBefore[at(x, y)]) {
          continue;
        }
        int red = 0;
        int green = 0;
        int blue = 0;
        int count = 0;
        for (int dy = -1; dy <= 1; ++dy) {
          for (int dx = -1; dx <= 1; ++dx) {
            if (colouredBefore[at(x + dx, y + dy)]) {
              const QRgb neighbour = before.pixel(x + dx, y + dy);
              red += qRed(neighbour);
              green += qGreen(neighbour);
              blue += qBlue(neighbour);
              ++count;
            }
          }
        }
        if (count > 0) {
          atlas.setPixel(x, y, qRgba(red / count, green / count, blue / count, 0));
          coloured[at(x, y)] = true;
        }
      }
    }
  }
}

QImage NewAtlas()
{
  QImage atlas(AtlasSide, AtlasSide, QImage::Format_ARGB32);
  atlas.fill(Qt::transparent);
  return atlas;
}

} // namespace

LetterAtlas MakeLetterAtlas()
{
  const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(FontFile));
  if (id < 0) {
    return {};
  }
  QFont font(QFontDatabase::applicationFontFamilies(id).value(0));
  font.setBold(true);
  font.setPixelSize(static_cast<int>(EmPixels * Supersample));
  font.setHintingPreference(QFont::PreferNoHinting);
  const QRectF capital = SlantedGlyph(font, QLatin1Char('H')).boundingRect();
  const double baseline = (CellSide * Supersample + capital.height() - ExtrusionY * Supersample) / 2.0;

  LetterAtlas atlas{NewAtlas(), NewAtlas()};
  for (std::size_t i = 0; i < Glyphs.size(); ++i) {
    const QPainterPath face = ShapeFace(font, QLatin1Char(Glyphs[i]), Advances[i], baseline);
    const int index = static_cast<int>(i);
    CopyCell(RenderCell(face, false), index, atlas.mLetters);
    CopyCell(ThresholdSilhouette(RenderCell(face, true)), index, atlas.mShadows);
  }
  BleedColourIntoClearPixels(atlas.mLetters, 2);
  return atlas;
}

} // namespace Artwork
