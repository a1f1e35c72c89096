#include "ShowReport.h"

#include "show/RenderingGame.h"
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

#include <QJsonArray>

#include <string>
#include <string_view>

namespace Pellora::Render {

namespace {

// The class name of a component, for the classes a show is made of.
template <typename... Classes>
std::string_view ClassName(const Library::RTTI& object)
{
    std::string_view name = "GameComponent";
    ((object.GetTypeKey() == Classes::TypeIdClass() ? (name = Classes::TypeName(), true) : false) || ...);
    return name;
}

std::string_view ComponentName(const Library::RTTI& object)
{
    return ClassName<Library::PerspectiveCamera, Library::OrthographicCamera, Rendering::Background,
        Rendering::SineWave, Rendering::Black, Rendering::BlurPhoto, Rendering::PlainText, Rendering::PlainWicText,
        Rendering::TintPhoto, Rendering::ColorVerticalSwipePhoto, Rendering::PixelCheckeredPhoto,
        Rendering::PixelRevealTurningDiamondPhoto, Rendering::NullPhoto, Rendering::ExpandingCirclePhoto2,
        Rendering::PixelAlphaStripePhoto, Rendering::PrismPhoto, Rendering::TilePhoto, Rendering::FourInOnePhoto>(object);
}

const char* MotionName(Rendering::MotionStyle motion)
{
    switch (motion) {
    case Rendering::MotionStyle::Side:
        return "Side";
    case Rendering::MotionStyle::Corner:
        return "Corner";
    case Rendering::MotionStyle::Drop:
        break;
    }
    return "Drop";
}

// The centres an expanding circle grows from, in texture coordinates; the photo's centre stands in
// for a point left at (0, 0).
QJsonArray DescribeCircles(Rendering::PhotoAnimation& animation)
{
    QJsonArray centres;
    const auto* circle = animation.As<Rendering::ExpandingCirclePhoto2>();
    if (circle == nullptr || animation.Photos().empty()) {
        return centres;
    }
    const auto& params = circle->CircleParams();
    const auto& photo = *animation.Photos().front();
    const float aspect = photo.FloatWidth > 0.0f ? photo.FloatHeight / photo.FloatWidth : 1.0f;
    const bool firstGiven = params.x0 != 0.0f || params.y0 != 0.0f;
    const QJsonArray centre = aspect <= 1.0f ? QJsonArray{0.5, 0.5 * aspect} : QJsonArray{0.5 / aspect, 0.5};
    centres.append(firstGiven ? QJsonArray{params.x0, params.y0} : centre);
    if (params.x1 != 0.0f || params.y1 != 0.0f) {
        centres.append(QJsonArray{params.x1, params.y1});
    }
    return centres;
}

QJsonArray DescribeSlots(const Rendering::RenderingGame& game)
{
    QJsonArray timelineSlots;
    int index = 0;
    for (const auto& entry : game.Timeline()) {
        QJsonArray photos;
        for (const auto& path : entry.photoPaths) {
            photos.append(QString::fromStdString(path.string()));
        }
        QJsonObject slot{
            {"index", index++},
            {"effect", QString::fromStdString(std::string(ComponentName(*entry.animation)))},
            {"start", entry.startTime},
            {"end", entry.endTime},
            {"hold", entry.holdTime},
            {"motion", MotionName(entry.motion)},
            {"leftToRight", entry.leftToRight},
            {"photoIndex", entry.photoIndex},
            {"photos", photos},
        };
        if (const QJsonArray centres = DescribeCircles(*entry.animation); !centres.isEmpty()) {
            slot.insert("circleCentres", centres);
        }
        timelineSlots.append(slot);
    }
    return timelineSlots;
}

// Every collage photo with the script it follows: drawn from start to end, both included.
QJsonArray DescribeCollages(const Rendering::RenderingGame& game)
{
    QJsonArray collages;
    for (const auto& photo : game.Collages()) {
        collages.append(QJsonObject{
            {"script", photo->Script()},
            {"photo", QString::fromStdString(photo->PhotoPath().string())},
            {"start", photo->StartTime()},
            {"end", photo->EndTime()},
        });
    }
    return collages;
}

// The overlays drawn over the photos: start and end in show seconds from the first frame; the
// band lasts to the last frame of the show. Then the texts, each with what it says.
QJsonArray DescribeOverlays(const Rendering::RenderingGame& game)
{
    QJsonArray overlays;
    for (const auto& wave : game.SineWaves()) {
        if (wave) {
            overlays.append(QJsonObject{
                {"component", "SineWave"},
                {"breathing", wave->Motion().breathing},
                {"start", 0.0},
                {"end", wave->EndTime()},
            });
        }
    }
    if (game.GetBlack()) {
        overlays.append(QJsonObject{
            {"component", "Black"},
            {"start", 0.0},
            {"end", static_cast<qint64>(game.Project().m_Duration)},
        });
    }
    for (const auto& text : game.Texts()) {
        overlays.append(QJsonObject{
            {"component", QString::fromStdString(text.component)},
            {"text", QString::fromStdString(text.text)},
            {"start", text.startTime},
            {"end", text.endTime},
        });
    }
    return overlays;
}

QJsonArray DescribeComponents(Rendering::RenderingGame& game)
{
    QJsonArray components;
    for (const auto& component : game.Components()) {
        components.append(QString::fromStdString(std::string(ComponentName(*component))));
    }
    return components;
}

} // namespace

QJsonObject DescribeShow(Rendering::RenderingGame& game)
{
    const auto& project = game.Project();
    return QJsonObject{
        {"durationSeconds", static_cast<qint64>(project.m_Duration)},
        {"showLength", game.ShowLength()},
        {"timelineEnd", game.TimelineEnd()},
        {"width", static_cast<qint64>(game.ScreenWidth())},
        {"height", static_cast<qint64>(game.ScreenHeight())},
        {"fps", project.m_FPS},
        {"slots", DescribeSlots(game)},
        {"collages", DescribeCollages(game)},
        {"overlays", DescribeOverlays(game)},
        {"components", DescribeComponents(game)},
    };
}

} // namespace Pellora::Render
