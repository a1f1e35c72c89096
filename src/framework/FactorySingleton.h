#pragma once

namespace Library
{
// What the whole process shares and makes on first use, under one lock: the EGL display every
// game's context lives on. Safe to call from any thread.
class FactorySingleton
{
public:
    static constexpr const char* NoOpenGlMessage =
        "No graphics driver with OpenGL 4.5 was found on this computer; Pellora needs it to draw the show.";

    // The first display that offers an OpenGL 4.5 core context without a window: a GPU device,
    // then Mesa's surfaceless platform, then the default display. Throws GameException with a
    // one-line explanation when none does. The display stays initialised for the process's life.
    static void* GetEglDisplay();

    // The OpenGL renderer of that display as the driver names it (GL_RENDERER), for reports such as
    // pellora-render --version and the export's closing line. Throws like GetEglDisplay.
    static const char* RendererName();
};
}
