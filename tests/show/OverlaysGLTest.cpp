#include "show/RenderingGame.h"

#include "ShowFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <set>
#include <vector>

namespace Rendering::Testing {
namespace {

constexpr std::uint32_t Width = 800;
constexpr std::uint32_t Height = 600;
constexpr int Grey = 160; // Qt::gray

// A show of no photos over a still, plain grey background.
class OverlayShow {
public:
    using Adjust = std::function<void(ProjectSettings&, ShowFolder&)>;

    explicit OverlayShow(bool sineWaves, const Adjust& adjust = {})
    {
        auto project = ShowFolder::MakeProject({}, 30, Width, Height);
        project.m_OrigBackgroundImage = FromPath(mFolder.AddPhoto("grey.png", 400, 300));
        project.m_BackgroundWidth = 400;
        project.m_BackgroundHeight = 300;
        project.m_BackgroundMoving = false;
        project.m_ShowSinewave = sineWaves;
        if (adjust) {
            adjust(project, mFolder);
        }
        mGame = std::make_unique<RenderingGame>(
            [](std::uint32_t& w, std::uint32_t& h) {
                w = Width;
                h = Height;
            },
            Library::TargetKind::ExportWindow);
        mGame->SetProjectPath(mFolder.Save(project));
        mGame->CreateSizedObjects();
        mGame->Prepare();
        Capture(0.0); // the overlays' clocks start with the first frame
    }

    RenderingGame& Game() { return *mGame; }

    void Capture(double t)
    {
        mGame->MakeCurrent(); // the two shows of a test take turns on this thread
        const Library::FrameTime frameTime{t, t, 0.0, false};
        mGame->AdvanceAll(frameTime);
        mGame->RenderFrame(frameTime);
        bool lastFrame = false;
        mGame->CaptureFrame(lastFrame);
        mFrame.assign(mGame->CapturedFrame().begin(), mGame->CapturedFrame().end());
    }

    // Red of the pixel counted from the top-left (the captured rows run bottom-up).
    int Red(std::uint32_t x, std::uint32_t y) const { return mFrame[((Height - 1 - y) * Width + x) * 4 + 2]; }
    // Blue, green, red of that pixel.
    std::array<int, 3> Colour(std::uint32_t x, std::uint32_t y) const
    {
        const std::size_t at = ((Height - 1 - y) * Width + x) * 4;
        return {mFrame[at], mFrame[at + 1], mFrame[at + 2]};
    }
    const std::vector<std::uint8_t>& Frame() const { return mFrame; }

private:
    ShowFolder mFolder;
    std::unique_ptr<RenderingGame> mGame;
    std::vector<std::uint8_t> mFrame;
};

// The bottom 0.07 x W rows darken from nothing at the band's top to about 0.68 at the frame's edge,
// following 1 - cos of the ramp picture's rows; everything above keeps the background.
TEST(DarkBand, DarkensTheBottomRowsAlongTheRamp)
{
    OverlayShow show(false);
    show.Capture(1.0);
    constexpr std::uint32_t bandTop = Height - 56;
    for (const std::uint32_t x : {0u, Width / 2, Width - 1}) {
        for (std::uint32_t y = 0; y < bandTop; y += 7) {
            ASSERT_NEAR(show.Red(x, y), Grey, 1) << x << "," << y;
        }
        int previous = Grey;
        for (std::uint32_t y = bandTop; y < Height; ++y) {
            const double v = (y + 0.5 - bandTop) / 56.0 * 0.56;
            const double rampRow = std::max(v * 128.0 - 0.5, 0.0);
            const double opacity = v <= 0.02 ? 0.0 : 1.0 - std::cos(rampRow * std::numbers::pi / 180.0);
            EXPECT_NEAR(show.Red(x, y), Grey * (1.0 - opacity), 3) << x << "," << y;
            EXPECT_LE(show.Red(x, y), previous) << x << "," << y;
            previous = show.Red(x, y);
        }
    }
    EXPECT_NEAR(1.0 - show.Red(Width / 2, Height - 1) / double(Grey), 0.68, 0.02);
}

// The rows each column of the frame with ribbons differs in from the same frame without them.
std::vector<std::set<std::uint32_t>> RibbonRows(const OverlayShow& with, const OverlayShow& without)
{
    std::vector<std::set<std::uint32_t>> rows(Width);
    for (std::uint32_t y = 0; y < Height; ++y) {
        for (std::uint32_t x = 0; x < Width; ++x) {
            const std::size_t offset = ((Height - 1 - y) * Width + x) * 4;
            for (std::size_t channel = 0; channel < 3; ++channel) {
                if (std::abs(with.Frame()[offset + channel] - without.Frame()[offset + channel]) > 2) {
                    rows[x].insert(y);
                }
            }
        }
    }
    return rows;
}

bool AllWithin(const std::set<std::uint32_t>& rows, std::initializer_list<std::pair<std::uint32_t, std::uint32_t>> spans)
{
    return std::all_of(rows.begin(), rows.end(), [&](std::uint32_t row) {
        return std::any_of(spans.begin(), spans.end(), [row](const auto& span) { return row >= span.first && row <= span.second; });
    });
}

bool AnyWithin(const std::set<std::uint32_t>& rows, std::uint32_t first, std::uint32_t last)
{
    return rows.lower_bound(first) != rows.end() && *rows.lower_bound(first) <= last;
}

// At one second the breathing ribbon is a flat line one eighth of the height above the bottom edge
// (row 525 of 600) across the width; the travelling one, at phase 3 rad, has its trough at column
// 272 and its crest at column 772, 0.05 world units (20 rows) below and above that line. Once the
// photo part is over both are gone.
TEST(SineWaves, RibbonsLieAnEighthOfTheHeightAboveTheBottomEdge)
{
    OverlayShow with(true);
    OverlayShow without(false);
    with.Capture(1.0);
    without.Capture(1.0);
    const auto rows = RibbonRows(with, without);
    constexpr std::uint32_t line = Height - Height / 8;
    for (std::uint32_t x = 0; x < Width - 2; ++x) {
        ASSERT_TRUE(AnyWithin(rows[x], line - 1, line + 3)) << "column " << x;
        ASSERT_TRUE(AllWithin(rows[x], {{line - 23, line + 25}})) << "column " << x;
    }
    EXPECT_TRUE(AllWithin(rows[272], {{line - 1, line + 3}, {line + 18, line + 24}})) << testing::PrintToString(rows[272]);
    EXPECT_TRUE(AnyWithin(rows[272], line + 18, line + 24));
    EXPECT_TRUE(AllWithin(rows[772], {{line - 1, line + 3}, {line - 22, line - 16}})) << testing::PrintToString(rows[772]);
    EXPECT_TRUE(AnyWithin(rows[772], line - 22, line - 16));

    const float after = with.Game().ShowLength() + 0.5f;
    with.Capture(after);
    without.Capture(after);
    EXPECT_EQ(with.Frame(), without.Frame());
}

// Where the pixels of one kind lie, above the dark band: how many and their mean position.
struct PixelSpread {
    int count = 0;
    double x = 0.0;
    double y = 0.0;
};

PixelSpread Spread(const OverlayShow& show, const std::function<bool(const std::array<int, 3>&)>& kind)
{
    PixelSpread spread;
    for (std::uint32_t y = 0; y < Height - 56; ++y) {
        for (std::uint32_t x = 0; x < Width; ++x) {
            if (kind(show.Colour(x, y))) {
                ++spread.count;
                spread.x += x;
                spread.y += y;
            }
        }
    }
    if (spread.count > 0) {
        spread.x /= spread.count;
        spread.y /= spread.count;
    }
    return spread;
}

bool White(const std::array<int, 3>& c) { return c[0] > 235 && c[1] > 235 && c[2] > 235; }
bool Shadowed(const std::array<int, 3>& c) { return c[2] < Grey - 30 && c[1] == c[2]; }
bool Gold(const std::array<int, 3>& c) { return c[2] - c[0] > 50 && c[2] >= c[1] && c[1] >= c[0]; }
// Qt::gray has a bluish tint: only red and green are 160.
bool NotGrey(const std::array<int, 3>& c) { return std::abs(c[1] - Grey) > 2 || std::abs(c[2] - Grey) > 2; }

struct PlainTextCase {
    const char* name;
    bool plainTitle;
    double before; // -1: visible from the first frame
    double visible;
    double gone;
};

class PlainTextPixelsTest : public testing::TestWithParam<PlainTextCase> {};

// The title (0 to 1.71 s) and "The End" (the last 2.4 s of the photo part, which ends at 29 s) are
// white in the middle of the picture over a darker shadow down to the right, and are gone once
// faded (as is the background after the photo part).
TEST_P(PlainTextPixelsTest, WhiteTextOverADarkerShadowDownRight)
{
    const auto& c = GetParam();
    OverlayShow show(false, [&](ProjectSettings& project, ShowFolder&) {
        project.m_PlainTitleEffect = c.plainTitle;
        project.m_PlainTextTitle = u"Hallo";
    });
    if (c.before >= 0.0) {
        show.Capture(c.before);
        EXPECT_EQ(Spread(show, NotGrey).count, 0);
    }
    show.Capture(c.visible);
    const auto text = Spread(show, White);
    const auto shadow = Spread(show, Shadowed);
    EXPECT_GT(text.count, 200);
    EXPECT_GT(shadow.count, 100);
    EXPECT_NEAR(text.x, Width / 2.0, Width / 10.0);
    EXPECT_NEAR(text.y, Height / 2.0, Height / 10.0);
    EXPECT_GT(shadow.x, text.x);
    EXPECT_GT(shadow.y, text.y);
    show.Capture(c.gone);
    EXPECT_EQ(Spread(show, White).count, 0);
}

INSTANTIATE_TEST_SUITE_P(Texts, PlainTextPixelsTest,
    testing::Values(PlainTextCase{"Title", true, -1.0, 0.5, 1.72}, PlainTextCase{"TheEnd", false, 26.5, 27.5, 29.01}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// Two credit photos in a 30-second show: the first block (23.4 to 25.4 s) is gold up to the right
// of the centre, the second (from 27.0 s) down to the left.
TEST(CreditTexts, GoldBlocksInTurn)
{
    OverlayShow show(false, [](ProjectSettings& project, ShowFolder& folder) {
        for (const char* name : {"a.png", "b.png"}) {
            const auto path = FromPath(folder.AddPhoto(name, 64, 48));
            project.m_OrigImages.push_back(path);
            project.m_Thumbnails.emplace_back();
            project.m_Brightness.push_back(100);
            project.m_EndCreditInfo[path] = {path, u"DejaVu Sans", u"Cast\nAnna Berg\nCarl Dunn", true};
        }
    });
    const struct {
        double t;
        int sideX; // +1: right of the centre, -1: left, 0: no gold at all
        int sideY; // +1: below the centre, -1: above
    } frames[] = {{23.3, 0, 0}, {24.0, 1, -1}, {25.5, 0, 0}, {27.5, -1, 1}};
    for (const auto& frame : frames) {
        show.Capture(frame.t);
        const auto gold = Spread(show, Gold);
        if (frame.sideX == 0) {
            EXPECT_EQ(gold.count, 0) << frame.t;
            continue;
        }
        EXPECT_GT(gold.count, 300) << frame.t;
        EXPECT_GT(frame.sideX * (gold.x - Width / 2.0), 0.0) << frame.t;
        EXPECT_GT(frame.sideY * (gold.y - Height / 2.0), 0.0) << frame.t;
    }
}

} // namespace
} // namespace Rendering::Testing
