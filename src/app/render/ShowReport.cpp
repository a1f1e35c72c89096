#include "ShowReport.h"

#include "show/RenderingGame.h"
#include "transitions/ColorVerticalSwipePhoto.h"
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
        Rendering::TintPhoto, Rendering::ColorVerticalSwipePhoto>(object);
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

QJsonArray DescribeSlots(const Rendering::RenderingGame& game)
{
    QJsonArray timelineSlots;
    int index = 0;
    for (const auto& entry : game.Timeline()) {
        QJsonArray photos;
        for (const auto& path : entry.photoPaths) {
            photos.append(QString::fromStdString(path.string()));
        }
        timelineSlots.append(QJsonObject{
            {"index", index++},
            {"effect", QString::fromStdString(std::string(ComponentName(*entry.animation)))},
            {"start", entry.startTime},
            {"end", entry.endTime},
            {"hold", entry.holdTime},
            {"motion", MotionName(entry.motion)},
            {"leftToRight", entry.leftToRight},
            {"photoIndex", entry.photoIndex},
            {"photos", photos},
        });
    }
    return timelineSlots;
}

QJsonArray DescribeCollages(const Rendering::RenderingGame& game)
{
    QJsonArray collages;
    for (const auto& collage : game.Collages()) {
        collages.append(QJsonObject{
            {"script", collage.script},
            {"start", collage.startTime},
            {"entries", collage.entryCount},
        });
    }
    return collages;
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
        {"components", DescribeComponents(game)},
    };
}

} // namespace Pellora::Render
