#pragma once

namespace Pellora::Render {

// pellora-render --version: the program's version, the OpenGL renderer the show would be drawn on
// and the video encoders an export would use. Returns 0.
int PrintVersion();

} // namespace Pellora::Render
