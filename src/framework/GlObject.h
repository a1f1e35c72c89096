#pragma once

#include <cstdint>
#include <memory>
#include <thread>

namespace Library
{
// One OpenGL 4.5 core context on the process-wide EGL display, without any surface. Created and
// made current on the thread that owns the game; destroyed when the last owner lets go.
class EglContext
{
public:
    EglContext();
    ~EglContext();
    EglContext(const EglContext&) = delete;
    EglContext& operator=(const EglContext&) = delete;

    bool IsCurrent() const;
    // Makes the context current on the calling thread; throws GameException when it cannot be.
    void MakeCurrent();
    // Runs release work with this context current, restoring whatever was current before. Skips
    // the work when the context is current on another thread (its objects then die with it).
    template <typename Work>
    void WithCurrent(Work&& work);

    std::thread::id OwnerThread() const;

private:
    bool MakeCurrentFor(void*& previousContext);
    void RestorePrevious(void* previousContext);

    void* mDisplay = nullptr;
    void* mContext = nullptr;
    std::thread::id mOwnerThread;
};

template <typename Work>
void EglContext::WithCurrent(Work&& work)
{
    void* previous = nullptr;
    if (IsCurrent()) {
        work();
    } else if (MakeCurrentFor(previous)) {
        work();
        RestorePrevious(previous);
    }
}

enum class GlKind
{
    Buffer,
    Texture,
    Framebuffer,
    VertexArray,
    Sampler,
    Program,
    ProgramPipeline,
};

// A move-only owner of one GL object name. Deleting needs the creating context; when that context
// is already gone the name went with it and nothing is done.
class GlName
{
public:
    GlName() = default;
    GlName(GlKind kind, std::uint32_t name, std::weak_ptr<EglContext> owner);
    ~GlName();
    GlName(GlName&& other) noexcept;
    GlName& operator=(GlName&& other) noexcept;
    GlName(const GlName&) = delete;
    GlName& operator=(const GlName&) = delete;

    std::uint32_t Get() const { return mName; }
    explicit operator bool() const { return mName != 0; }

private:
    void Release() noexcept;

    GlKind mKind = GlKind::Buffer;
    std::uint32_t mName = 0;
    std::weak_ptr<EglContext> mOwner;
};
}
