#include "show/CollageLayout.h"

#include <algorithm>

namespace Rendering {

namespace {

constexpr float CollageScale = 0.76f;
constexpr float SceneDepth = 0.66f; // nearer the camera than the scene origin, like the transitions

} // namespace

Library::Float3 AccumulateKeyFrames(const std::vector<KeyFrame>& list, float e)
{
    Library::Float3 total;
    float sum = 0.0f;
    for (const KeyFrame& key : list) {
        sum += key.t;
        const Library::Float3 change{key.x, key.y, key.z};
        if (e >= sum) {
            total = total + change;
            continue;
        }
        if (key.t > 0.0f) {
            total = total + change * ((e - (sum - key.t)) / key.t);
        }
        break;
    }
    return total;
}

void ScaleCollageEntry(BlurPhotoAniInfo& entry, float timeScale)
{
    entry.delay *= timeScale;
    entry.disappear *= timeScale;
    for (auto* list : {&entry.rotate, &entry.translate, &entry.translate_after, &entry.rotate_after,
             &entry.translate_back}) {
        for (KeyFrame& key : *list) {
            key.t *= timeScale;
        }
    }
    entry.scale *= CollageScale;
}

Library::Float4x4 CollageWorld(const BlurPhotoAniInfo& entry, float e)
{
    using namespace Library;
    const Float3 r1 = AccumulateKeyFrames(entry.rotate, e);
    const Float3 t1 = AccumulateKeyFrames(entry.translate, e) + AccumulateKeyFrames(entry.translate_after, e);
    const Float3 r2 = AccumulateKeyFrames(entry.rotate_after, e);
    const Float3 tb = AccumulateKeyFrames(entry.translate_back, e);
    const float s = entry.scale;
    Float4x4 world = Scaling(s, s, s);
    for (const Float4x4& next : {RotationX(r1.x), RotationY(r1.y), RotationZ(r1.z),
             Translation(t1.x, t1.y, t1.z + SceneDepth), RotationX(r2.x), RotationY(r2.y), RotationZ(r2.z),
             Translation(tb.x, tb.y, tb.z)}) {
        world = Multiply(world, next);
    }
    return world;
}

bool CollagePhotoShownAt(float startTime, float disappear, float t)
{
    return startTime <= t && t <= startTime + disappear;
}

std::vector<std::size_t> CollagePhotoOrder(std::size_t entryCount, std::size_t photoCount, bool onePerPhoto)
{
    std::vector<std::size_t> order;
    if (photoCount == 0) {
        return order;
    }
    const std::size_t count = onePerPhoto ? std::min(entryCount, photoCount) : entryCount;
    for (std::size_t k = 0; k < count; ++k) {
        order.push_back(k % photoCount);
    }
    return order;
}

std::array<TexturedVertex, 4> CollageQuad(float texRight, float texBottom, float halfHeight, float z)
{
    const float w = texRight;
    const float h = texBottom > 0.0f ? texBottom : 1.0f;
    const float halfWidth = halfHeight * w / h;
    const bool landscape = w >= h;
    const float uMax = landscape ? 1.0f : w / h;
    const float vMax = landscape ? (w > 0.0f ? h / w : 1.0f) : 1.0f;
    std::array<TexturedVertex, 4> quad{};
    WriteQuad({-halfWidth, halfWidth, -halfHeight, halfHeight, 0.0f, uMax, 0.0f, vMax}, z, quad);
    return quad;
}

} // namespace Rendering
