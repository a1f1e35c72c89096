#include "framework/FactorySingleton.h"

#include "framework/GameException.h"

#include <epoxy/egl.h>

#include <mutex>
#include <vector>

namespace Library
{
namespace
{
std::mutex sFactoryLock;
EGLDisplay sDisplay = EGL_NO_DISPLAY;

bool HasClientExtension(const char* name)
{
    return epoxy_has_egl_extension(EGL_NO_DISPLAY, name);
}

std::vector<EGLDisplay> CandidateDisplays()
{
    std::vector<EGLDisplay> displays;
    if (HasClientExtension("EGL_EXT_platform_device") && HasClientExtension("EGL_EXT_device_enumeration")) {
        EGLDeviceEXT devices[8];
        EGLint count = 0;
        if (eglQueryDevicesEXT(8, devices, &count) == EGL_TRUE) {
            for (EGLint i = 0; i < count; ++i) {
                displays.push_back(eglGetPlatformDisplayEXT(EGL_PLATFORM_DEVICE_EXT, devices[i], nullptr));
            }
        }
    }
    if (HasClientExtension("EGL_MESA_platform_surfaceless")) {
        displays.push_back(eglGetPlatformDisplayEXT(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr));
    }
    displays.push_back(eglGetDisplay(EGL_DEFAULT_DISPLAY));
    return displays;
}

// A display qualifies when it can make a surfaceless OpenGL 4.5 core context.
bool OffersCoreContext(EGLDisplay display)
{
    if (display == EGL_NO_DISPLAY || eglInitialize(display, nullptr, nullptr) != EGL_TRUE) {
        return false;
    }
    const bool capable = epoxy_has_egl_extension(display, "EGL_KHR_surfaceless_context")
        && epoxy_has_egl_extension(display, "EGL_KHR_no_config_context") && eglBindAPI(EGL_OPENGL_API) == EGL_TRUE;
    const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION, 4, EGL_CONTEXT_MINOR_VERSION, 5,
        EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT, EGL_NONE};
    EGLContext probe = capable ? eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes)
                               : EGL_NO_CONTEXT;
    if (probe == EGL_NO_CONTEXT) {
        eglTerminate(display);
        return false;
    }
    eglDestroyContext(display, probe);
    return true;
}
}

void* FactorySingleton::GetEglDisplay()
{
    const std::lock_guard lock(sFactoryLock);
    if (sDisplay == EGL_NO_DISPLAY) {
        for (EGLDisplay display : CandidateDisplays()) {
            if (OffersCoreContext(display)) {
                sDisplay = display;
                break;
            }
        }
    }
    if (sDisplay == EGL_NO_DISPLAY) {
        throw GameException(NoOpenGlMessage);
    }
    return sDisplay;
}
}
