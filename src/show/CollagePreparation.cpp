#include "show/CollagePreparation.h"

#include <algorithm>
#include <iterator>

namespace Rendering {

std::vector<PreparedPhoto> PrepareCollagePhotos(std::span<const std::filesystem::path> paths, std::size_t wanted)
{
    std::vector<PreparedPhoto> prepared;
    auto next = paths.begin();
    // A photo that does not prepare leaves a place free, which the next round fills from further on.
    while (prepared.size() < wanted && next != paths.end()) {
        const auto round = std::min<std::ptrdiff_t>(
            static_cast<std::ptrdiff_t>(wanted - prepared.size()), std::distance(next, paths.end()));
        PhotoCanvasMaker maker;
        maker.canvasSize = 1024.0f;
        maker.blurRadius = 1;
        maker.margin = 0.0f;
        maker.borderWidth = 24.0f;
        maker.blurEnabled = true;
        maker.cornerShading = true;
        maker.photoPaths.assign(next, next + round);
        next += round;
        maker.prepare();
        std::move(maker.results.begin(), maker.results.end(), std::back_inserter(prepared));
    }
    return prepared;
}

} // namespace Rendering
