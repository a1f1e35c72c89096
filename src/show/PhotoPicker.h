#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace Rendering {

// Fitted size of a loaded photo (pixels inside its texture); photos with equal sizes can share a
// multi-photo transition.
using PhotoSize = std::pair<unsigned, unsigned>;

// One pick: indices into the loaded photo list, std::nullopt for an empty position.
using PickedPhotos = std::vector<std::optional<std::size_t>>;

// Chooses the photos of each timeline slot. Single-photo slots walk through all photos in order;
// multi-photo slots walk through one size group at a time, so a transition only ever combines photos
// of identical fitted size. The cursors live for one show assembly.
class PhotoPicker {
public:
    static constexpr int MaxPhotoCount = 6;

    // Groups the loaded photos (given by their fitted sizes, in project order) and rebuilds the
    // count index; resets every cursor.
    void Reset(const std::vector<PhotoSize>& loadedSizes);

    // n photos for a slot, padded with empty positions to at least three; empty when no group holds
    // n photos.
    PickedPhotos Pick(int n);

    // Whether some size group holds at least n photos.
    bool HasGroupOf(int n) const;

    const std::map<PhotoSize, std::vector<std::size_t>>& SizeGroups() const { return mSizeGroups; }

private:
    const std::vector<PhotoSize>& QualifyingGroups(int n) const;

    std::map<PhotoSize, std::vector<std::size_t>> mSizeGroups;
    std::vector<std::vector<PhotoSize>> mCountIndex; // [n] -> sizes of the groups holding >= n photos
    std::size_t mLoadedCount = 0;
    std::size_t mSingleCursor = 0;
    std::size_t mGroupCursor = 0;
    std::size_t mGroupOffset = 0;
};

} // namespace Rendering
