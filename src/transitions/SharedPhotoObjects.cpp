#include "SharedPhotoObjects.h"

#include "PieceGeometry.h"

#include "framework/GpuHelpers.h"

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

EffectObjects& SharedPhotoObjects::Effect(Library::GraphicsDevice& device, std::string_view pixelShaderKey,
    std::initializer_list<std::uint32_t> constantSizes)
{
    const auto found = effects.find(pixelShaderKey);
    if (found != effects.end()) {
        return found->second;
    }
    EffectObjects created;
    created.shaders.Create(device, pixelShaderKey);
    for (const std::uint32_t size : constantSizes) {
        Library::CreateConstantBuffer(device, size, created.constantBuffers.emplace_back());
    }
    return effects.emplace(std::string(pixelShaderKey), std::move(created)).first->second;
}

const PhotoShaders& SharedPhotoObjects::Shaders(Library::GraphicsDevice& device, std::string_view vertexShaderKey,
    std::string_view pixelShaderKey, std::span<const Library::InputElementDesc> layout)
{
    const auto found = pieceShaders.find(pixelShaderKey);
    if (found != pieceShaders.end()) {
        return found->second;
    }
    PhotoShaders created;
    created.Create(device, vertexShaderKey, pixelShaderKey, layout);
    return pieceShaders.emplace(std::string(pixelShaderKey), std::move(created)).first->second;
}

void SharedPhotoObjects::CreatePieceMeshes(Library::GraphicsDevice& device)
{
    if (piece.vertexBuffer) {
        return;
    }
    constexpr auto indices = QuadIndices<TileVertexCount / 4>();
    piece.indexCount = static_cast<std::uint32_t>(indices.size());
    Library::CreateIndexBuffer16(device, indices, piece.indexBuffer);
    Library::CreateDynamicVertexBuffer(device, sizeof(FacedVertex) * TileVertexCount, piece.vertexBuffer);
    constexpr auto backingIndices = QuadIndices<BackingVertexCount / 4>();
    backing.indexCount = static_cast<std::uint32_t>(backingIndices.size());
    Library::CreateIndexBuffer16(device, backingIndices, backing.indexBuffer);
    Library::CreateDynamicVertexBuffer(device, sizeof(float) * 4 * BackingVertexCount, backing.vertexBuffer);
}

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
