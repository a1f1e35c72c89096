// pellora-contact-sheet [OUTPUT.png [EFFECT]]
//
// Renders each photo transition (or only EFFECT, e.g. "Tile") for wide and tall test photos, in
// every motion style and direction, at enter progress 0, 0.03 (frame unfolding), 0.25, 0.5, 0.75
// and 1, at five moments of the hold and at leave progress 0.75 and 0.25, into one PNG grid
// (default contact-sheet.png). Each cell is one frame of the show's camera at 320 x 180.

#include "ColorVerticalSwipePhoto.h"
#include "ExpandingCirclePhoto2.h"
#include "FourInOnePhoto.h"
#include "NullPhoto.h"
#include "PixelAlphaStripePhoto.h"
#include "PixelCheckeredPhoto.h"
#include "PixelRevealTurningDiamondPhoto.h"
#include "PrismPhoto.h"
#include "TilePhoto.h"
#include "TintPhoto.h"

#include "framework/Camera.h"
#include "framework/FrameReader.h"
#include "framework/Game.h"
#include "framework/GameException.h"

#include <pellora_resources.h>

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int CellWidth = 320;
constexpr int CellHeight = 180;
constexpr int LabelWidth = 220;
constexpr int HeaderHeight = 28;

using Rendering::MotionStyle;
using Rendering::PhotoAnimation;

struct Motion
{
    const char* name;
    MotionStyle style;
    int leftToRight;
};

const Motion Motions[] = {{"Drop", MotionStyle::Drop, 0}, {"Side L=0", MotionStyle::Side, 0},
    {"Side L=1", MotionStyle::Side, 1}, {"Corner L=0", MotionStyle::Corner, 0},
    {"Corner L=1", MotionStyle::Corner, 1}};

// One column: a moment of the animation, as seconds after its start for a given hold time.
struct Moment
{
    std::string label;
    std::function<double(float hold)> seconds;
};

std::vector<Moment> Moments()
{
    std::vector<Moment> moments;
    // 0.03 falls into the frame unfolding that precedes the photo.
    for (double p : {0.0, 0.03, 0.25, 0.5, 0.75, 1.0}) {
        moments.push_back({"enter " + std::to_string(p).substr(0, 4), [p](float) { return p; }});
    }
    for (double f : {0.1, 0.25, 0.4, 0.55, 0.75}) {
        moments.push_back({"hold " + std::to_string(f).substr(0, 4), [f](float hold) { return 1.0 + f * (hold + 1.0); }});
    }
    for (double p : {0.75, 0.25}) {
        moments.push_back({"leave " + std::to_string(p).substr(0, 4), [p](float hold) { return 2.0 + hold + (1.0 - p); }});
    }
    return moments;
}

// Four coloured quadrants named by their place, a grey ramp left to right and a big letter, so that
// orientation and mirroring are plain to see.
QImage TestPhoto(int width, int height, const std::array<QColor, 4>& quadrants, const QString& letter)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    const int w2 = width / 2;
    const int h2 = height / 2;
    const QRect places[] = {{0, 0, w2, h2}, {w2, 0, width - w2, h2}, {0, h2, w2, height - h2}, {w2, h2, width - w2, height - h2}};
    const char* names[] = {"TL", "TR", "BL", "BR"};
    QFont font("DejaVu Sans", height / 12, QFont::Bold);
    painter.setFont(font);
    for (std::size_t i = 0; i < 4; ++i) {
        painter.fillRect(places[i], quadrants[i]);
        painter.setPen(Qt::black);
        painter.drawText(places[i].adjusted(20, 10, 0, 0), Qt::AlignLeft | Qt::AlignTop, names[i]);
    }
    QLinearGradient ramp(0, 0, width, 0);
    ramp.setColorAt(0, Qt::black);
    ramp.setColorAt(1, Qt::white);
    painter.fillRect(QRect(0, h2 - height / 20, width, height / 10), ramp);
    font.setPixelSize(height / 3);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(image.rect(), Qt::AlignCenter, letter);
    return image;
}

class SheetRenderer
{
public:
    SheetRenderer()
        : mGame([](std::uint32_t& w, std::uint32_t& h) {
              w = CellWidth;
              h = CellHeight;
          },
              Library::TargetKind::ExportWindow),
          mReader(mGame)
    {
        mGame.CreateSizedObjects();
        mCamera = std::make_shared<Library::PerspectiveCamera>(
            mGame, 0.01f, 1000.0f, 45.0f, static_cast<float>(CellWidth) / CellHeight);
        mCamera->SetUp();
        mCamera->SetPosition(0.0f, 0.0f, 2.0f);
        mCamera->RebuildView();
        PhotoAnimation::CreateSharedGeometry(mGame);
        PhotoAnimation::CreateSharedShaders(mGame);
        mFrame.LoadFromMemory(mGame.Device(), Pellora::Resources::Find("329"));
        PhotoAnimation::SetFrameTexture(mGame, mFrame);
        PhotoAnimation::SetFramesEnabled(mGame, true);
    }

    Library::Game& Game() { return mGame; }
    const std::shared_ptr<Library::PerspectiveCamera>& Camera() const { return mCamera; }

    std::shared_ptr<Library::TextureRes> Upload(const QImage& image)
    {
        auto texture = std::make_shared<Library::TextureRes>();
        texture->Upload(mGame.Device(), Library::FitPicture(image, 0));
        return texture;
    }

    QImage RenderAt(PhotoAnimation& animation, double seconds)
    {
        auto& context = mGame.Context();
        context.ClearRenderTargetView(mGame.ColorView(), {0.16f, 0.17f, 0.2f, 1.0f});
        context.ClearDepthStencilView(mGame.DepthView(), Library::ClearDepth | Library::ClearStencil, 1.0f, 0);
        Library::FrameTime frameTime;
        frameTime.sinceStart = seconds;
        animation.Render(frameTime);
        mGame.Present();
        mReader.Request();
        const auto pixels = mReader.Collect();
        return QImage(pixels.data(), CellWidth, CellHeight, QImage::Format_RGB32).copy();
    }

private:
    Library::Game mGame;
    Library::FrameReader mReader;
    std::shared_ptr<Library::PerspectiveCamera> mCamera;
    Library::TextureRes mFrame;
};

struct Effect
{
    const char* name;
    std::function<std::unique_ptr<PhotoAnimation>(SheetRenderer&)> make;
};

template <typename Transition>
std::function<std::unique_ptr<PhotoAnimation>(SheetRenderer&)> Plain()
{
    return [](SheetRenderer& r) { return std::make_unique<Transition>(r.Game(), r.Camera(), CellWidth, CellHeight); };
}

std::unique_ptr<PhotoAnimation> Prism(SheetRenderer& r, const Rendering::PrismPhoto::StripLayout& layout)
{
    auto prism = std::make_unique<Rendering::PrismPhoto>(r.Game(), r.Camera(), CellWidth, CellHeight);
    prism->Configure(layout);
    return prism;
}

// Every transition as the show configures it.
std::vector<Effect> Effects()
{
    return {
        {"Tint", Plain<Rendering::TintPhoto>()},
        {"ColorVerticalSwipe",
            [](SheetRenderer& r) {
                auto swipe =
                    std::make_unique<Rendering::ColorVerticalSwipePhoto>(r.Game(), r.Camera(), CellWidth, CellHeight);
                swipe->SetWipeLeftToRight(1);
                return swipe;
            }},
        {"PixelCheckered", Plain<Rendering::PixelCheckeredPhoto>()},
        {"PixelRevealTurningDiamond", Plain<Rendering::PixelRevealTurningDiamondPhoto>()},
        {"PixelAlphaStripe", Plain<Rendering::PixelAlphaStripePhoto>()},
        {"Null", Plain<Rendering::NullPhoto>()},
        {"ExpandingCircle",
            [](SheetRenderer& r) {
                auto circle = std::make_unique<Rendering::ExpandingCirclePhoto2>(
                    r.Game(), r.Camera(), CellWidth, CellHeight, 1.0f);
                circle->SetCircles({0.25f, 0.2f, 0.0f, 0.0f});
                return circle;
            }},
        {"Tile",
            [](SheetRenderer& r) {
                auto tiles = std::make_unique<Rendering::TilePhoto>(r.Game(), r.Camera(), CellWidth, CellHeight);
                tiles->SetFlipAxis(1);
                tiles->SetStagger(0.4f);
                tiles->SetGrid(4, 4);
                return tiles;
            }},
        {"PrismHorizontal", [](SheetRenderer& r) { return Prism(r, Rendering::PrismPhoto::HorizontalStrips); }},
        {"PrismVertical", [](SheetRenderer& r) { return Prism(r, Rendering::PrismPhoto::VerticalStrips); }},
        {"FourInOne",
            [](SheetRenderer& r) {
                auto four = std::make_unique<Rendering::FourInOnePhoto>(r.Game(), r.Camera(), CellWidth, CellHeight);
                four->SetStaggeredExit(true);
                four->SetGrid(2, 2);
                return four;
            }},
    };
}

// Six photos of one orientation, lettered A to F.
struct PhotoSet
{
    const char* name;
    std::vector<std::shared_ptr<Library::TextureRes>> photos;
};

std::vector<PhotoSet> Photos(SheetRenderer& renderer)
{
    const std::array<std::array<QColor, 4>, 6> palettes{{
        {QColor(220, 40, 40), QColor(40, 170, 60), QColor(40, 80, 220), QColor(240, 210, 40)},
        {QColor(90, 200, 220), QColor(200, 90, 200), QColor(230, 140, 60), QColor(150, 150, 150)},
        {QColor(120, 60, 20), QColor(250, 250, 250), QColor(20, 120, 120), QColor(180, 30, 90)},
        {QColor(60, 60, 160), QColor(160, 200, 40), QColor(240, 120, 160), QColor(40, 40, 40)},
        {QColor(250, 180, 0), QColor(0, 90, 40), QColor(130, 130, 250), QColor(200, 60, 0)},
        {QColor(20, 200, 140), QColor(100, 0, 140), QColor(200, 200, 120), QColor(0, 150, 250)},
    }};
    std::vector<PhotoSet> sets{{"wide", {}}, {"tall", {}}};
    for (std::size_t k = 0; k < palettes.size(); ++k) {
        const QString letter(QChar('A' + static_cast<int>(k)));
        sets[0].photos.push_back(renderer.Upload(TestPhoto(1600, 1200, palettes[k], letter)));
        sets[1].photos.push_back(renderer.Upload(TestPhoto(1200, 1600, palettes[k], letter)));
    }
    return sets;
}

void DrawLabel(QPainter& painter, const QRect& area, const QString& text)
{
    painter.fillRect(area, QColor(30, 30, 30));
    painter.setPen(Qt::white);
    painter.drawText(area.adjusted(6, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap, text);
}

QImage RenderSheet(SheetRenderer& renderer, const QString& only)
{
    const auto moments = Moments();
    auto effects = Effects();
    if (!only.isEmpty()) {
        std::erase_if(effects, [&only](const Effect& effect) { return only != effect.name; });
    }
    const auto photos = Photos(renderer);
    const int rows = static_cast<int>(effects.size() * photos.size() * std::size(Motions));
    QImage sheet(LabelWidth + CellWidth * static_cast<int>(moments.size()), HeaderHeight + CellHeight * rows,
        QImage::Format_RGB32);
    sheet.fill(Qt::black);
    QPainter painter(&sheet);
    painter.setFont(QFont("DejaVu Sans", 11));
    for (std::size_t c = 0; c < moments.size(); ++c) {
        DrawLabel(painter, QRect(LabelWidth + CellWidth * static_cast<int>(c), 0, CellWidth, HeaderHeight),
            QString::fromStdString(moments[c].label));
    }
    int row = 0;
    for (const Effect& effect : effects) {
        for (const PhotoSet& set : photos) {
            for (const Motion& motion : Motions) {
                auto animation = effect.make(renderer);
                for (int k = 0; k < animation->GetPhotoCount(); ++k) {
                    animation->AddPhoto(set.photos[static_cast<std::size_t>(k)]);
                }
                animation->SetUp();
                const float hold = animation->GetHoldTime();
                animation->SetPhaseTimes(1.0f, hold, 1.0f);
                animation->SetLeftToRight(motion.leftToRight);
                animation->SetMotion(static_cast<int>(motion.style), 0.0f);
                const int y = HeaderHeight + CellHeight * row++;
                DrawLabel(painter, QRect(0, y, LabelWidth, CellHeight),
                    QString("%1\n%2 photo\n%3").arg(effect.name, set.name, motion.name));
                for (std::size_t c = 0; c < moments.size(); ++c) {
                    const QImage cell = renderer.RenderAt(*animation, moments[c].seconds(hold));
                    painter.drawImage(LabelWidth + CellWidth * static_cast<int>(c), y, cell);
                }
            }
        }
    }
    return sheet;
}

}  // namespace

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QGuiApplication application(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("contact-sheet.png");
    const QString only = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    try {
        SheetRenderer renderer;
        const QImage sheet = RenderSheet(renderer, only);
        if (sheet.height() <= HeaderHeight) {
            std::fprintf(stderr, "pellora-contact-sheet: no transition named %s\n", qPrintable(only));
            return 1;
        }
        if (!sheet.save(output)) {
            std::fprintf(stderr, "pellora-contact-sheet: cannot write %s\n", qPrintable(output));
            return 1;
        }
    } catch (const Library::GameException& error) {
        std::fprintf(stderr, "pellora-contact-sheet: %s\n", error.what());
        return 1;
    }
    std::printf("%s\n", qPrintable(output));
    return 0;
}
