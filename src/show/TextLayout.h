#pragma once

// Device-free arithmetic of the show's texts (the title, "The End" and the end-credit blocks):
// fades, drifts, quads, line splitting, bitmap painting and the sizes chosen for a screen width,
// so that it can be checked without an OpenGL context.

#include "transitions/PhotoGeometry.h"

#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace Rendering {

constexpr float TextFadeSeconds = 0.2f;
constexpr float TitleDuration = 1.71f; // seconds from the first frame to the end of the title's fade
constexpr float TitleDriftLimit = 0.005f;
constexpr float CreditDriftLimit = 0.01f;
constexpr float TextDepth = 0.66f; // world z of every text quad, in front of the photos
constexpr float TextQuadDepth = 0.02f;

// Strength and drift of a title text el seconds after its start. It stays at full strength until
// duration - 0.2, then fades out over 0.2 s; alpha 0 or less means nothing is drawn. The drift
// grows to its limit while the text is at full strength and holds there during the fade.
struct TextFrame {
    float alpha = 1.0f;
    float drift = 0.0f;
};
TextFrame ComputePlainTextFrame(float elapsed, float duration, bool drifting);

// The title quad before its translation: centred on the origin, sampling the measured text in the
// texture's top-left corner. The shadow's quad sits 0.02 right and 0.02 down of the text's.
QuadRect PlainTextQuad(int textWidth, int textHeight, int textureSize, float sizeScale, bool shadow);
// World translation of the title text or of its shadow: they drift apart diagonally.
std::array<float, 2> PlainTextOffset(float drift, bool shadow);

// A credit block is drawn from startTime to endTime, both included.
bool CreditDrawn(float t, float startTime, float endTime);
// Its drift at show time t: growing to the limit over the block's span.
float CreditDrift(float t, float startTime, float endTime, bool drifting);

// The line quads of a credit block, in line order, before translation: the block is centred
// vertically on the origin and every line horizontally; the texture holds the lines one below the
// other from its top-left corner.
std::vector<QuadRect> CreditLineQuads(std::span<const std::array<float, 2>> lineSizes, int textureSize, float sizeScale);
// World translation of line `line` (before the block's position): the heading drifts right, the
// other lines left; shadows are moved by shadowOffset.
std::array<float, 2> CreditLineOffset(std::size_t line, float drift, bool shadow, std::array<float, 2> shadowOffset);

// A credit text split at line feeds: an empty piece between two line feeds is an empty line, a
// trailing line feed gives no empty last line.
std::vector<QString> SplitCreditLines(const QString& text);

// One pixel of a text bitmap painted through its coverage mask (all 0xAARRGGBB): where the mask's
// blue is set, the paint is mixed in by the mask's alpha v, colour channels as
// (result x (255 - v) + paint x v) / 256 and alpha as paint alpha x v / 255; elsewhere the result
// pixel stays.
std::uint32_t PaintThroughMask(std::uint32_t result, std::uint32_t mask, std::uint32_t paint);

// Side of the square text bitmaps for the project's screen width.
int TextTextureSize(int screenWidth);
// Pixel size of the title and "The End".
int TitleFontPixels(int screenWidth);
// Family of the title and "The End": the script face when the project says it is installed.
QString TitleFontFamily(bool plainFontAvailable);

struct CreditFontPixels {
    float first = 0.0f; // the heading line
    float other = 0.0f;
};
CreditFontPixels CreditFontSizes(int screenWidth);

// When and where end-credit block `block` (0, 1 or 2) shows: after the photo part, in step with the
// credit collage's photos (whose script times are stretched by collageTimeScale).
struct CreditBlockLayout {
    float startTime = 0.0f;
    float endTime = 0.0f;
    std::array<float, 2> position{};
    std::array<float, 2> shadowOffset{};
};
constexpr std::size_t MaxCreditBlocks = 3;
CreditBlockLayout CreditBlock(std::size_t block, float showLength, float collageTimeScale);

} // namespace Rendering
