#include "show/TextLayout.h"

#include <QStringList>

#include <algorithm>
#include <numeric>

namespace Rendering {

namespace {

constexpr float ShadowShift = 0.02f;
constexpr float ShadowDrift = 0.01f; // extra distance of the title's shadow from its text
constexpr int SmallTexture = 1024;
constexpr int LargeTexture = 2048;
constexpr int LargeTextureFrom = 1281; // screen width
constexpr int WideScreen = 1920;
constexpr float CreditLead = 0.4f;     // seconds after the credit collage's start
constexpr float CreditStep = 2.4f;     // script seconds between the credit collage's photos
constexpr float FirstCreditSpan = 2.0f;
constexpr float CreditSpan = 2.4f;

} // namespace

TextFrame ComputePlainTextFrame(float elapsed, float duration, bool drifting)
{
    const float fadeStart = duration - TextFadeSeconds;
    TextFrame frame;
    if (elapsed < fadeStart) {
        frame.drift = drifting ? elapsed / fadeStart * TitleDriftLimit : 0.0f;
        return frame;
    }
    // A text that starts fading at once never drifted; one that did holds its full drift, whether
    // or not a frame was drawn just before the fade.
    frame.drift = drifting && fadeStart > 0.0f ? TitleDriftLimit : 0.0f;
    const float fading = elapsed - fadeStart;
    frame.alpha = fading >= TextFadeSeconds ? 0.0f : 1.0f - fading / TextFadeSeconds;
    return frame;
}

QuadRect PlainTextQuad(int textWidth, int textHeight, int textureSize, float sizeScale, bool shadow)
{
    const auto t = static_cast<float>(std::max(textureSize, 1));
    const float w = 2.0f * sizeScale * static_cast<float>(textWidth) / t;
    const float h = 2.0f * sizeScale * static_cast<float>(textHeight) / t;
    const float dx = shadow ? ShadowShift : 0.0f;
    const float dy = shadow ? -ShadowShift : 0.0f;
    return {-w / 2.0f + dx, w / 2.0f + dx, -h / 2.0f + dy, h / 2.0f + dy, 0.0f,
        static_cast<float>(textWidth) / t, 0.0f, static_cast<float>(textHeight) / t};
}

std::array<float, 2> PlainTextOffset(float drift, bool shadow)
{
    if (shadow) {
        return {drift + ShadowDrift, -(drift + ShadowDrift)};
    }
    return {-drift, drift};
}

bool CreditDrawn(float t, float startTime, float endTime)
{
    return t >= startTime && t <= endTime;
}

float CreditDrift(float t, float startTime, float endTime, bool drifting)
{
    const float span = endTime - startTime;
    if (!drifting || span <= 0.0f) {
        return 0.0f;
    }
    return std::clamp((t - startTime) / span, 0.0f, 1.0f) * CreditDriftLimit;
}

std::vector<QuadRect> CreditLineQuads(std::span<const std::array<float, 2>> lineSizes, int textureSize, float sizeScale)
{
    const auto t = static_cast<float>(std::max(textureSize, 1));
    const float blockHeight = std::accumulate(
        lineSizes.begin(), lineSizes.end(), 0.0f, [](float sum, const std::array<float, 2>& size) { return sum + size[1]; });
    float cursor = blockHeight / t;
    float vCursor = 0.0f;
    std::vector<QuadRect> quads;
    quads.reserve(lineSizes.size());
    for (const auto& [width, height] : lineSizes) {
        const float top = cursor;
        cursor = top - 2.0f * sizeScale * height / t;
        const float halfWidth = sizeScale * width / t;
        quads.push_back({-halfWidth, halfWidth, cursor, top, 0.0f, width / t, vCursor, vCursor + height / t});
        vCursor += height / t;
    }
    return quads;
}

std::array<float, 2> CreditLineOffset(std::size_t line, float drift, bool shadow, std::array<float, 2> shadowOffset)
{
    const float x = line == 0 ? drift : -drift;
    return shadow ? std::array<float, 2>{x + shadowOffset[0], shadowOffset[1]} : std::array<float, 2>{x, 0.0f};
}

std::vector<QString> SplitCreditLines(const QString& text)
{
    auto pieces = text.split(QChar(u'\n'));
    if (pieces.back().isEmpty()) {
        pieces.removeLast();
    }
    return {pieces.begin(), pieces.end()};
}

std::uint32_t PaintThroughMask(std::uint32_t result, std::uint32_t mask, std::uint32_t paint)
{
    if ((mask & 0xFFu) == 0) {
        return result;
    }
    const std::uint32_t v = mask >> 24;
    std::uint32_t mixed = (paint >> 24) * v / 255 << 24;
    for (const int shift : {16, 8, 0}) {
        const std::uint32_t r = (result >> shift) & 0xFFu;
        const std::uint32_t p = (paint >> shift) & 0xFFu;
        mixed |= ((r * (255 - v) + p * v) / 256) << shift;
    }
    return mixed;
}

int TextTextureSize(int screenWidth)
{
    return screenWidth < LargeTextureFrom ? SmallTexture : LargeTexture;
}

int TitleFontPixels(int screenWidth)
{
    if (screenWidth >= WideScreen) {
        return 152;
    }
    return screenWidth >= 1001 && screenWidth <= 1280 ? 104 : 88;
}

QString TitleFontFamily(bool plainFontAvailable)
{
    const QString family = plainFontAvailable ? QStringLiteral("Brush Script MT") : QStringLiteral("Cambria");
    return family.section(QChar(u'('), 0, 0).trimmed();
}

CreditFontPixels CreditFontSizes(int screenWidth)
{
    const float k = screenWidth < WideScreen ? 1.2f : 2.4f;
    return {40.0f * k, 70.0f * k};
}

CreditBlockLayout CreditBlock(std::size_t block, float showLength, float collageTimeScale)
{
    static constexpr std::array<std::array<float, 2>, MaxCreditBlocks> positions = {{{0.5f, 0.2f}, {-0.5f, -0.2f}, {0.5f, 0.2f}}};
    static constexpr std::array<std::array<float, 2>, MaxCreditBlocks> shadows = {{{-0.01f, -0.01f}, {0.01f, -0.01f}, {-0.01f, -0.01f}}};
    const std::size_t k = std::min(block, MaxCreditBlocks - 1);
    CreditBlockLayout layout;
    layout.startTime = showLength + CreditLead + CreditStep * static_cast<float>(k) * collageTimeScale;
    layout.endTime = layout.startTime + (k == 0 ? FirstCreditSpan : CreditSpan);
    layout.position = positions[k];
    layout.shadowOffset = shadows[k];
    return layout;
}

} // namespace Rendering
