#include "framework/GlObject.h"

#include "framework/FactorySingleton.h"
#include "framework/GameException.h"

#include <epoxy/egl.h>
#include <epoxy/gl.h>

#include <cstdio>
#include <utility>

namespace Library
{
namespace
{
constexpr const char* NoOpenGl45 = FactorySingleton::NoOpenGlMessage;

#ifndef NDEBUG
// Debug builds report what the driver finds wrong as it happens, instead of a glGetError after
// every call.
void GLAPIENTRY ReportGlMessage(GLenum, GLenum type, GLuint, GLenum severity, GLsizei, const GLchar* message, const void*)
{
    if (type == GL_DEBUG_TYPE_ERROR || severity == GL_DEBUG_SEVERITY_HIGH) {
        std::fprintf(stderr, "OpenGL: %s\n", message);
    }
}

constexpr EGLint DebugContext = EGL_TRUE;
#else
constexpr EGLint DebugContext = EGL_FALSE;
#endif

EGLContext CreateCoreContext(EGLDisplay display)
{
    if (eglBindAPI(EGL_OPENGL_API) != EGL_TRUE) {
        throw GameException(NoOpenGl45, eglGetError());
    }
    const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION, 4, EGL_CONTEXT_MINOR_VERSION, 5,
        EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT, EGL_CONTEXT_OPENGL_DEBUG, DebugContext,
        EGL_NONE};
    EGLContext context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    if (context == EGL_NO_CONTEXT) {
        throw GameException(NoOpenGl45, eglGetError());
    }
    return context;
}
}

EglContext::EglContext()
    : mDisplay(FactorySingleton::GetEglDisplay()), mOwnerThread(std::this_thread::get_id())
{
    mContext = CreateCoreContext(mDisplay);
    MakeCurrent();
    if (epoxy_gl_version() < 45) {
        eglMakeCurrent(mDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroyContext(mDisplay, mContext);
        throw GameException(NoOpenGl45);
    }
    // Direct3D conventions keep the scene math unchanged: row 0 of every target is the top of
    // the picture and clip-space depth runs from 0 to 1.
    glClipControl(GL_UPPER_LEFT, GL_ZERO_TO_ONE);
#ifndef NDEBUG
    glEnable(GL_DEBUG_OUTPUT);
    glDebugMessageCallback(ReportGlMessage, nullptr);
#endif
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
}

EglContext::~EglContext()
{
    if (IsCurrent()) {
        eglMakeCurrent(mDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    }
    eglDestroyContext(mDisplay, mContext);
}

bool EglContext::IsCurrent() const
{
    return eglGetCurrentContext() == mContext;
}

void EglContext::MakeCurrent()
{
    if (IsCurrent()) {
        return;
    }
    if (std::this_thread::get_id() != mOwnerThread) {
        throw GameException("The game's graphics context can only be used by the thread that created it.");
    }
    if (eglMakeCurrent(mDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, mContext) != EGL_TRUE) {
        throw GameException("eglMakeCurrent() failed.", eglGetError());
    }
}

std::thread::id EglContext::OwnerThread() const
{
    return mOwnerThread;
}

bool EglContext::MakeCurrentFor(void*& previousContext)
{
    previousContext = eglGetCurrentContext();
    return eglMakeCurrent(mDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, mContext) == EGL_TRUE;
}

void EglContext::RestorePrevious(void* previousContext)
{
    eglMakeCurrent(mDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, static_cast<EGLContext>(previousContext));
}

GlName::GlName(GlKind kind, std::uint32_t name, std::weak_ptr<EglContext> owner)
    : mKind(kind), mName(name), mOwner(std::move(owner))
{
}

GlName::~GlName()
{
    Release();
}

GlName::GlName(GlName&& other) noexcept
    : mKind(other.mKind), mName(std::exchange(other.mName, 0)), mOwner(std::move(other.mOwner))
{
}

GlName& GlName::operator=(GlName&& other) noexcept
{
    if (this != &other) {
        Release();
        mKind = other.mKind;
        mName = std::exchange(other.mName, 0);
        mOwner = std::move(other.mOwner);
    }
    return *this;
}

void GlName::Release() noexcept
{
    const auto owner = mOwner.lock();
    const GLuint name = std::exchange(mName, 0);
    if (!owner || name == 0) {
        return;
    }
    owner->WithCurrent([this, name] {
        switch (mKind) {
        case GlKind::Buffer: glDeleteBuffers(1, &name); break;
        case GlKind::Texture: glDeleteTextures(1, &name); break;
        case GlKind::Framebuffer: glDeleteFramebuffers(1, &name); break;
        case GlKind::VertexArray: glDeleteVertexArrays(1, &name); break;
        case GlKind::Sampler: glDeleteSamplers(1, &name); break;
        case GlKind::Program: glDeleteProgram(name); break;
        case GlKind::ProgramPipeline: glDeleteProgramPipelines(1, &name); break;
        }
    });
}
}
