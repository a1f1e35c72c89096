#include "framework/FactorySingleton.h"

#include "framework/DeviceChoice.h"
#include "framework/GameException.h"

#include <epoxy/egl.h>
#include <epoxy/gl.h>

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace Library
{
namespace
{
std::mutex sFactoryLock;
EGLDisplay sDisplay = EGL_NO_DISPLAY;
std::string sRendererName; // of sDisplay, read from the probe context

bool HasClientExtension(const char* name)
{
    return epoxy_has_egl_extension(EGL_NO_DISPLAY, name);
}

bool HasWord(const char* list, std::string_view word)
{
    std::string_view rest = list != nullptr ? list : "";
    while (!rest.empty()) {
        const auto end = rest.find(' ');
        if (rest.substr(0, end) == word) {
            return true;
        }
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return false;
}

DeviceTraits TraitsOf(EGLDeviceEXT device)
{
    const char* extensions = eglQueryDeviceStringEXT(device, EGL_EXTENSIONS);
    return {HasWord(extensions, "EGL_EXT_device_drm_render_node") || HasWord(extensions, "EGL_EXT_device_drm"),
        HasWord(extensions, "EGL_MESA_device_software")};
}

// Mesa lists its software device first; a graphics chip is preferred whenever one works.
std::vector<EGLDisplay> DeviceDisplays(bool forceSoftware)
{
    std::vector<EGLDisplay> displays;
    if (!HasClientExtension("EGL_EXT_platform_device") || !HasClientExtension("EGL_EXT_device_enumeration")) {
        return displays;
    }
    EGLDeviceEXT devices[16];
    EGLint count = 0;
    if (eglQueryDevicesEXT(16, devices, &count) != EGL_TRUE) {
        return displays;
    }
    std::vector<DeviceTraits> traits;
    for (EGLint i = 0; i < count; ++i) {
        traits.push_back(HasClientExtension("EGL_EXT_device_query") ? TraitsOf(devices[i]) : DeviceTraits{});
    }
    for (const std::size_t index : DeviceTryOrder(traits, forceSoftware)) {
        displays.push_back(eglGetPlatformDisplayEXT(EGL_PLATFORM_DEVICE_EXT, devices[index], nullptr));
    }
    return displays;
}

std::vector<EGLDisplay> CandidateDisplays()
{
    const bool forceSoftware = SoftwareDeviceForced();
    std::vector<EGLDisplay> displays = DeviceDisplays(forceSoftware);
    if (forceSoftware && !displays.empty()) {
        return displays;
    }
    if (HasClientExtension("EGL_MESA_platform_surfaceless")) {
        displays.push_back(eglGetPlatformDisplayEXT(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr));
    }
    displays.push_back(eglGetDisplay(EGL_DEFAULT_DISPLAY));
    return displays;
}

std::string RendererOf(EGLDisplay display, EGLContext context)
{
    const EGLDisplay previousDisplay = eglGetCurrentDisplay();
    const EGLContext previousContext = eglGetCurrentContext();
    if (eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context) != EGL_TRUE) {
        return "unknown renderer";
    }
    const auto* name = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    std::string renderer = name != nullptr ? name : "unknown renderer";
    if (previousDisplay != EGL_NO_DISPLAY) {
        eglMakeCurrent(previousDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, previousContext);
    } else {
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    }
    return renderer;
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
    sRendererName = RendererOf(display, probe);
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

const char* FactorySingleton::RendererName()
{
    GetEglDisplay();
    const std::lock_guard lock(sFactoryLock);
    return sRendererName.c_str();
}
}
