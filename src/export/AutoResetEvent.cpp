#include "AutoResetEvent.h"

namespace Export {

void AutoResetEvent::Set()
{
    {
        std::lock_guard lock(mMutex);
        mSignalled = true;
    }
    mChanged.notify_one();
}

void AutoResetEvent::Wait()
{
    std::unique_lock lock(mMutex);
    mChanged.wait(lock, [this] { return mSignalled; });
    mSignalled = false;
}

bool AutoResetEvent::WaitFor(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mMutex);
    if (!mChanged.wait_for(lock, timeout, [this] { return mSignalled; })) {
        return false;
    }
    mSignalled = false;
    return true;
}

} // namespace Export
