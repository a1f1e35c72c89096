#include "show/RenderingGame.h"

#include "app/services/DataFolder.h"
#include "app/services/NumericLocale.h"
#include "framework/GameException.h"
#include "framework/GpuHelpers.h"
#include "project/AnimationScript.h"
#include "project/Paths.h"
#include "show/CollageLayout.h"
#include "show/CollagePreparation.h"
#include "show/CreditTextRenderer.h"
#include "show/FrameCapture.h"
#include "show/PhotoLoading.h"
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

#include <pellora_resources.h>

#include <QImage>

#include <algorithm>
#include <map>

namespace Rendering {

namespace {

constexpr float NearPlane = 0.01f;
constexpr float FarPlane = 1000.0f;
constexpr float FieldOfView = 45.0f; // radians, as every size of the show is laid out for it
constexpr float CameraDistance = 2.0f;
constexpr std::uint32_t BuiltInBackgroundWidth = 2048;
constexpr std::uint32_t BuiltInBackgroundHeight = 1365;
constexpr unsigned FactoryKinds = 11;
constexpr float PhaseSeconds = 1.0f;   // enter and rest of every slot
constexpr float SlotOverhead = 3.0f;   // enter + rest + leave around the hold
constexpr float LastStartMargin = 2.0f;
constexpr float FinalCollageLead = 4.5f;
constexpr int FinalCollageScript = 340;
constexpr int CreditCollageScript = 341;
constexpr int MidShowCollageScript = 342;
constexpr float MidShowCollageRoom = 3.6f; // seconds the timeline must still run after its start
constexpr float CircleStartGreyness = 1.0f;
constexpr float TheEndLead = 2.4f;       // seconds "The End" shows before the photo part ends
constexpr std::array<float, 4> ClearColor = {0.0f, 0.0f, 0.0f, 1.0f};

std::uint32_t TextureSizeChoice(const std::u16string& text)
{
    static const std::map<std::u16string, std::uint32_t> choices = {
        {u"512 x 512", 512}, {u"1024 x 1024", 1024}, {u"2048 x 2048", 2048}};
    const auto found = choices.find(text);
    return found == choices.end() ? 0 : found->second; // 0: each photo chooses its own size
}

std::size_t ScriptEntryCount(int script)
{
    const auto entries = LoadScript(script);
    return entries ? entries->size() : 0;
}

ExpandingCirclePhoto2::CCircleBufferPerObject CircleCentres(const CirclesInfo& record)
{
    ExpandingCirclePhoto2::CCircleBufferPerObject centres;
    if (!record.Points.empty()) {
        centres.x0 = record.Points[0].X;
        centres.y0 = record.Points[0].Y;
    }
    if (record.Points.size() > 1) {
        centres.x1 = record.Points[1].X;
        centres.y1 = record.Points[1].Y;
    }
    return centres;
}

} // namespace

RenderingGame::RenderingGame(SizeProvider sizeProvider, Library::TargetKind targetKind)
    : Game(std::move(sizeProvider), targetKind), mProjectPath(DefaultProjectPath())
{
    SetNumericLocale();
}

std::filesystem::path RenderingGame::DefaultProjectPath()
{
    const auto path = JoinPath(GetDataFolder(), u"project.txt");
    return path ? ToPath(*path) : std::filesystem::path("project.txt");
}

void RenderingGame::SetProject(ProjectSettings project)
{
    mProject = std::move(project);
    mProjectGiven = true;
}

void RenderingGame::Prepare()
{
    mWarnings.clear();
    MakeCurrent();
    PhotoAnimation::CreateSharedGeometry(*this);
    PhotoAnimation::CreateSharedShaders(*this);
    CreateCameras();
    mBackground = std::make_shared<Background>(*this, mPerspectiveCamera, ScreenWidth(), ScreenHeight(), mBackgroundScale);
    Components().push_back(mBackground);
    ReadProject();
    ThrowIfCancelled();
    SelectPhotoFrame();
    const auto endCredits = EndCreditPhotos();
    mShowLength = ComputeShowLength(mProject.m_Duration, endCredits.size());
    ScheduleCollages();
    mBackground->SetEndTime(mShowLength);
    BuildTimeline();
    CreateOverlays(endCredits);
    Clock().Restart();
    for (const auto& component : Components()) {
        ThrowIfCancelled();
        component->SetUp();
    }
    mPerspectiveCamera->SetPosition(0.0f, 0.0f, CameraDistance);
    mOrthoCamera->SetPosition(0.0f, 0.0f, CameraDistance);
}

void RenderingGame::ThrowIfCancelled() const
{
    if (mCancelled != nullptr && mCancelled->load()) {
        throw PrepareCancelled();
    }
}

void RenderingGame::Warn(std::string text)
{
    mWarnings.push_back(std::move(text));
}

void RenderingGame::CreateCameras()
{
    const auto width = static_cast<float>(std::max(ScreenWidth(), 1u));
    const auto height = static_cast<float>(std::max(ScreenHeight(), 1u));
    mOrthoViewWidth = 2.0f;
    mOrthoViewHeight = 2.0f * height / width;
    mPerspectiveCamera = std::make_shared<Library::PerspectiveCamera>(*this, NearPlane, FarPlane, FieldOfView, width / height);
    Components().push_back(mPerspectiveCamera);
    mOrthoCamera =
        std::make_shared<Library::OrthographicCamera>(*this, NearPlane, FarPlane, mOrthoViewWidth, mOrthoViewHeight);
    Components().push_back(mOrthoCamera);
}

void RenderingGame::ReadProject()
{
    if (!mProjectGiven) {
        const auto result = mProject.TryLoad(FromPath(mProjectPath));
        if (result != ProjectLoadResult::Loaded) {
            mProject = ProjectSettings();
            Warn("cannot read project file \"" + mProjectPath.string() + "\": " + DescribeLoadResult(result) +
                "; the show has no photos");
            return;
        }
    }
    ApplyProject();
}

void RenderingGame::ApplyProject()
{
    mBackgroundScale = static_cast<float>(mProject.m_BackgroundSize) / 100.0f;
    mBackground->SetScale(mBackgroundScale);
    if (!mProject.m_OrigBackgroundImage.empty()) {
        const auto picture = ToPath(mProject.m_OrigBackgroundImage);
        mBackground->LoadPicture(picture, static_cast<std::uint32_t>(std::max(mProject.m_BackgroundWidth, 0)),
            static_cast<std::uint32_t>(std::max(mProject.m_BackgroundHeight, 0)));
        if (!mBackground->Picture().View) {
            Warn("background picture \"" + picture.string() + "\" cannot be read; the background is black");
        }
    } else {
        const auto builtIn = JoinPath(GetDataFolder(), u"BlackWood.jpg");
        mBackground->LoadPicture(
            ToPath(builtIn.value_or(u"BlackWood.jpg")), BuiltInBackgroundWidth, BuiltInBackgroundHeight);
    }
    mBackground->SetMoving(mProject.m_BackgroundMoving);
    LoadPhotos();
    WarnAboutPhotoExtras();
}

// Decoding runs on worker threads; textures are made here, on the game's thread, which owns the
// OpenGL context. A photo that exists but does not decode keeps its place with an empty texture.
void RenderingGame::LoadPhotos()
{
    mLoadedPhotos.clear();
    mLoadedPaths.clear();
    for (const auto& path : mProject.m_MissingImages) {
        Warn("photo \"" + ToPath(path).string() + "\" not found; it is left out");
    }
    for (const auto& path : mProject.m_OrigImages) {
        if (IsExistingFile(path)) {
            mLoadedPaths.push_back(ToPath(path));
        } else {
            Warn("photo \"" + ToPath(path).string() + "\" not found; it is left out");
        }
    }
    const std::size_t listed = mProject.m_OrigImages.size() + mProject.m_MissingImages.size();
    if (listed > 0 && mLoadedPaths.empty()) {
        Warn("none of the project's " + std::to_string(listed) + " photos was found; the show has no photos");
    }
    const auto pictures = DecodePictures(mLoadedPaths, TextureSizeChoice(mProject.m_TextureSize), mCancelled);
    ThrowIfCancelled();
    std::vector<PhotoSize> sizes;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        auto texture = std::make_shared<Library::TextureRes>();
        texture->Upload(Device(), pictures[i]);
        if (!texture->View) {
            Warn("photo \"" + mLoadedPaths[i].string() + "\" cannot be decoded; it shows nothing");
        }
        sizes.emplace_back(texture->Width, texture->Height);
        mLoadedPhotos.push_back(std::move(texture));
    }
    mPicker.Reset(sizes);
}

// End credits and circle centres belong to a photo by its path; one whose photo is not in the show
// is never drawn.
void RenderingGame::WarnAboutPhotoExtras()
{
    const auto& photos = mProject.m_OrigImages;
    const auto& missing = mProject.m_MissingImages;
    const auto listed = [&](const std::u16string& path) {
        return std::find(photos.begin(), photos.end(), path) != photos.end() ||
               std::find(missing.begin(), missing.end(), path) != missing.end();
    };
    for (const auto& [path, credit] : mProject.m_EndCreditInfo) {
        if (!credit.FontName.empty() && !listed(path)) {
            Warn("end credit of \"" + ToPath(path).string() + "\" is not shown: that photo is not in the show");
        }
    }
    for (const auto& circles : mProject.m_CirclesInfo) {
        if (!circles.Points.empty() && !listed(circles.ImagePath)) {
            Warn("circle centres of \"" + ToPath(circles.ImagePath).string() +
                "\" are not used: that photo is not in the show");
        }
    }
}

void RenderingGame::SelectPhotoFrame()
{
    switch (static_cast<PhotoFrameStyle>(mProject.m_PhotoFrame)) {
    case PhotoFrameStyle::White:
        mFrameWhite.LoadFromMemory(Device(), Pellora::Resources::Find("329"));
        PhotoAnimation::SetFrameTexture(*this, mFrameWhite);
        PhotoAnimation::SetFramesEnabled(*this, true);
        break;
    case PhotoFrameStyle::WhiteNoShadow:
        mFrameWhiteNoShadow.LoadFromMemory(Device(), Pellora::Resources::Find("328"));
        PhotoAnimation::SetFrameTexture(*this, mFrameWhiteNoShadow);
        PhotoAnimation::SetFramesEnabled(*this, true);
        break;
    default:
        PhotoAnimation::SetFramesEnabled(*this, false);
        break;
    }
}

std::vector<std::size_t> RenderingGame::EndCreditPhotos() const
{
    std::vector<std::size_t> positions;
    mProject.GetEndCreditIndexes(positions);
    return positions;
}

// The credit collage shows the credited photos by their paths, whether or not they are in the photo
// list; the final and the mid-show collages share the canvases of the photo list.
void RenderingGame::ScheduleCollages()
{
    mCollages.clear();
    mCollageTextures.clear();
    if (!mProject.m_EndCreditInfo.empty()) {
        std::vector<std::filesystem::path> credited;
        for (const auto& entry : mProject.m_EndCreditInfo) {
            credited.push_back(ToPath(entry.first));
        }
        const auto photos = PrepareCollage(credited, ScriptEntryCount(CreditCollageScript));
        AddComponents(BuildCollage(CreditCollageScript, photos, mShowLength, mCollageTimeScale, true));
    }
    std::vector<std::filesystem::path> listed;
    for (const auto& path : mProject.m_OrigImages) {
        listed.push_back(ToPath(path));
    }
    const auto shown = std::max(ScriptEntryCount(FinalCollageScript), ScriptEntryCount(MidShowCollageScript));
    mCollagePhotos = PrepareCollage(listed, shown);
    AddComponents(BuildCollage(
        FinalCollageScript, mCollagePhotos, mShowLength - FinalCollageLead, mCollageTimeScale, false));
}

// Only the canvases a collage shows are made; each goes to the GPU at once and its bitmap is let go,
// so a large project never holds more than a collage's worth of canvases in memory.
std::vector<PreparedPhoto> RenderingGame::PrepareCollage(
    const std::vector<std::filesystem::path>& paths, std::size_t wanted)
{
    auto photos = PrepareCollagePhotos(paths, wanted);
    for (auto& photo : photos) {
        auto texture = std::make_shared<Library::TextureRes>();
        texture->CreateFromImage(Device(), photo.bitmap, photo.path);
        mCollageTextures.push_back(std::move(texture));
        photo.bitmap = QImage();
    }
    ThrowIfCancelled();
    return photos;
}

std::vector<std::shared_ptr<BlurPhoto>> RenderingGame::BuildCollage(int script,
    const std::vector<PreparedPhoto>& photos, float collageStart, float timeScale, bool onePerPhoto)
{
    std::vector<std::shared_ptr<BlurPhoto>> built;
    auto entries = LoadScript(script);
    if (!entries || mCollageTextures.empty()) {
        return built;
    }
    const auto order = CollagePhotoOrder(entries->size(), photos.size(), onePerPhoto);
    for (std::size_t k = 0; k < order.size(); ++k) {
        const PreparedPhoto& photo = photos[order[k]];
        const auto texture = std::find_if(mCollageTextures.rbegin(), mCollageTextures.rend(),
            [&photo](const auto& candidate) { return candidate->Path == photo.path; });
        if (texture == mCollageTextures.rend()) {
            continue;
        }
        auto& entry = (*entries)[k];
        ScaleCollageEntry(*entry, timeScale);
        auto blurPhoto = std::make_shared<BlurPhoto>(*this, mPerspectiveCamera, *texture, photo.texRight,
            photo.texBottom, entry, collageStart + entry->delay, script);
        mCollages.push_back(blurPhoto);
        built.push_back(std::move(blurPhoto));
    }
    return built;
}

void RenderingGame::AddComponents(const std::vector<std::shared_ptr<BlurPhoto>>& photos)
{
    Components().insert(Components().end(), photos.begin(), photos.end());
}

void RenderingGame::BuildTimeline()
{
    const auto layout = ComputeTimelineLayout(mShowLength);
    mTimelineEnd = layout.timelineEnd;
    float startTime = layout.gap;
    unsigned filled = 0;
    unsigned idleAttempts = 0;
    // A project whose photos are all gone fills no slot: a whole round of kinds without one ends it.
    for (unsigned attempt = 0; filled < layout.slotCount && idleAttempts < FactoryKinds; ++attempt) {
        ThrowIfCancelled();
        const auto candidate = CreateTransition(attempt, startTime);
        const bool slotFilled = FillSlot(candidate, filled, layout.gap, startTime);
        AddComponents(candidate.collage);
        if (slotFilled) {
            ++filled;
            idleAttempts = 0;
        } else {
            ++idleAttempts;
        }
    }
}

RenderingGame::Candidate RenderingGame::Made(std::shared_ptr<PhotoAnimation> animation, bool fixedPhotoIndex)
{
    const int count = animation->GetPhotoCount();
    return {std::move(animation), count, fixedPhotoIndex, std::nullopt, {}};
}

RenderingGame::Candidate RenderingGame::CreateTransition(unsigned attempt, float startTime)
{
    const auto width = static_cast<float>(ScreenWidth());
    const auto height = static_cast<float>(ScreenHeight());
    const auto make = [&]<typename Effect>(int needed) -> Candidate {
        if (needed > 1 && !mPicker.HasGroupOf(needed)) {
            return {};
        }
        return Made(std::make_shared<Effect>(*this, mPerspectiveCamera, width, height));
    };
    switch (attempt % FactoryKinds) {
    case 0:
        return Made(std::make_shared<TintPhoto>(*this, mPerspectiveCamera, width, height), true);
    case 1:
        return make.operator()<PixelCheckeredPhoto>(2);
    case 2:
        return make.operator()<PixelRevealTurningDiamondPhoto>(2);
    case 3:
    case 4: {
        auto candidate = make.operator()<PrismPhoto>(3);
        if (candidate.animation) {
            candidate.animation->As<PrismPhoto>()->Configure(
                attempt % FactoryKinds == 3 ? PrismPhoto::HorizontalStrips : PrismPhoto::VerticalStrips);
            candidate.photoCount = candidate.animation->GetPhotoCount();
        }
        return candidate;
    }
    case 5:
        return mPicker.HasGroupOf(3) ? CreateEmptySlot(startTime) : Candidate{};
    case 6:
        return CreateExpandingCircle();
    case 7: {
        auto candidate = make.operator()<FourInOnePhoto>(6);
        if (auto* four = candidate.animation ? candidate.animation->As<FourInOnePhoto>() : nullptr) {
            four->SetStaggeredExit(true);
            four->SetGrid(2, 2);
        }
        return candidate;
    }
    case 8: {
        auto candidate = make.operator()<ColorVerticalSwipePhoto>(2);
        if (candidate.animation) {
            candidate.animation->As<ColorVerticalSwipePhoto>()->SetWipeLeftToRight(1);
        }
        return candidate;
    }
    case 9: {
        auto candidate = make.operator()<TilePhoto>(2);
        if (auto* tiles = candidate.animation ? candidate.animation->As<TilePhoto>() : nullptr) {
            tiles->SetFlipAxis(1);
            tiles->SetStagger(0.4f);
            tiles->SetGrid(4, 4);
        }
        return candidate;
    }
    case 10:
        return make.operator()<PixelAlphaStripePhoto>(2);
    default:
        return {};
    }
}

// The empty slot pauses the transitions while the mid-show collage plays, when the timeline leaves
// the collage room enough.
RenderingGame::Candidate RenderingGame::CreateEmptySlot(float startTime)
{
    std::shuffle(mCollageTextures.begin(), mCollageTextures.end(), mRandom);
    const auto width = static_cast<float>(ScreenWidth());
    const auto height = static_cast<float>(ScreenHeight());
    auto candidate = Made(std::make_shared<NullPhoto>(*this, mPerspectiveCamera, width, height));
    if (mTimelineEnd > startTime + MidShowCollageRoom) {
        candidate.collage =
            BuildCollage(MidShowCollageScript, mCollagePhotos, startTime, mCollageTimeScale, false);
    }
    return candidate;
}

// Each circle record is used once, in project order, whether or not its photo is still in the show.
RenderingGame::Candidate RenderingGame::CreateExpandingCircle()
{
    const auto& records = mProject.m_CirclesInfo;
    if (mNextCircle >= records.size()) {
        return {};
    }
    const CirclesInfo& record = records[mNextCircle++];
    const auto photo = std::find(mLoadedPaths.begin(), mLoadedPaths.end(), ToPath(record.ImagePath));
    if (photo == mLoadedPaths.end()) {
        return {};
    }
    auto circle = std::make_shared<ExpandingCirclePhoto2>(*this, mPerspectiveCamera,
        static_cast<float>(ScreenWidth()), static_cast<float>(ScreenHeight()), CircleStartGreyness);
    circle->SetCircles(CircleCentres(record));
    Candidate candidate = Made(std::move(circle));
    candidate.circlePhoto = static_cast<std::size_t>(photo - mLoadedPaths.begin());
    return candidate;
}

// One attempt of the timeline loop: true when the candidate took a slot number, whether or not the
// slot still fits before the end of the timeline (one that does not is kept but never shown).
bool RenderingGame::FillSlot(const Candidate& candidate, unsigned slot, float gap, float& startTime)
{
    // Pick even without a transition: the picker's cursors move on exactly as when one was made.
    const auto picked = candidate.circlePhoto
        ? PickedPhotos{candidate.circlePhoto, std::nullopt, std::nullopt}
        : mPicker.Pick(candidate.photoCount);
    if (!candidate.animation || picked.empty() || !picked.front()) {
        return false;
    }
    auto& animation = *candidate.animation;
    animation.SetShown(false);
    std::vector<std::filesystem::path> photoPaths;
    for (const auto& index : picked) {
        animation.AddPhoto(index ? mLoadedPhotos[*index] : nullptr);
        if (index) {
            photoPaths.push_back(mLoadedPaths[*index]);
        }
    }
    Components().push_back(candidate.animation);
    mAnimations.push_back(&animation);

    const float hold = animation.GetHoldTime();
    const int photoIndex = candidate.fixedPhotoIndex ? 0 : static_cast<int>(slot % mLoadedPhotos.size());
    const auto& first = *mLoadedPhotos[*picked.front()];
    const auto motion = MotionFor(photoIndex, first.Width < first.Height);
    if (startTime + LastStartMargin < mTimelineEnd) {
        TimelineEntry entry;
        entry.animation = &animation;
        entry.startTime = startTime;
        entry.holdTime = hold;
        entry.totalTime = hold + SlotOverhead;
        entry.endTime = startTime + entry.totalTime;
        entry.enterTime = PhaseSeconds;
        entry.restTime = PhaseSeconds;
        entry.leftToRight = motion.leftToRight;
        entry.motion = motion.motion;
        entry.photoIndex = photoIndex;
        entry.photoPaths = std::move(photoPaths);
        mTimeline.push_back(std::move(entry));
        startTime += hold + SlotOverhead + gap;
    }
    return true;
}

// Drawn over the photos and collages, in this order.
void RenderingGame::CreateOverlays(std::span<const std::size_t> endCredits)
{
    if (mProject.m_ShowSinewave) {
        CreateSineWaves();
    }
    const auto band = JoinPath(GetDataFolder(), u"BlackGradient.png");
    mBlack = std::make_shared<Black>(*this, mOrthoCamera, static_cast<int>(ScreenWidth()),
        static_cast<int>(ScreenHeight()), ToPath(band.value_or(u"BlackGradient.png")));
    Components().push_back(mBlack);
    mTexts.clear();
    if (mProject.m_PlainTitleEffect) {
        CreatePlainTitle();
    }
    CreateTheEnd();
    CreateCredits(endCredits);
}

std::shared_ptr<PlainText> RenderingGame::MakePlainText(const QString& text, float startTime, float duration)
{
    const int textureSize = TextTextureSize(mProject.m_ScreenWidth);
    const QFont font =
        TitleFont(TitleFontFamily(mProject.m_PlainFontAvailable), TitleFontPixels(mProject.m_ScreenWidth));
    auto plain = std::make_shared<PlainText>(*this, mPerspectiveCamera, MakeTextBitmap(textureSize, font, text),
        MakeShadowBitmap(textureSize, font, text));
    plain->SetStartTime(startTime);
    plain->SetDuration(duration);
    plain->SetDrifting(true);
    plain->SetShown(true);
    Components().push_back(plain);
    mTexts.push_back({"PlainText", text.toStdString(), startTime, startTime + duration});
    return plain;
}

void RenderingGame::CreatePlainTitle()
{
    mTitle = MakePlainText(QString::fromStdU16String(mProject.m_PlainTextTitle), 0.0f, TitleDuration);
}

void RenderingGame::CreateTheEnd()
{
    mTheEnd = MakePlainText(QStringLiteral("The End"), mShowLength - TheEndLead, TheEndLead);
}

// Each of the first three credit photos gets its block, in step with the credit collage.
void RenderingGame::CreateCredits(std::span<const std::size_t> endCredits)
{
    const int textureSize = TextTextureSize(mProject.m_ScreenWidth);
    const auto fonts = CreditFontSizes(mProject.m_ScreenWidth);
    for (std::size_t block = 0; block < std::min(endCredits.size(), MaxCreditBlocks); ++block) {
        const EndCreditInfo credit = mProject.GetEndCreditInfo(mProject.m_OrigImages[endCredits[block]]);
        const QString text = QString::fromStdU16String(credit.Text);
        CreditTextRenderer renderer;
        renderer.m_FontFamily = QString::fromStdU16String(credit.FontName);
        renderer.m_FirstFontSize = fonts.first;
        renderer.m_FontSize = fonts.other;
        renderer.m_Bold = credit.Bold;
        renderer.m_Lines = SplitCreditLines(text);
        renderer.m_Dim = textureSize;
        renderer.RenderText();
        renderer.RenderShadow();
        const CreditBlockLayout layout = CreditBlock(block, mShowLength, mCollageTimeScale);
        auto credits = std::make_shared<PlainWicText>(*this, mPerspectiveCamera, renderer.Bitmap(),
            renderer.ShadowBitmap(), renderer.LineSizes(), layout.startTime, layout.endTime);
        credits->SetPosition(layout.position);
        credits->SetShadowOffset(layout.shadowOffset);
        credits->SetShown(true);
        Components().push_back(credits);
        mTexts.push_back({"PlainWicText", text.toStdString(), layout.startTime, layout.endTime});
        mCredits[block] = std::move(credits);
    }
}

void RenderingGame::CreateSineWaves()
{
    struct Ribbon {
        float phaseSpeed;
        bool breathing;
        bool travelling;
        float depth;
        std::array<std::array<int, 3>, 4> colors;
    };
    static constexpr std::array<Ribbon, 2> ribbons = {{
        {1.8f, true, false, 0.02f, {{{0, 140, 233}, {133, 22, 233}, {237, 28, 36}, {238, 77, 233}}}},
        {3.0f, false, true, 0.05f, {{{238, 3, 137}, {236, 88, 40}, {128, 0, 255}, {0, 140, 233}}}},
    }};
    const auto width = static_cast<float>(ScreenWidth());
    const auto height = static_cast<float>(ScreenHeight());
    for (std::size_t k = 0; k < ribbons.size(); ++k) {
        const Ribbon& ribbon = ribbons[k];
        auto wave = std::make_shared<SineWave>(*this, mOrthoCamera, width, height, ribbon.phaseSpeed, ribbon.breathing,
            ribbon.travelling, ribbon.depth, mOffsetX, mOffsetY, 0.0f, mShowLength);
        for (const auto& [red, green, blue] : ribbon.colors) {
            wave->AppendColor({static_cast<float>(red) / 255.0f, static_cast<float>(green) / 255.0f,
                static_cast<float>(blue) / 255.0f, 1.0f});
        }
        wave->SetShown(true);
        Components().push_back(wave);
        mSineWaves[k] = std::move(wave);
    }
}

void RenderingGame::RenderFrame(const Library::FrameTime& frameTime)
{
    const auto t = static_cast<float>(frameTime.sinceStart);
    // After the timeline's end the transition shown last stays and finishes by its own timing.
    if (t <= mTimelineEnd) {
        SwitchTimeline(t);
    }
    // A background that covers every sample, or puts back the cleared and drawn target of an
    // earlier frame, overwrites colour and depth anyway; clearing the four-sample target first
    // would only add writes to every sample.
    if (mBackground == nullptr || !mBackground->OverwritesTarget(frameTime)) {
        Context().ClearRenderTargetView(ColorView(), ClearColor);
        Context().ClearDepthStencilView(DepthView(), Library::ClearDepth | Library::ClearStencil, 1.0f, 0);
    }
    Game::RenderFrame(frameTime);
    Present();
}

void RenderingGame::SwitchTimeline(float t)
{
    const auto found = FindTimelineEntry(mTimeline, t);
    if (!found) {
        if (mCurrentAnimation != nullptr) {
            mCurrentAnimation->SetShown(false);
        }
        mShownPhotoIndex = -1;
        mCurrentAnimation = nullptr;
        mCurrentStart = 0.0f;
        return;
    }
    const auto& entry = mTimeline[*found];
    if (entry.startTime == mCurrentStart || entry.animation == mCurrentAnimation) {
        return;
    }
    if (mCurrentAnimation != nullptr) {
        mCurrentAnimation->SetShown(false);
    }
    mShownPhotoIndex = entry.photoIndex;
    mCurrentStart = entry.startTime;
    mCurrentAnimation = entry.animation;
    mCurrentAnimation->SetShown(true);
    mCurrentAnimation->SetPhaseTimes(entry.enterTime, entry.holdTime, entry.restTime);
    mCurrentAnimation->SetLeftToRight(entry.leftToRight ? 1 : 0);
    mCurrentAnimation->SetEnterMode(static_cast<int>(entry.enterMode));
    mCurrentAnimation->SetLeaveMode(static_cast<int>(entry.leaveMode));
    mCurrentAnimation->SetMotion(static_cast<int>(entry.motion), entry.startTime);
}

void RenderingGame::SetCaptureLimit(std::int32_t framesPerSecond, std::int32_t durationSeconds)
{
    mCaptureLimit = std::int64_t{std::max(framesPerSecond, 0)} * std::max(durationSeconds, 0);
}

void RenderingGame::CaptureFrame(bool& lastFrame)
{
    ++mFramesCaptured;
    const std::size_t width = ScreenWidth();
    const std::size_t height = ScreenHeight();
    const auto bytes = static_cast<std::uint32_t>(width * height * 4);
    if (!mCaptureStaging || mCaptureStaging.Desc().ByteWidth != bytes) {
        Library::ThrowIfFailed(Device().CreateBuffer({bytes, Library::Usage::Staging, 0}, nullptr, mCaptureStaging),
            "CaptureTexture failed.");
        mCaptureBuffer.assign(bytes, 0);
    }
    CopyPresentedPicture(mCaptureStaging);
    const auto* pixels = static_cast<const std::uint8_t*>(Context().Map(mCaptureStaging, Library::MapMode::Read));
    // A frame that cannot be read must not go into the video as a copy of the previous one.
    if (pixels == nullptr) {
        throw Library::GameException("CaptureTexture failed.", Library::ResultFail);
    }
    ConvertToEncoderLayout({pixels, bytes}, width, height, width * 4, mCaptureBuffer);
    Context().Unmap(mCaptureStaging);
    lastFrame = mCaptureLimit > 0 && mFramesCaptured >= mCaptureLimit;
}

} // namespace Rendering
