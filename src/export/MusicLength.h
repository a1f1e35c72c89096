#pragma once

#include <filesystem>
#include <optional>

namespace Export {

// The playing time of a music file in seconds, read from its container (libavformat), or nullopt
// when the file cannot be opened or holds no sound.
std::optional<double> MusicLengthSeconds(const std::filesystem::path& path);

} // namespace Export
