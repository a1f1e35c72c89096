#include "FrameReadBack.h"

#include "framework/Game.h"
#include "framework/GameException.h"
#include "framework/GpuHelpers.h"

#include <stdexcept>

namespace Export {

FrameReadBack::FrameReadBack(Library::Game& game, std::size_t depth)
    : mGame(game)
    , mBuffers(depth == 0 ? 1 : depth)
{
    const std::uint32_t bytes = game.ScreenWidth() * game.ScreenHeight() * 4;
    for (Library::Buffer& buffer : mBuffers) {
        Library::ThrowIfFailed(
            game.Device().CreateBuffer({bytes, Library::Usage::Staging, 0}, nullptr, buffer), "CaptureTexture failed.");
    }
}

FrameReadBack::~FrameReadBack()
{
    if (mMapped) {
        mGame.Context().Unmap(mBuffers[mOldest]);
    }
}

void FrameReadBack::Queue()
{
    if (Full()) {
        throw std::logic_error("A picture was read back into a buffer that still holds an earlier one.");
    }
    mGame.CopyPresentedPicture(mBuffers[(mOldest + mQueued) % mBuffers.size()]);
    ++mQueued;
}

std::span<const uint8_t> FrameReadBack::MapOldest()
{
    const Library::Buffer& buffer = mBuffers[mOldest];
    const auto* pixels = static_cast<const uint8_t*>(mGame.Context().Map(buffer, Library::MapMode::Read));
    if (pixels == nullptr) {
        throw Library::GameException("CaptureTexture failed.");
    }
    mMapped = true;
    return {pixels, buffer.Desc().ByteWidth};
}

void FrameReadBack::ReleaseOldest()
{
    if (mMapped) {
        mGame.Context().Unmap(mBuffers[mOldest]);
        mMapped = false;
    }
    mOldest = (mOldest + 1) % mBuffers.size();
    --mQueued;
}

} // namespace Export
