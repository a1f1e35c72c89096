#pragma once

#include "transitions/PhotoCanvasMaker.h"

#include <cstddef>
#include <filesystem>
#include <span>
#include <vector>

namespace Rendering {

// The canvases of the first `wanted` photos of paths that prepare (missing and unreadable files
// give none), made with the collage's canvas settings. A collage entry k shows canvas k mod n, so a
// collage of E entries shows only the first min(E, n) canvases of the whole list: preparing those is
// enough, and each canvas is the same as when the whole list is prepared.
std::vector<PreparedPhoto> PrepareCollagePhotos(std::span<const std::filesystem::path> paths, std::size_t wanted);

} // namespace Rendering
