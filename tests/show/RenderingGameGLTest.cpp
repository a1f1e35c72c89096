#include "show/RenderingGame.h"

#include "ShowFixture.h"
#include "transitions/ColorVerticalSwipePhoto.h"
#include "transitions/ExpandingCirclePhoto2.h"
#include "transitions/FourInOnePhoto.h"
#include "transitions/NullPhoto.h"
#include "transitions/PixelAlphaStripePhoto.h"
#include "transitions/PixelCheckeredPhoto.h"
#include "transitions/PixelRevealTurningDiamondPhoto.h"
#include "transitions/PrismPhoto.h"
#include "transitions/TilePhoto.h"
#include "transitions/TintPhoto.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace Rendering::Testing {
namespace {

constexpr std::uint32_t Width = 160;
constexpr std::uint32_t Height = 90;

std::unique_ptr<RenderingGame> PrepareShow(const std::filesystem::path& project,
    const std::atomic<bool>* cancelled = nullptr)
{
    auto game = std::make_unique<RenderingGame>(
        [](std::uint32_t& w, std::uint32_t& h) {
            w = Width;
            h = Height;
        },
        Library::TargetKind::ExportWindow);
    game->SetSeed(5);
    game->SetProjectPath(project);
    game->SetCancelFlag(cancelled);
    game->CreateSizedObjects();
    game->Prepare();
    return game;
}

// A derived class before its base: the first kind that matches names the animation.
template <typename... Effects>
std::string ClassOf(PhotoAnimation* animation)
{
    std::string name = "other";
    ((animation->As<Effects>() != nullptr ? (name = Effects::TypeName(), true) : false) || ...);
    return name;
}

// The effect's class name less its "Photo" ending.
std::string EffectOf(PhotoAnimation* animation)
{
    std::string name = ClassOf<TintPhoto, ColorVerticalSwipePhoto, PixelCheckeredPhoto, PixelRevealTurningDiamondPhoto,
        NullPhoto, ExpandingCirclePhoto2, PixelAlphaStripePhoto, PrismPhoto, TilePhoto, FourInOnePhoto>(animation);
    const auto photo = name.find("Photo");
    return photo == std::string::npos ? name : name.erase(photo, 5);
}

struct ShowCase {
    const char* name;
    unsigned duration;
    std::vector<std::pair<int, int>> photoSizes;
    std::size_t creditedPhotos;
    bool photosGone; // the photo files vanish after the project was written
    float showLength;
    float timelineEnd;
    std::vector<std::pair<std::string, float>> timeline; // effect and start time, in timeline order
    std::vector<std::pair<int, int>> collages;        // script and photo count
};

class ShowAssemblyTest : public testing::TestWithParam<ShowCase> {};

TEST_P(ShowAssemblyTest, LaysTheSlotsOut)
{
    const auto& c = GetParam();
    ShowFolder folder;
    std::vector<std::filesystem::path> photos;
    for (const auto& [w, h] : c.photoSizes) {
        photos.push_back(folder.AddPhoto("p" + std::to_string(photos.size()) + ".png", w, h));
    }
    auto project = ShowFolder::MakeProject(photos, c.duration);
    for (std::size_t i = 0; i < c.creditedPhotos; ++i) {
        project.SetEndCreditInfo({FromPath(photos[i]), u"Sans", u"Thanks", false});
    }
    const auto projectFile = folder.Save(project);
    for (const auto& photo : photos) {
        if (c.photosGone) {
            std::filesystem::remove(photo);
        }
    }
    const auto game = PrepareShow(projectFile);

    EXPECT_FLOAT_EQ(game->ShowLength(), c.showLength);
    EXPECT_FLOAT_EQ(game->TimelineEnd(), c.timelineEnd);
    std::vector<std::pair<std::string, float>> placed;
    for (const auto& entry : game->Timeline()) {
        placed.emplace_back(EffectOf(entry.animation), entry.startTime);
    }
    EXPECT_EQ(placed, c.timeline);
    if (!game->Timeline().empty()) {
        EXPECT_EQ(game->Timeline().front().photoIndex, 0);
    }
    std::vector<std::pair<int, int>> collages; // script and its photos, collage by collage
    for (const auto& photo : game->Collages()) {
        if (collages.empty() || collages.back().first != photo->Script()) {
            collages.emplace_back(photo->Script(), 0);
        }
        ++collages.back().second;
    }
    EXPECT_EQ(collages, c.collages);
}

const std::vector<std::pair<int, int>> FourAlike = {{64, 48}, {64, 48}, {64, 48}, {64, 48}};

INSTANTIATE_TEST_SUITE_P(Projects, ShowAssemblyTest,
    testing::Values(
        ShowCase{"Plain30", 30, FourAlike, 0, false, 29, 24,
            {{"Tint", 2}, {"PixelCheckered", 8}, {"PixelRevealTurningDiamond", 15}, {"Prism", 21}},
            {{340, 8}}},
        ShowCase{"ShortDurationCountsAsTwenty", 10, FourAlike, 0, false, 19, 14, {{"Tint", 3}, {"PixelCheckered", 10}}, {{340, 8}}},
        ShowCase{"TwoCredits", 30, FourAlike, 2, false, 23, 18,
            {{"Tint", 2}, {"PixelCheckered", 8}, {"PixelRevealTurningDiamond", 15}},
            {{341, 2}, {340, 8}}},
        ShowCase{"FourCredits", 30, FourAlike, 4, false, 29, 24,
            {{"Tint", 2}, {"PixelCheckered", 8}, {"PixelRevealTurningDiamond", 15}, {"Prism", 21}},
            {{341, 3}, {340, 8}}},
        ShowCase{"AllSizesDiffer", 30, {{64, 48}, {48, 64}, {64, 40}, {64, 32}}, 0, false, 29, 24,
            {{"Tint", 2}, {"Tint", 8}, {"Tint", 14}, {"Tint", 20}}, {{340, 8}}},
        ShowCase{"AllPhotosMissing", 30, FourAlike, 0, true, 29, 24, {}, {}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(ShowAssembly, PhotosOfDifferentSizesAreEachShownInTurn)
{
    ShowFolder folder;
    std::vector<std::filesystem::path> photos;
    for (const auto& [w, h] : std::vector<std::pair<int, int>>{{64, 48}, {48, 64}, {64, 40}, {64, 32}}) {
        photos.push_back(folder.AddPhoto(std::to_string(w) + "x" + std::to_string(h) + ".png", w, h));
    }
    const auto game = PrepareShow(folder.Save(ShowFolder::MakeProject(photos, 30)));
    ASSERT_EQ(game->Timeline().size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(game->Timeline()[i].photoPaths, std::vector<std::filesystem::path>{photos[i]});
    }
    // Portrait photos never use the corner motion; the Tint slot's photo index is always 0.
    EXPECT_EQ(game->Timeline()[1].motion, MotionStyle::Side);
    EXPECT_TRUE(game->Timeline()[1].leftToRight);
    EXPECT_EQ(game->Timeline()[0].motion, MotionStyle::Drop);
}

TEST(ShowAssembly, MissingPhotosAreDroppedAndUndecodableOnesKeepTheirPlace)
{
    ShowFolder folder;
    const auto good = folder.AddPhoto("good.png", 64, 48);
    const auto broken = folder.Folder() / "broken.png";
    std::ofstream(broken) << "not a picture";
    const auto gone = folder.AddPhoto("gone.png", 64, 48);
    const auto project = folder.Save(ShowFolder::MakeProject({good, broken, gone}, 30));
    std::filesystem::remove(gone);

    const auto game = PrepareShow(project);
    ASSERT_EQ(game->LoadedPhotos().size(), 2u);
    EXPECT_TRUE(game->LoadedPhotos()[0]->View);
    EXPECT_FALSE(game->LoadedPhotos()[1]->View);
    EXPECT_EQ(game->LoadedPhotos()[1]->Width, 0u);
}

bool HasWarningWith(const RenderingGame& game, const std::string& fragment)
{
    const auto& warnings = game.Warnings();
    return std::any_of(warnings.begin(), warnings.end(),
        [&fragment](const std::string& warning) { return warning.find(fragment) != std::string::npos; });
}

TEST(ShowWarnings, EveryProblemWorkedAroundIsNamed)
{
    ShowFolder folder;
    const auto good = folder.AddPhoto("good.png", 64, 48);
    const auto empty = folder.Folder() / "empty.png";
    std::ofstream{empty};
    const auto gone = folder.AddPhoto("gone.png", 64, 48);
    const auto other = folder.AddPhoto("other.png", 64, 48);
    const auto background = folder.Folder() / "background.jpg";
    std::ofstream(background) << "not a picture";
    auto project = ShowFolder::MakeProject({good, empty, gone}, 30);
    project.m_OrigBackgroundImage = FromPath(background);
    project.SetEndCreditInfo({FromPath(other), u"Sans", u"Thanks", false});
    project.m_CirclesInfo = {{{{0.5f, 0.5f}}, FromPath(other)}, {{{0.2f, 0.2f}}, FromPath(gone)}};
    const auto file = folder.Save(project);
    std::filesystem::remove(gone);

    const auto game = PrepareShow(file);
    EXPECT_EQ(game->Warnings().size(), 5u) << testing::PrintToString(game->Warnings());
    for (const std::string& fragment : {"\"" + gone.string() + "\" not found",
             "\"" + empty.string() + "\" cannot be decoded", "background picture \"" + background.string(),
             "end credit of \"" + other.string(), "circle centres of \"" + other.string()}) {
        EXPECT_TRUE(HasWarningWith(*game, fragment)) << fragment << " in " << testing::PrintToString(game->Warnings());
    }
}

TEST(ShowWarnings, AShowWithoutAnyOfItsPhotosSaysSo)
{
    ShowFolder folder;
    const auto a = folder.AddPhoto("a.png", 64, 48);
    const auto b = folder.AddPhoto("b.png", 64, 48);
    const auto file = folder.Save(ShowFolder::MakeProject({a, b}, 30));
    std::filesystem::remove(a);
    std::filesystem::remove(b);
    const auto game = PrepareShow(file);
    EXPECT_TRUE(game->Timeline().empty());
    EXPECT_TRUE(HasWarningWith(*game, "none of the project's 2 photos was found"));
    EXPECT_TRUE(PrepareShow(folder.Folder() / "none.txt")->Warnings().size() == 1u);
}

TEST(ShowAssembly, RaisedCancelFlagStopsThePreparation)
{
    ShowFolder folder;
    const auto file = folder.Save(ShowFolder::MakeProject({folder.AddPhoto("a.png", 64, 48)}, 3600));
    const std::atomic<bool> cancelled{true};
    EXPECT_THROW(PrepareShow(file, &cancelled), PrepareCancelled);
}

TEST(ShowAssembly, UnreadableProjectGivesAnEmptyShow)
{
    ShowFolder folder;
    const auto game = PrepareShow(folder.Folder() / "no-project.txt");
    EXPECT_TRUE(game->Timeline().empty());
    EXPECT_FLOAT_EQ(game->ShowLength(), 29.0f);
    // The two cameras, the background, and the overlays of the default settings: both ribbons,
    // the band and "The End".
    EXPECT_EQ(game->Components().size(), 7u);
}

// One pixel of the captured frame (bottom-up B, G, R, 255), counted from the top-left.
std::array<std::uint8_t, 4> PixelAt(const RenderingGame& game, std::uint32_t x, std::uint32_t y)
{
    const auto frame = game.CapturedFrame();
    const std::size_t offset = ((Height - 1 - y) * Width + x) * 4;
    return {frame[offset], frame[offset + 1], frame[offset + 2], frame[offset + 3]};
}

bool IsBlack(const std::array<std::uint8_t, 4>& pixel)
{
    return pixel == std::array<std::uint8_t, 4>{0, 0, 0, 255};
}

// Draws show time t directly, as a seek does, and captures it.
void CaptureAt(RenderingGame& game, double t)
{
    const Library::FrameTime frameTime{t, t, 0.0, false};
    game.AdvanceAll(frameTime);
    game.RenderFrame(frameTime);
    bool lastFrame = false;
    game.CaptureFrame(lastFrame);
}

TEST(Background, DrawsUntilTheEndOfThePhotoPart)
{
    ShowFolder folder;
    const auto game = PrepareShow(folder.Save(ShowFolder::MakeProject({}, 30)));
    ASSERT_FLOAT_EQ(game->ShowLength(), 29.0f);
    ASSERT_EQ(game->GetBackground()->Picture().Width, 2048u) << "the built-in picture";
    CaptureAt(*game, 0.1);
    EXPECT_FALSE(IsBlack(PixelAt(*game, 2, 2)));
    CaptureAt(*game, 29.05);
    EXPECT_FALSE(IsBlack(PixelAt(*game, 2, 2)));
    CaptureAt(*game, 29.2);
    EXPECT_TRUE(IsBlack(PixelAt(*game, 2, 2)));
}

TEST(Background, WithoutAProjectNothingIsDrawn)
{
    ShowFolder folder;
    const auto game = PrepareShow(folder.Folder() / "no-project.txt");
    CaptureAt(*game, 1.0);
    EXPECT_TRUE(IsBlack(PixelAt(*game, Width / 2, Height / 2)));
    EXPECT_TRUE(IsBlack(PixelAt(*game, 2, 2)));
}

std::vector<std::uint8_t> CaptureNextFrame(RenderingGame& game)
{
    game.RunFrame();
    bool lastFrame = false;
    game.CaptureFrame(lastFrame);
    const auto frame = game.CapturedFrame();
    return {frame.begin(), frame.end()};
}

// Leaves magenta and the nearest depth in the target, as if something had been drawn over all of it.
void LeaveStaleContent(RenderingGame& game)
{
    game.Context().ClearRenderTargetView(game.ColorView(), {1.0f, 0.0f, 1.0f, 1.0f});
    game.Context().ClearDepthStencilView(game.DepthView(), Library::ClearDepth | Library::ClearStencil, 0.0f, 0);
}

class BackgroundOverwriteTest : public testing::TestWithParam<bool> {
protected:
    std::unique_ptr<RenderingGame> PrepareRunning(const std::filesystem::path& project, int frames)
    {
        auto game = PrepareShow(project);
        game->Clock().fixedStep = 1.0 / 30.0;
        game->SetCaptureLimit(30, 30);
        for (int frame = 0; frame < frames; ++frame) {
            game->RunFrame();
        }
        return game;
    }
};

// A background that covers the whole target stands in for the clears, whether it drifts and is drawn
// anew or stands still and is put back as drawn before: whatever was left in the target, colour or
// depth, it overwrites every sample, and the photo is drawn over it as usual.
TEST_P(BackgroundOverwriteTest, CoveringTheTargetOverwritesWhateverWasLeftThere)
{
    ShowFolder folder;
    auto project = ShowFolder::MakeProject({folder.AddPhoto("p.png", 64, 48, Qt::red)}, 30);
    project.m_BackgroundMoving = GetParam();
    const auto path = folder.Save(project);
    const auto clean = PrepareRunning(path, 75);
    const auto stale = PrepareRunning(path, 75);
    ASSERT_TRUE(stale->GetBackground()->OverwritesTarget(stale->GetFrameTime()));
    LeaveStaleContent(*stale);
    EXPECT_EQ(CaptureNextFrame(*stale), CaptureNextFrame(*clean));
    EXPECT_FALSE(IsBlack(PixelAt(*stale, Width / 2, Height / 2)));
}

// A background smaller than the target leaves black surroundings: a drifting one gets the clears,
// a still one, once drawn twice, puts back the cleared target it was drawn on.
TEST_P(BackgroundOverwriteTest, NotCoveringTheTargetKeepsItsSurroundingsBlack)
{
    ShowFolder folder;
    auto project = ShowFolder::MakeProject({}, 30);
    project.m_BackgroundSize = 40;
    project.m_BackgroundMoving = GetParam();
    const auto game = PrepareRunning(folder.Save(project), 3);
    EXPECT_EQ(game->GetBackground()->OverwritesTarget(game->GetFrameTime()), !GetParam());
    LeaveStaleContent(*game);
    CaptureNextFrame(*game);
    EXPECT_TRUE(IsBlack(PixelAt(*game, 1, 1)));
    EXPECT_FALSE(IsBlack(PixelAt(*game, Width / 2, Height / 2)));
}

INSTANTIATE_TEST_SUITE_P(Moving, BackgroundOverwriteTest, testing::Bool(),
    [](const testing::TestParamInfo<bool>& param) { return param.param ? "Drifting" : "Still"; });

class FrameLoopTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::vector<std::filesystem::path> photos;
        for (int i = 0; i < 4; ++i) {
            photos.push_back(mFolder.AddPhoto("p" + std::to_string(i) + ".png", 64, 48, Qt::red));
        }
        mGame = PrepareShow(mFolder.Save(ShowFolder::MakeProject(photos, 30)));
        ASSERT_GE(mGame->Timeline().size(), 2u);
    }

    void RenderAt(double t) { mGame->RenderFrame(Library::FrameTime{t, t, 0.0, false}); }

    const TimelineEntry& Slot(std::size_t i) const { return mGame->Timeline()[i]; }

    ShowFolder mFolder;
    std::unique_ptr<RenderingGame> mGame;
};

TEST_F(FrameLoopTest, SlotStaysCurrentAtItsEndAndIsHiddenInTheGap)
{
    RenderAt(Slot(0).endTime);
    EXPECT_EQ(mGame->CurrentAnimation(), Slot(0).animation);
    EXPECT_TRUE(Slot(0).animation->IsShown());
    EXPECT_EQ(mGame->ShownPhotoIndex(), 0);

    RenderAt(Slot(0).endTime + 0.5);
    EXPECT_EQ(mGame->CurrentAnimation(), nullptr);
    EXPECT_FALSE(Slot(0).animation->IsShown());
    EXPECT_EQ(mGame->ShownPhotoIndex(), -1);
}

TEST_F(FrameLoopTest, SeekingBackShowsTheEarlierSlotAnew)
{
    RenderAt(Slot(1).startTime + 1.0);
    EXPECT_EQ(mGame->CurrentAnimation(), Slot(1).animation);
    Slot(0).animation->SetPhaseTimes(9.0f, 9.0f, 9.0f);

    RenderAt(Slot(0).startTime + 0.5);
    EXPECT_EQ(mGame->CurrentAnimation(), Slot(0).animation);
    EXPECT_TRUE(Slot(0).animation->IsShown());
    EXPECT_FALSE(Slot(1).animation->IsShown());
    EXPECT_FLOAT_EQ(Slot(0).animation->GetTotalTime(), 4.0f);
}

TEST_F(FrameLoopTest, RenderedFrameShowsBackgroundAndThePhotoWhereTheTimelineSays)
{
    mGame->Clock().fixedStep = 1.0 / 30.0;
    mGame->SetCaptureLimit(30, 30);
    bool lastFrame = true;
    // 4.5 s: the first slot rests with its tint wiped off.
    for (int frame = 0; frame < 135; ++frame) {
        mGame->RunFrame();
    }
    mGame->CaptureFrame(lastFrame);
    EXPECT_FALSE(lastFrame);
    EXPECT_EQ(mGame->FramesCaptured(), 1);

    const auto photo = PixelAt(*mGame, Width / 2, Height / 2);
    EXPECT_LE(photo[0], 8);
    EXPECT_LE(photo[1], 8);
    EXPECT_GE(photo[2], 247);
    EXPECT_EQ(photo[3], 255);

    const auto corner = PixelAt(*mGame, 2, 2);
    EXPECT_GT(corner[0] + corner[1] + corner[2], 0) << "the background is drawn";
    EXPECT_LT(corner[2], 200) << "no photo in the corner";

    // 7 s lies in the gap after the first slot: only the background.
    for (int frame = 0; frame < 75; ++frame) {
        mGame->RunFrame();
    }
    mGame->CaptureFrame(lastFrame);
    EXPECT_EQ(mGame->ShownPhotoIndex(), -1);
    EXPECT_LT(PixelAt(*mGame, Width / 2, Height / 2)[2], 200);
}

} // namespace
} // namespace Rendering::Testing

namespace Rendering::Testing {
namespace {

// A photo that does not decode keeps its slot but shows nothing: no photo and no frame around it.
TEST(ShowDrawing, UndecodablePhotoDrawsNothing)
{
    ShowFolder folder;
    const auto empty = folder.Folder() / "empty.png";
    std::ofstream{empty};
    const auto game = PrepareShow(folder.Save(ShowFolder::MakeProject({empty}, 30)));
    ASSERT_FALSE(game->Timeline().empty());
    const auto& slot = game->Timeline().front();
    CaptureAt(*game, slot.endTime + 0.5);
    const std::vector<std::uint8_t> backgroundOnly(game->CapturedFrame().begin(), game->CapturedFrame().end());
    for (const double t : {slot.startTime + 0.5, slot.startTime + 2.5, slot.endTime - 0.5}) {
        CaptureAt(*game, t);
        EXPECT_TRUE(std::equal(backgroundOnly.begin(), backgroundOnly.end(), game->CapturedFrame().begin())) << t;
    }
}

} // namespace
} // namespace Rendering::Testing

namespace Rendering::Testing {
namespace {

std::vector<std::string> EffectsOf(const RenderingGame& game)
{
    std::vector<std::string> effects;
    for (const auto& entry : game.Timeline()) {
        effects.push_back(EffectOf(entry.animation));
    }
    return effects;
}

// A dozen photos of one size, three portraits and two circle records: the first round of attempts
// makes every kind once, in factory order, each slot right after the previous one.
TEST(ShowFactory, LongShowUsesEveryEffectInFactoryOrder)
{
    ShowFolder folder;
    auto photos = folder.AddPhotos("wide", 12, 64, 48);
    const auto portraits = folder.AddPhotos("tall", 3, 48, 64);
    photos.insert(photos.end(), portraits.begin(), portraits.end());
    auto project = ShowFolder::MakeProject(photos, 600);
    project.m_CirclesInfo = {{{{0.3f, 0.2f}, {0.6f, 0.5f}}, FromPath(photos[13])}, {{{0.5f, 0.5f}}, FromPath(photos[4])}};
    const auto game = PrepareShow(folder.Save(project));

    const std::vector<std::string> round = {"Tint", "PixelCheckered", "PixelRevealTurningDiamond", "Prism", "Prism",
        "Null", "ExpandingCircle2", "FourInOne", "ColorVerticalSwipe", "Tile", "PixelAlphaStripe"};
    const std::vector<std::size_t> photoCounts = {1, 2, 2, 3, 3, 1, 1, 6, 2, 2, 2};
    const std::vector<float> holds = {1, 2, 1, 1, 2, 1, 1, 2, 2, 1, 2};
    const auto& timeline = game->Timeline();
    ASSERT_GT(timeline.size(), round.size());
    const float gap = 4.0f / 118.0f + 1.0f; // G 594, H 118
    float start = gap;
    for (std::size_t k = 0; k < round.size(); ++k) {
        const auto& slot = timeline[k];
        EXPECT_EQ(EffectOf(slot.animation), round[k]) << k;
        EXPECT_NEAR(slot.startTime, start, 1e-3f) << k;
        EXPECT_FLOAT_EQ(slot.holdTime, holds[k]) << k;
        EXPECT_EQ(slot.photoPaths.size(), photoCounts[k]) << k;
        start += holds[k] + 3.0f + gap;
    }
    // Multi-photo slots combine photos of one size only.
    for (const auto& slot : timeline) {
        const auto tall = [](const std::filesystem::path& p) { return p.filename().string().starts_with("tall"); };
        EXPECT_TRUE(std::all_of(slot.photoPaths.begin(), slot.photoPaths.end(), tall) ||
            std::none_of(slot.photoPaths.begin(), slot.photoPaths.end(), tall));
    }
    // The circle slots show their records' photos, in record order, and nothing uses a third one.
    std::vector<std::filesystem::path> circlePhotos;
    for (const auto& slot : timeline) {
        if (auto* circle = slot.animation->As<ExpandingCirclePhoto2>()) {
            circlePhotos.push_back(slot.photoPaths.front());
            if (circlePhotos.size() == 1) {
                EXPECT_FLOAT_EQ(circle->CircleParams().x1, 0.6f);
                EXPECT_FLOAT_EQ(circle->CircleParams().y0, 0.2f);
            }
        }
    }
    EXPECT_EQ(circlePhotos, (std::vector<std::filesystem::path>{photos[13], photos[4]}));
    // Drawn in the show, every effect rests on its last photo; the empty slot's collage fills it.
    for (std::size_t k = 0; k < round.size(); ++k) {
        const auto& slot = timeline[k];
        CaptureAt(*game, slot.startTime + 1.5 + slot.holdTime);
        const auto centre = PixelAt(*game, Width / 2, Height / 2);
        const bool photo = std::abs(centre[2] - 160) <= 10 && std::abs(centre[1] - 160) <= 10;
        EXPECT_TRUE(photo) << round[k] << ": " << int(centre[2]) << "," << int(centre[1]);
    }
    // The empty slot's collage starts with it.
    const auto null = std::find_if(timeline.begin(), timeline.end(),
        [](const TimelineEntry& e) { return e.animation->As<NullPhoto>() != nullptr; });
    ASSERT_NE(null, timeline.end());
    const auto& collages = game->Collages();
    EXPECT_TRUE(std::any_of(collages.begin(), collages.end(),
        [&](const auto& photo) { return photo->Script() == 342 && photo->StartTime() == null->startTime; }));
}

// All photos of different sizes: only Tint and expanding-circle slots. A circle record whose photo
// is not in the show is used up without a slot; the next record still gets its own.
TEST(ShowFactory, DifferentSizesGiveTintAndCircleSlotsOnly)
{
    ShowFolder folder;
    std::vector<std::filesystem::path> photos;
    for (const auto& [w, h] : std::vector<std::pair<int, int>>{{64, 48}, {48, 64}, {64, 40}, {64, 32}}) {
        photos.push_back(folder.AddPhoto(std::to_string(w) + "x" + std::to_string(h) + ".png", w, h));
    }
    auto project = ShowFolder::MakeProject(photos, 120);
    project.m_CirclesInfo = {{{{0.5f, 0.5f}}, FromPath(folder.Folder() / "elsewhere.png")}, {{{0.4f, 0.4f}}, FromPath(photos[2])}};
    const auto game = PrepareShow(folder.Save(project));
    const auto effects = EffectsOf(*game);
    ASSERT_GE(effects.size(), 4u);
    EXPECT_EQ(effects[0], "Tint");
    EXPECT_EQ(game->Timeline()[0].photoIndex, 0);
    // Attempts 0 and 11 are Tint; attempt 6 finds no photo for the first record; attempt 17 uses
    // the second.
    EXPECT_EQ(effects[1], "Tint");
    EXPECT_EQ(effects[2], "ExpandingCircle2");
    EXPECT_EQ(game->Timeline()[2].photoPaths, std::vector<std::filesystem::path>{photos[2]});
    EXPECT_EQ(std::count(effects.begin(), effects.end(), "ExpandingCircle2"), 1);
    EXPECT_EQ(std::count(effects.begin(), effects.end(), "Tint"), static_cast<long>(effects.size()) - 1);
}

// Four photos of one size, never six: the four-in-one attempt makes nothing yet moves the picker on
// by three, as does the circle attempt without a record, so the swipe starts at photo 16 mod 4 = 0.
TEST(ShowFactory, AttemptsWithoutTransitionStillTakeThreePhotos)
{
    ShowFolder folder;
    std::vector<std::filesystem::path> photos;
    for (int i = 0; i < 4; ++i) {
        photos.push_back(folder.AddPhoto("p" + std::to_string(i) + ".png", 64, 48));
    }
    const auto game = PrepareShow(folder.Save(ShowFolder::MakeProject(photos, 60)));
    auto effects = EffectsOf(*game);
    ASSERT_GE(effects.size(), 7u);
    effects.resize(7);
    EXPECT_EQ(effects, (std::vector<std::string>{"Tint", "PixelCheckered", "PixelRevealTurningDiamond", "Prism",
                           "Prism", "Null", "ColorVerticalSwipe"}));
    EXPECT_EQ(game->Timeline()[6].photoPaths, (std::vector<std::filesystem::path>{photos[0], photos[1]}));
    EXPECT_EQ(game->Timeline()[3].photoPaths, (std::vector<std::filesystem::path>{photos[0], photos[1], photos[2]}));
}

} // namespace
} // namespace Rendering::Testing
