#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace Export {

// A signal that releases exactly one wait and then resets itself. Setting it while nobody waits
// keeps it set until the next wait; setting it twice before that counts once.
class AutoResetEvent {
public:
    void Set();
    void Wait();
    // False when the timeout passed without the event being set.
    bool WaitFor(std::chrono::milliseconds timeout);

private:
    std::mutex mMutex;
    std::condition_variable mChanged;
    bool mSignalled = false; // guarded by mMutex
};

} // namespace Export
