#pragma once

#include "framework/Camera.h"
#include "framework/Game.h"
#include "framework/TextureRes.h"
#include "project/ProjectSettings.h"
#include "show/Background.h"
#include "show/Black.h"
#include "show/BlurPhoto.h"
#include "show/PhotoPicker.h"
#include "show/PlainText.h"
#include "show/PlainWicText.h"
#include "show/SineWave.h"
#include "show/TextLayout.h"
#include "show/Timeline.h"
#include "transitions/PhotoAnimation.h"
#include "transitions/PhotoCanvasMaker.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <random>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace Rendering {

// Thrown by Prepare when its cancel flag was raised; the engine is then unusable.
struct PrepareCancelled : std::runtime_error {
    PrepareCancelled() : std::runtime_error("the show's preparation was cancelled") {}
};

// A text of the show (title, closing words or an end-credit block) with the seconds it shows.
struct TextSchedule {
    std::string component; // "PlainText" or "PlainWicText"
    std::string text;      // UTF-8, lines separated by line feeds
    float startTime = 0.0f;
    float endTime = 0.0f;
};

// The slideshow engine: reads a project file, loads its photos, lays the photo transitions out on a
// timeline and draws the show frame by frame. The preview and the export each build their own
// engine; one thread constructs, prepares, runs and destroys it.
//
// Export use: construct with TargetKind::ExportWindow, CreateSizedObjects, SetProjectPath,
// Prepare, SetCaptureLimit(fps, duration), Clock().fixedStep = 1 / fps; then per frame RunFrame and
// CaptureFrame, and copy CapturedFrame() to the encoder.
class RenderingGame : public Library::Game {
    RTTI_DECLARATIONS(RenderingGame, Library::Game)

public:
    RenderingGame(SizeProvider sizeProvider, Library::TargetKind targetKind);

    // "project.txt" in the per-user data folder: the project Prepare reads unless told otherwise.
    static std::filesystem::path DefaultProjectPath();
    void SetProjectPath(std::filesystem::path path) { mProjectPath = std::move(path); }
    // Shows this project instead of reading the project file: a caller that has read it already
    // (a pipe can be read only once) hands it over.
    void SetProject(ProjectSettings project);
    // Prepare checks the flag between its steps and throws PrepareCancelled once it is set; the
    // flag must outlive Prepare.
    void SetCancelFlag(const std::atomic<bool>* cancelled) { mCancelled = cancelled; }
    // Fixes the engine's random choices (otherwise seeded from std::random_device).
    void SetSeed(std::uint32_t seed) { mRandom.seed(seed); }

    // Assembles the show; call CreateSizedObjects first, since the layout follows the render size.
    // Graphics failures throw GameException; a missing or unreadable project gives an empty show.
    // Problems that leave the show poorer than the project asks are collected in Warnings().
    void Prepare() override;
    // Switches the timeline's current transition, clears, draws every shown component, presents.
    void RenderFrame(const Library::FrameTime& frameTime) override;

    // Export: the capture reports the last frame once fps x duration frames were captured.
    void SetCaptureLimit(std::int32_t framesPerSecond, std::int32_t durationSeconds);
    // Reads back the picture presented last into CapturedFrame(); lastFrame tells whether the
    // capture limit is reached.
    void CaptureFrame(bool& lastFrame);
    // Bottom-up rows of B, G, R, 255 bytes, ScreenWidth() x ScreenHeight(); empty before a capture.
    std::span<const std::uint8_t> CapturedFrame() const { return mCaptureBuffer; }
    std::int64_t FramesCaptured() const { return mFramesCaptured; }

    const ProjectSettings& Project() const { return mProject; }
    // One line per problem the last Prepare met and worked around (a photo that is missing or does
    // not decode, a background that became black, extras naming a photo that is not in the show).
    const std::vector<std::string>& Warnings() const { return mWarnings; }
    float ShowLength() const { return mShowLength; }
    float TimelineEnd() const { return mTimelineEnd; }
    const std::vector<TimelineEntry>& Timeline() const { return mTimeline; }
    // Every scripted collage photo, in the order they were built.
    const std::vector<std::shared_ptr<BlurPhoto>>& Collages() const { return mCollages; }
    // The photos the final and mid-show collages show, as prepared (their bitmaps already released).
    const std::vector<PreparedPhoto>& CollagePhotos() const { return mCollagePhotos; }
    const std::vector<std::shared_ptr<Library::TextureRes>>& LoadedPhotos() const { return mLoadedPhotos; }
    const std::shared_ptr<Background>& GetBackground() const { return mBackground; }
    // Both empty unless the project shows the sine waves.
    const std::array<std::shared_ptr<SineWave>, 2>& SineWaves() const { return mSineWaves; }
    const std::shared_ptr<Black>& GetBlack() const { return mBlack; }
    // The title (empty when it is not the plain one), "The End" and the credit blocks, in order.
    const std::vector<TextSchedule>& Texts() const { return mTexts; }
    // Photo index of the slot being shown, -1 when none (the preview highlights that photo).
    std::int32_t ShownPhotoIndex() const { return mShownPhotoIndex; }
    PhotoAnimation* CurrentAnimation() const { return mCurrentAnimation; }

private:
    // What the transition factory made for one attempt.
    struct Candidate {
        std::shared_ptr<PhotoAnimation> animation; // empty: nothing for this attempt
        int photoCount = 3;
        bool fixedPhotoIndex = false;
        std::optional<std::size_t> circlePhoto; // an expanding circle's own photo, in mLoadedPhotos
        std::vector<std::shared_ptr<BlurPhoto>> collage; // drawn in the slot, after its transition
    };

    void CreateCameras();
    void ReadProject();
    void ApplyProject();
    void LoadPhotos();
    void Warn(std::string text);
    void WarnAboutPhotoExtras();
    void ThrowIfCancelled() const;
    void SelectPhotoFrame();
    std::vector<std::size_t> EndCreditPhotos() const;
    void ScheduleCollages();
    std::vector<PreparedPhoto> PrepareCollage(const std::vector<std::filesystem::path>& paths, std::size_t wanted);
    std::vector<std::shared_ptr<BlurPhoto>> BuildCollage(int script, const std::vector<PreparedPhoto>& photos,
        float collageStart, float timeScale, bool onePerPhoto);
    void AddComponents(const std::vector<std::shared_ptr<BlurPhoto>>& photos);
    void BuildTimeline();
    static Candidate Made(std::shared_ptr<PhotoAnimation> animation, bool fixedPhotoIndex = false);
    Candidate CreateTransition(unsigned attempt, float startTime);
    Candidate CreateEmptySlot(float startTime);
    Candidate CreateExpandingCircle();
    bool FillSlot(const Candidate& candidate, unsigned slot, float gap, float& startTime);
    void SwitchTimeline(float t);
    void CreateOverlays(std::span<const std::size_t> endCredits);
    void CreateSineWaves();
    std::shared_ptr<PlainText> MakePlainText(const QString& text, float startTime, float duration);
    void CreatePlainTitle();
    void CreateTheEnd();
    void CreateCredits(std::span<const std::size_t> endCredits);

    float mOrthoViewWidth = 2.0f;
    float mOrthoViewHeight = 2.0f;
    float mBackgroundScale = 1.0f;
    float mOffsetX = 0.0f; // fade start alpha of the waves and the slanted title
    float mOffsetY = 0.0f; // their fade time: none
    std::vector<std::shared_ptr<Library::TextureRes>> mLoadedPhotos; // project order
    std::vector<std::filesystem::path> mLoadedPaths;                 // same order
    std::shared_ptr<Library::PerspectiveCamera> mPerspectiveCamera;
    std::shared_ptr<Library::OrthographicCamera> mOrthoCamera;
    std::shared_ptr<Background> mBackground;
    std::shared_ptr<Black> mBlack;
    std::array<std::shared_ptr<SineWave>, 2> mSineWaves;
    std::vector<std::shared_ptr<BlurPhoto>> mCollages;
    std::vector<std::shared_ptr<Library::TextureRes>> mCollageTextures; // every preparation's canvases
    std::shared_ptr<Library::DrawableGameComponent> mTitle;
    std::shared_ptr<PlainText> mTheEnd;
    std::array<std::shared_ptr<PlainWicText>, MaxCreditBlocks> mCredits;
    std::vector<TextSchedule> mTexts;
    std::vector<PhotoAnimation*> mAnimations; // timeline order; owned by the component list
    std::vector<TimelineEntry> mTimeline;     // sorted by start time
    float mCurrentStart = 0.0f;
    PhotoAnimation* mCurrentAnimation = nullptr;
    PhotoPicker mPicker;
    Library::TextureRes mFrameWhite;
    Library::TextureRes mFrameWhiteNoShadow;
    ProjectSettings mProject;
    std::filesystem::path mProjectPath;
    bool mProjectGiven = false;
    const std::atomic<bool>* mCancelled = nullptr;
    std::vector<std::string> mWarnings;
    float mShowLength = 6.0f;
    float mCollageTimeScale = 1.5f; // stretches every collage script's times
    std::vector<PreparedPhoto> mCollagePhotos;
    float mTimelineEnd = 0.0f;
    std::int32_t mShownPhotoIndex = 0;
    std::size_t mNextCircle = 0; // the next record of the project's circle centres to use
    std::mt19937 mRandom{std::random_device{}()};
    std::vector<std::uint8_t> mCaptureBuffer;
    Library::Buffer mCaptureStaging;
    std::int64_t mFramesCaptured = 0;
    std::int64_t mCaptureLimit = 0;
};

} // namespace Rendering
