#include "show/TextLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace Rendering {
namespace {

struct FadeCase {
    const char* name;
    float elapsed;
    float duration;
    float alpha;
    float drift;
};

class PlainTextFadeTest : public testing::TestWithParam<FadeCase> {};

// Full strength until duration - 0.2, a 0.2 s fade after it; the drift reaches 0.005 as the fade
// begins and stays there, even for a frame that lands in the fade without one before it.
TEST_P(PlainTextFadeTest, AlphaAndDrift)
{
    const auto& c = GetParam();
    const auto frame = ComputePlainTextFrame(c.elapsed, c.duration, true);
    EXPECT_NEAR(frame.alpha, c.alpha, 1e-5f);
    EXPECT_NEAR(frame.drift, c.drift, 1e-6f);
}

INSTANTIATE_TEST_SUITE_P(Title, PlainTextFadeTest,
    testing::Values(FadeCase{"Start", 0.0f, 1.71f, 1.0f, 0.0f},
        FadeCase{"HalfWay", 0.755f, 1.71f, 1.0f, 0.0025f},
        FadeCase{"JustBeforeFade", 1.5099f, 1.71f, 1.0f, 0.005f},
        FadeCase{"FadeBegins", 1.51f, 1.71f, 1.0f, 0.005f},
        FadeCase{"HalfFaded", 1.61f, 1.71f, 0.5f, 0.005f},
        FadeCase{"FadedOut", 1.71f, 1.71f, 0.0f, 0.005f},
        FadeCase{"TheEndHalfFaded", 2.3f, 2.4f, 0.5f, 0.005f},
        FadeCase{"ShortTextStartsFading", 0.0f, 0.1f, 0.5f, 0.0f},
        FadeCase{"ZeroDurationIsGone", 0.0f, 0.0f, 0.0f, 0.0f},
        FadeCase{"ExactlyFadeLengthStartsAtFadeBegin", 0.0f, 0.2f, 1.0f, 0.0f}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(PlainTextFade, NoDriftUnlessDrifting)
{
    EXPECT_EQ(ComputePlainTextFrame(1.0f, 1.71f, false).drift, 0.0f);
    EXPECT_EQ(ComputePlainTextFrame(1.6f, 1.71f, false).drift, 0.0f);
}

// The shadow is the text quad moved 0.02 right and down, and drifts the other way from 0.01 apart.
TEST(PlainTextQuad, ShadowSitsDownRightOfTheText)
{
    const auto text = PlainTextQuad(256, 128, 1024, 1.0f, false);
    const auto shadow = PlainTextQuad(256, 128, 1024, 1.0f, true);
    EXPECT_FLOAT_EQ(text.x0, -0.25f);
    EXPECT_FLOAT_EQ(text.x1, 0.25f);
    EXPECT_FLOAT_EQ(text.y0, -0.125f);
    EXPECT_FLOAT_EQ(text.y1, 0.125f);
    EXPECT_FLOAT_EQ(text.u1, 0.25f);
    EXPECT_FLOAT_EQ(text.vb, 0.125f);
    EXPECT_FLOAT_EQ(text.vt, 0.0f);
    EXPECT_FLOAT_EQ(shadow.x0 - text.x0, 0.02f);
    EXPECT_FLOAT_EQ(shadow.y1 - text.y1, -0.02f);
    EXPECT_EQ(shadow.u1, text.u1);
    const auto drift = 0.004f;
    const auto textAt = PlainTextOffset(drift, false);
    const auto shadowAt = PlainTextOffset(drift, true);
    EXPECT_FLOAT_EQ(shadowAt[0] - textAt[0], 0.01f + 2 * drift);
    EXPECT_FLOAT_EQ(shadowAt[1] - textAt[1], -(0.01f + 2 * drift));
}

// Drawn at exactly its start and end time and not a moment outside.
TEST(CreditBlockTiming, DrawnFromStartToEndInclusive)
{
    const struct {
        float t;
        bool drawn;
        float drift;
    } cases[] = {{23.3999f, false, 0.0f}, {23.4f, true, 0.0f}, {24.4f, true, 0.005f}, {25.4f, true, 0.01f},
        {25.4001f, false, 0.01f}};
    for (const auto& c : cases) {
        EXPECT_EQ(CreditDrawn(c.t, 23.4f, 25.4f), c.drawn) << c.t;
        if (c.drawn) {
            EXPECT_NEAR(CreditDrift(c.t, 23.4f, 25.4f, true), c.drift, 1e-5f) << c.t;
        }
    }
    EXPECT_EQ(CreditDrift(24.4f, 23.4f, 25.4f, false), 0.0f);
}

// Two credit photos in a 30-second show: the photo part ends at 23 and the blocks follow the
// credit collage's photos, 2.4 script seconds apart at time scale 1.5.
TEST(CreditBlockTiming, BlocksFollowTheCreditCollage)
{
    const struct {
        float start;
        float end;
        std::array<float, 2> position;
        std::array<float, 2> shadow;
    } expected[] = {{23.4f, 25.4f, {0.5f, 0.2f}, {-0.01f, -0.01f}}, {27.0f, 29.4f, {-0.5f, -0.2f}, {0.01f, -0.01f}},
        {30.6f, 33.0f, {0.5f, 0.2f}, {-0.01f, -0.01f}}};
    for (std::size_t block = 0; block < MaxCreditBlocks; ++block) {
        const auto layout = CreditBlock(block, 23.0f, 1.5f);
        EXPECT_NEAR(layout.startTime, expected[block].start, 1e-4f) << block;
        EXPECT_NEAR(layout.endTime, expected[block].end, 1e-4f) << block;
        EXPECT_EQ(layout.position, expected[block].position) << block;
        EXPECT_EQ(layout.shadowOffset, expected[block].shadow) << block;
    }
}

// Lines stack from the block's top (half its height) down, each centred, each taking its own rows
// of the texture; the heading drifts right, the rest left.
TEST(CreditBlockLayout, LinesStackCentredOnThePosition)
{
    const std::vector<std::array<float, 2>> sizes = {{200, 64}, {100, 0}, {400, 128}};
    const auto quads = CreditLineQuads(sizes, 1024, 1.0f);
    ASSERT_EQ(quads.size(), 3u);
    EXPECT_FLOAT_EQ(quads[0].y1, 0.1875f);
    EXPECT_FLOAT_EQ(quads[0].y0, 0.0625f);
    EXPECT_FLOAT_EQ(quads[1].y1, 0.0625f);
    EXPECT_FLOAT_EQ(quads[1].y0, 0.0625f);
    EXPECT_FLOAT_EQ(quads[2].y0, -0.1875f);
    EXPECT_FLOAT_EQ(quads[2].x0, -400.0f / 1024);
    EXPECT_FLOAT_EQ(quads[2].x1, 400.0f / 1024);
    EXPECT_FLOAT_EQ(quads[0].vt, 0.0f);
    EXPECT_FLOAT_EQ(quads[2].vt, 64.0f / 1024);
    EXPECT_FLOAT_EQ(quads[2].vb, 192.0f / 1024);
    EXPECT_FLOAT_EQ(quads[2].u1, 400.0f / 1024);
    const std::array<float, 2> offset{0.01f, -0.01f};
    EXPECT_EQ(CreditLineOffset(0, 0.005f, false, offset), (std::array<float, 2>{0.005f, 0.0f}));
    EXPECT_EQ(CreditLineOffset(1, 0.005f, false, offset), (std::array<float, 2>{-0.005f, 0.0f}));
    EXPECT_EQ(CreditLineOffset(0, 0.005f, true, offset), (std::array<float, 2>{0.015f, -0.01f}));
    EXPECT_EQ(CreditLineOffset(2, 0.005f, true, offset), (std::array<float, 2>{0.005f, -0.01f}));
}

TEST(CreditLines, SplitAtLineFeeds)
{
    const struct {
        const char* text;
        std::vector<QString> lines;
    } cases[] = {
        {"", {}},
        {"Directed by", {"Directed by"}},
        {"word\n\nother", {"word", "", "other"}},
        {"ending\n", {"ending"}},
        {"ending\n\n", {"ending", ""}},
        {"\nlead", {"", "lead"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitCreditLines(QString::fromUtf8(c.text)), c.lines) << c.text;
    }
}

// White paint over transparent white keeps 254 in the colours (the rule divides by 256) and takes
// the coverage as alpha; the shadow's alpha is 100 x coverage / 255; no blue in the mask, no paint.
TEST(TextBitmapPainting, MaskRule)
{
    const struct {
        std::uint32_t result;
        std::uint32_t mask;
        std::uint32_t paint;
        std::uint32_t expected;
    } cases[] = {
        {0x00FFFFFFu, 0xFF0000FFu, 0xFFFFFFFFu, 0xFFFEFEFEu},
        {0x00FFFFFFu, 0x800000FFu, 0xFFFFFFFFu, 0x80FEFEFEu},
        {0x00FFFFFFu, 0x00000000u, 0xFFFFFFFFu, 0x00FFFFFFu},
        {0x00FFFFFFu, 0x80FF0000u, 0xFFFFFFFFu, 0x00FFFFFFu},
        {0x00000000u, 0xFF0000FFu, 0x64000000u, 0x64000000u},
        {0x00000000u, 0x800000FFu, 0x64000000u, 0x32000000u},
        {0x00000000u, 0x010000FFu, 0x64000000u, 0x00000000u},
        {0x00806040u, 0x400000FFu, 0xFFFFFFFFu, 0x409F876Fu},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PaintThroughMask(c.result, c.mask, c.paint), c.expected) << std::hex << c.mask << " " << c.paint;
    }
}

TEST(TextSizes, FollowTheScreenWidth)
{
    const struct {
        int width;
        int texture;
        int titlePixels;
        float first;
        float other;
    } cases[] = {
        {800, 1024, 88, 48.0f, 84.0f},
        {1000, 1024, 88, 48.0f, 84.0f},
        {1001, 1024, 104, 48.0f, 84.0f},
        {1280, 1024, 104, 48.0f, 84.0f},
        {1281, 2048, 88, 48.0f, 84.0f},
        {1919, 2048, 88, 48.0f, 84.0f},
        {1920, 2048, 152, 96.0f, 168.0f},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextTextureSize(c.width), c.texture) << c.width;
        EXPECT_EQ(TitleFontPixels(c.width), c.titlePixels) << c.width;
        EXPECT_FLOAT_EQ(CreditFontSizes(c.width).first, c.first) << c.width;
        EXPECT_FLOAT_EQ(CreditFontSizes(c.width).other, c.other) << c.width;
    }
    EXPECT_EQ(TitleFontFamily(true), "Brush Script MT");
    EXPECT_EQ(TitleFontFamily(false), "Cambria");
}

} // namespace
} // namespace Rendering
