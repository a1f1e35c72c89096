#pragma once

// A small show for drawing one transition: an off-screen game, the show's perspective camera at
// z = 2, the shared photo objects with the frame picture, and photos made of four solid quadrants.

#include "../framework/GameFixture.h"
#include "PhotoAnimation.h"

#include "framework/Camera.h"
#include "framework/Game.h"
#include "framework/GpuHelpers.h"

#include <pellora_resources.h>

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace PelloraTest {

// The quadrant colours of a test photo, top-left, top-right, bottom-left, bottom-right.
inline const QColor TopLeft{255, 0, 0};
inline const QColor TopRight{0, 255, 0};
inline const QColor BottomLeft{0, 0, 255};
inline const QColor BottomRight{255, 255, 0};

// The simplest transition: the photo drawn as it is with the shared textured shaders.
class PlainPhoto : public Rendering::PhotoAnimation
{
    RTTI_DECLARATIONS(PlainPhoto, Rendering::PhotoAnimation)

public:
    using PhotoAnimation::PhotoAnimation;

    int GetEffectId() const override { return 0; }
    void Render(const Library::FrameTime& frameTime) override { RenderPhases(frameTime); }
    void RenderEnter(const Library::FrameTime&, float t, float) override { Draw(t, false); }
    void RenderHold(const Library::FrameTime& frameTime, float) override
    {
        RenderEnter(frameTime, 1.0f, mFrameSpan);
        DrawFrameRing(1.0f, mFrameSpan);
    }
    void RenderLeave(const Library::FrameTime&, float t, float) override { Draw(t, true); }

private:
    void Draw(float t, bool leaving)
    {
        DrawPhotoQuad(0, t, leaving, Shared().textured);
    }
};

class TransitionScene
{
public:
    explicit TransitionScene(std::uint32_t width = 320, std::uint32_t height = 180)
        : mSized(width, height), mGame(mSized.game.get())
    {
        mGame->CreateSizedObjects();
        mCamera = std::make_shared<Library::PerspectiveCamera>(
            *mGame, 0.01f, 1000.0f, 45.0f, static_cast<float>(width) / static_cast<float>(height));
        mCamera->SetUp();
        mCamera->SetPosition(0.0f, 0.0f, 2.0f);
        mCamera->RebuildView();
        Rendering::PhotoAnimation::CreateSharedGeometry(*mGame);
        Rendering::PhotoAnimation::CreateSharedShaders(*mGame);
        mFrame.LoadFromMemory(mGame->Device(), Pellora::Resources::Find("328"));
        Rendering::PhotoAnimation::SetFrameTexture(*mGame, mFrame);
        Rendering::PhotoAnimation::SetFramesEnabled(*mGame, true);
    }

    Library::Game& Game() { return *mGame; }
    const std::shared_ptr<Library::PerspectiveCamera>& Camera() const { return mCamera; }

    // A photo of four solid quadrants (or one colour), loaded like a show photo: a square texture
    // with the picture at its top-left.
    std::shared_ptr<Library::TextureRes> Photo(int width, int height, std::optional<QColor> solid = std::nullopt)
    {
        QImage image(width, height, QImage::Format_RGB32);
        if (solid) {
            image.fill(*solid);
        } else {
            QPainter painter(&image);
            painter.fillRect(0, 0, width / 2, height / 2, TopLeft);
            painter.fillRect(width / 2, 0, width - width / 2, height / 2, TopRight);
            painter.fillRect(0, height / 2, width / 2, height - height / 2, BottomLeft);
            painter.fillRect(width / 2, height / 2, width - width / 2, height - height / 2, BottomRight);
        }
        const auto path = std::filesystem::temp_directory_path() /
            ("pellora-transition-" + std::to_string(::getpid()) + "-" + std::to_string(mPhotoCount++) + ".png");
        image.save(QString::fromStdString(path.string()));
        auto texture = std::make_shared<Library::TextureRes>();
        std::uint32_t dim = 256;
        std::uint32_t imageWidth = 0;
        std::uint32_t imageHeight = 0;
        texture->LoadFromFile(mGame->Device(), path, dim, imageWidth, imageHeight);
        std::filesystem::remove(path);
        return texture;
    }

    // Clears, renders animation at show time seconds (its start is 0) and reads the picture back.
    QImage RenderAt(Rendering::PhotoAnimation& animation, double seconds)
    {
        auto& context = mGame->Context();
        context.ClearRenderTargetView(mGame->ColorView(), {0.0f, 0.0f, 0.0f, 1.0f});
        context.ClearDepthStencilView(mGame->DepthView(), Library::ClearDepth | Library::ClearStencil, 1.0f, 0);
        Library::FrameTime frameTime;
        frameTime.sinceStart = seconds;
        animation.Render(frameTime);
        mGame->Present();
        return ReadBack();
    }

    // The pixel where world point (x, y) of an unmoved photo lands.
    QPoint PixelOf(float x, float y) const
    {
        const Library::Float4x4 wvp =
            Library::Multiply(Library::Translation(0.0f, 0.0f, 0.66f), mCamera->ViewProjectionMatrix());
        const Library::Float4 clip = Library::Transform({x, y, 0.0f, 1.0f}, wvp);
        const float px = (clip.x / clip.w + 1.0f) * 0.5f * static_cast<float>(mSized.width);
        const float py = (1.0f - clip.y / clip.w) * 0.5f * static_cast<float>(mSized.height);
        return {static_cast<int>(px), static_cast<int>(py)};
    }

private:
    QImage ReadBack()
    {
        const auto bytes = ReadPresentedPicture(*mGame);
        return QImage(bytes.data(), static_cast<int>(mSized.width), static_cast<int>(mSized.height),
            QImage::Format_RGB32)
            .copy();
    }

    SizedGame mSized;
    Library::Game* mGame;
    std::shared_ptr<Library::PerspectiveCamera> mCamera;
    Library::TextureRes mFrame;
    int mPhotoCount = 0;
};

// Whether two colours agree within tolerance on every channel.
inline bool Near(const QColor& a, const QColor& b, int tolerance = 12)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
        std::abs(a.blue() - b.blue()) <= tolerance;
}

// One scene for a whole suite of effect tests.
class EffectFixture : public testing::Test
{
protected:
    static void SetUpTestSuite() { sScene = std::make_unique<TransitionScene>(); }
    static void TearDownTestSuite() { sScene.reset(); }

    // The pixel of texture coordinate (u, v) of a resting 4000 x 3000-shaped photo (U 1, V 0.75).
    static QPoint AtTexel(float u, float v) { return sScene->PixelOf(-0.8f + 1.6f * u, 0.6f - 1.6f * v); }

    // extra: constructor arguments after the screen size.
    template <typename Effect, typename... Extra>
    std::unique_ptr<Effect> Make(std::vector<std::shared_ptr<Library::TextureRes>> photos, float hold, Extra... extra)
    {
        auto effect = std::make_unique<Effect>(sScene->Game(), sScene->Camera(), 320.0f, 180.0f, extra...);
        for (auto& photo : photos) {
            effect->AddPhoto(std::move(photo));
        }
        effect->SetUp();
        effect->SetPhaseTimes(1.0f, hold, 1.0f);
        effect->SetMotion(static_cast<int>(Rendering::MotionStyle::Side), 0.0f);
        return effect;
    }

    static void ExpectColour(const QImage& picture, QPoint at, const QColor& want, const char* what)
    {
        EXPECT_TRUE(Near(picture.pixelColor(at), want, 6))
            << what << " at " << at.x() << "," << at.y() << ": got " << picture.pixelColor(at).name().toStdString()
            << ", want " << want.name().toStdString();
    }

    static inline std::unique_ptr<TransitionScene> sScene;
};

}  // namespace PelloraTest
