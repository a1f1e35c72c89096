#pragma once

#include "framework/Game.h"

#include <cstdint>
#include <memory>

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
}
