#include "framework/FrameReader.h"

#include "framework/Game.h"
#include "framework/GpuHelpers.h"

#include <cstring>

namespace Library
{
FrameReader::FrameReader(Game& game, std::size_t depth) : mGame(game), mDepth(depth == 0 ? 1 : depth)
{
}

void FrameReader::Request()
{
    if (mQueue.size() >= mDepth) {
        Collect();
    }
    Buffer staging = TakeFreeBuffer(mGame.ScreenWidth() * mGame.ScreenHeight() * 4);
    mGame.CopyPresentedPicture(staging);
    mQueue.push_back(std::move(staging));
}

Buffer FrameReader::TakeFreeBuffer(std::uint32_t bytes)
{
    while (!mFree.empty()) {
        Buffer staging = std::move(mFree.back());
        mFree.pop_back();
        if (staging.Desc().ByteWidth == bytes) {
            return staging;
        }
    }
    Buffer staging;
    ThrowIfFailed(mGame.Device().CreateBuffer({bytes, Usage::Staging, 0}, nullptr, staging), "CaptureTexture failed.");
    return staging;
}

std::span<const std::uint8_t> FrameReader::Collect()
{
    mPixels.clear();
    if (mQueue.empty()) {
        return {};
    }
    Buffer staging = std::move(mQueue.front());
    mQueue.pop_front();
    DeviceContext& context = mGame.Context();
    if (const auto* pixels = static_cast<const std::uint8_t*>(context.Map(staging, MapMode::Read))) {
        mPixels.assign(pixels, pixels + staging.Desc().ByteWidth);
        context.Unmap(staging);
    }
    mFree.push_back(std::move(staging));
    return mPixels;
}
}
