#include "show/RenderingGame.h"

#include "ShowFixture.h"
#include "show/CollageLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace Rendering::Testing {
namespace {

constexpr std::uint32_t Width = 320;
constexpr std::uint32_t Height = 180;

class CollageShow {
public:
    explicit CollageShow(const ProjectSettings& project)
    {
        mGame = std::make_unique<RenderingGame>(
            [](std::uint32_t& w, std::uint32_t& h) {
                w = Width;
                h = Height;
            },
            Library::TargetKind::ExportWindow);
        mGame->SetSeed(3);
        mGame->SetProject(project);
        mGame->CreateSizedObjects();
        mGame->Prepare();
    }

    RenderingGame& Game() { return *mGame; }

    void Capture(double t)
    {
        const Library::FrameTime frameTime{t, t, 0.0, false};
        mGame->AdvanceAll(frameTime);
        mGame->RenderFrame(frameTime);
        bool lastFrame = false;
        mGame->CaptureFrame(lastFrame);
    }

    // Blue, green, red of a pixel counted from the top-left (the captured rows run bottom-up).
    std::array<int, 3> Pixel(int x, int y) const
    {
        const auto frame = mGame->CapturedFrame();
        const std::size_t offset = ((Height - 1 - static_cast<std::size_t>(y)) * Width + static_cast<std::size_t>(x)) * 4;
        return {frame[offset], frame[offset + 1], frame[offset + 2]};
    }

private:
    std::unique_ptr<RenderingGame> mGame;
};

// Photos by script, with the start of each script's first photo.
std::map<int, std::pair<std::size_t, float>> CollagesByScript(const RenderingGame& game)
{
    std::map<int, std::pair<std::size_t, float>> scripts;
    for (const auto& photo : game.Collages()) {
        auto [found, inserted] = scripts.try_emplace(photo->Script(), 0, photo->StartTime() - photo->Entry().delay);
        ++found->second.first;
    }
    return scripts;
}

// Two credited photos in a 30-second show: the photo part ends at 23, the final collage starts 4.5
// seconds before and the credit collage at 23, with one photo per credit.
TEST(CollageSchedule, CreditAndFinalCollagesStartWhereTheShowEndsItsPhotos)
{
    ShowFolder folder;
    const auto photos = folder.AddPhotos("p", 4, 64, 48);
    auto project = ShowFolder::MakeProject(photos, 30);
    project.SetEndCreditInfo({FromPath(photos[2]), u"Sans", u"Thanks", false});
    project.SetEndCreditInfo({FromPath(photos[1]), u"Sans", u"Thanks", false});
    CollageShow show(project);
    const auto& game = show.Game();

    const auto scripts = CollagesByScript(game);
    ASSERT_TRUE(scripts.contains(341));
    EXPECT_EQ(scripts.at(341), (std::pair<std::size_t, float>{2, 23.0f}));
    EXPECT_EQ(scripts.at(340), (std::pair<std::size_t, float>{8, 18.5f}));
    // The credit photos in key order, entering 0 and 3.6 seconds after the photo part.
    const auto& first = *game.Collages()[0];
    const auto& second = *game.Collages()[1];
    EXPECT_EQ(first.PhotoPath(), photos[1]);
    EXPECT_EQ(second.PhotoPath(), photos[2]);
    EXPECT_FLOAT_EQ(first.StartTime(), 23.0f);
    EXPECT_FLOAT_EQ(second.StartTime(), 26.6f);
    // The final collage ends exactly with the photo part.
    float finalEnd = 0.0f;
    for (const auto& photo : game.Collages()) {
        if (photo->Script() == 340) {
            finalEnd = std::max(finalEnd, photo->EndTime());
        }
    }
    EXPECT_FLOAT_EQ(finalEnd, 23.0f);
}

// The draw order: cameras, background, credit collage, final collage, then each slot's transition
// followed by its own collage.
TEST(CollageSchedule, PhotosOfTwentyPrepareOnlyTheShownCanvasesAndKeepTheDrawOrder)
{
    ShowFolder folder;
    const auto photos = folder.AddPhotos("p", 20, 64, 48);
    const auto credited = folder.AddPhoto("credit.png", 48, 64); // credited but not in the photo list
    auto project = ShowFolder::MakeProject(photos, 120);
    project.SetEndCreditInfo({FromPath(credited), u"Sans", u"Thanks", false});
    CollageShow show(project);
    const auto& game = show.Game();

    EXPECT_EQ(game.CollagePhotos().size(), 8u);
    EXPECT_TRUE(std::all_of(game.CollagePhotos().begin(), game.CollagePhotos().end(),
        [](const PreparedPhoto& photo) { return photo.bitmap.isNull(); }));
    const auto scripts = CollagesByScript(game);
    EXPECT_EQ(scripts.at(341).first, 1u);
    EXPECT_EQ(scripts.at(342).first, 3u * 2); // two empty slots in 120 seconds

    std::vector<std::string> kinds;
    for (auto& component : show.Game().Components()) {
        const auto* photo = component->As<BlurPhoto>();
        kinds.push_back(photo ? std::to_string(photo->Script())
                              : component->As<PhotoAnimation>() ? std::string("slot") : std::string("other"));
    }
    const std::vector<std::string> expectedStart = {"other", "other", "other", "341", "340", "340", "340", "340",
        "340", "340", "340", "340", "slot", "slot", "slot", "slot", "slot", "slot", "342", "342", "342", "slot"};
    ASSERT_GE(kinds.size(), expectedStart.size());
    EXPECT_EQ(std::vector<std::string>(kinds.begin(), kinds.begin() + expectedStart.size()), expectedStart);
}

// One red photo over a plain grey background: where the collage's matrix puts the photo's centre,
// the frame is red while the photo is shown and grey once it has disappeared.
TEST(CollageDrawing, PhotoAppearsWhereItsMatrixPutsIt)
{
    ShowFolder folder;
    auto project = ShowFolder::MakeProject({folder.AddPhoto("red.png", 64, 48, Qt::red)}, 30, Width, Height);
    project.m_OrigBackgroundImage = FromPath(folder.AddPhoto("grey.png", 400, 300));
    project.m_BackgroundWidth = 400;
    project.m_BackgroundHeight = 300;
    project.m_BackgroundMoving = false;
    CollageShow show(project);
    const auto& collages = show.Game().Collages();
    // The final collage opens with its last entry alone.
    const auto last = std::find_if(collages.begin(), collages.end(),
        [](const auto& photo) { return photo->Script() == 340 && photo->Entry().delay == 0.0f; });
    ASSERT_NE(last, collages.end());
    const BlurPhoto& photo = **last;
    const auto pixelOf = [&](float e) {
        const auto world = CollageWorld(photo.Entry(), e);
        const auto clip = Library::TransformCoord(
            {0, 0, 0}, Library::Multiply(world, photo.GetCamera()->ViewProjectionMatrix()));
        return std::pair{static_cast<int>((clip.x + 1.0f) / 2.0f * Width),
            static_cast<int>((1.0f - clip.y) / 2.0f * Height)};
    };
    int checked = 0;
    // It flies in from outside the frame; every moment that puts its centre inside is checked.
    for (const float e : {0.0f, 0.5f, 1.0f, 2.0f, 3.0f, 4.0f}) {
        const double t = photo.StartTime() + e;
        show.Capture(t);
        const auto [x, y] = pixelOf(e);
        if (x < 4 || x >= int(Width) - 4 || y < 4 || y >= int(Height) - 20) {
            continue;
        }
        ++checked;
        const auto centre = show.Pixel(x, y);
        EXPECT_GT(centre[2], 200) << "t " << t << " at " << x << "," << y;
        EXPECT_LT(centre[1], 60) << "t " << t << " at " << x << "," << y;
    }
    EXPECT_GE(checked, 2);
    // Still there at its disappearance, gone a frame later (the background is grey).
    const auto [x, y] = pixelOf(photo.Entry().disappear);
    ASSERT_TRUE(x >= 0 && x < int(Width) && y >= 0 && y < int(Height)) << x << "," << y;
    show.Capture(photo.EndTime());
    EXPECT_GT(show.Pixel(x, y)[2], 200);
    show.Capture(photo.EndTime() + 1.0 / 30.0);
    EXPECT_NEAR(show.Pixel(x, y)[1], 160, 30);
}

} // namespace
} // namespace Rendering::Testing
