#pragma once

#include "RenderOptions.h"

namespace Pellora::Render {

// pellora-render --demo FILE.mp4: writes the demo show (generated photos, music and project) into a
// temporary folder, exports it like --out would, and removes the folder again.
int ExportDemo(const RenderOptions& options);

} // namespace Pellora::Render
