#include "SharedPhotoObjects.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

namespace Rendering {

namespace {

struct Entry
{
    std::weak_ptr<Library::EglContext> context;
    std::shared_ptr<SharedPhotoObjects> objects;
};

std::mutex registryLock;
std::vector<Entry> registry;  // guarded by registryLock

}  // namespace

std::shared_ptr<SharedPhotoObjects> SharedPhotoObjects::For(Library::Game& game)
{
    const std::shared_ptr<Library::EglContext>& context = game.Device().Context();
    std::vector<Entry> expired;
    std::lock_guard lock(registryLock);
    // The GL names of an expired set died with their context; releasing them does no GL work.
    const auto dead = std::partition(registry.begin(), registry.end(),
        [](const Entry& entry) { return !entry.context.expired(); });
    std::move(dead, registry.end(), std::back_inserter(expired));
    registry.erase(dead, registry.end());
    for (const Entry& entry : registry) {
        if (entry.context.lock() == context) {
            return entry.objects;
        }
    }
    registry.push_back({context, std::make_shared<SharedPhotoObjects>()});
    return registry.back().objects;
}

}  // namespace Rendering
