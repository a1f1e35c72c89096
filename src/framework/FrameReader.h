#pragma once

#include "framework/GpuResources.h"

#include <cstdint>
#include <deque>
#include <span>
#include <vector>

namespace Library
{
class Game;

// Reads presented pictures back to the CPU through staging buffers, so that the GPU copy of one
// frame can overlap drawing the next: Request after Present queues a copy, Collect waits for the
// oldest queued copy. Used on the game's thread only; the game must outlive the reader.
class FrameReader
{
public:
    // depth: how many copies may be queued before Request has to collect one itself.
    explicit FrameReader(Game& game, std::size_t depth = 2);

    // Queues a copy of the picture presented last.
    void Request();
    // Number of queued copies.
    std::size_t Pending() const { return mQueue.size(); }
    // B, G, R, A bytes with alpha 255, top row first, width x 4 bytes a row; empty when nothing was
    // queued or the copy could not be read. Valid until the next Collect.
    std::span<const std::uint8_t> Collect();

private:
    Buffer TakeFreeBuffer(std::uint32_t bytes);

    Game& mGame;
    std::size_t mDepth;
    std::vector<Buffer> mFree;
    std::deque<Buffer> mQueue;
    std::vector<std::uint8_t> mPixels;
};
}
