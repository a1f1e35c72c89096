#pragma once

#include <QJsonObject>

namespace Rendering {
class RenderingGame;
}

namespace Pellora::Render {

// The assembled show as JSON: frame size, lengths, every timeline slot with its photos, the
// scheduled collages and the components in draw order.
QJsonObject DescribeShow(Rendering::RenderingGame& game);

} // namespace Pellora::Render
