#pragma once

#include "framework/Game.h"
#include "framework/GpuHelpers.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace PelloraTest
{
// A game whose render size the test controls.
struct SizedGame
{
    explicit SizedGame(std::uint32_t w = 8, std::uint32_t h = 8,
        Library::TargetKind kind = Library::TargetKind::ExportWindow)
        : width(w), height(h), game(std::make_unique<Library::Game>(
                                       [this](std::uint32_t& outWidth, std::uint32_t& outHeight) {
                                           outWidth = width;
                                           outHeight = height;
                                       },
                                       kind))
    {
    }

    std::uint32_t width;
    std::uint32_t height;
    std::unique_ptr<Library::Game> game;
};

// The picture the game presented last, as B, G, R, A bytes, top row first.
inline std::vector<std::uint8_t> ReadPresentedPicture(Library::Game& game)
{
    const std::size_t bytes = std::size_t{game.ScreenWidth()} * game.ScreenHeight() * 4;
    Library::Buffer staging;
    Library::ThrowIfFailed(
        game.Device().CreateBuffer({static_cast<std::uint32_t>(bytes), Library::Usage::Staging, 0}, nullptr, staging),
        "staging");
    game.CopyPresentedPicture(staging);
    auto& context = game.Context();
    const auto* mapped = static_cast<const std::uint8_t*>(context.Map(staging, Library::MapMode::Read));
    std::vector<std::uint8_t> picture(mapped, mapped + bytes);
    context.Unmap(staging);
    return picture;
}
}
