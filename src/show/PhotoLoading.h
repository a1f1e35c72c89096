#pragma once

#include "framework/PictureDecoder.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace Rendering {

// Decodes every photo on a small pool of worker threads (as many as the machine has cores, at most
// one per photo) and returns the pictures in path order; all workers are joined before it returns.
// A file that vanished or does not decode gives an empty picture. An exception thrown on a worker
// is rethrown here. Once cancelled is set, the photos not yet started stay empty.
std::vector<Library::DecodedPicture> DecodePictures(const std::vector<std::filesystem::path>& paths, std::uint32_t dim,
    const std::atomic<bool>* cancelled = nullptr);

} // namespace Rendering
