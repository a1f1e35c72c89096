#include "show/PhotoPicker.h"

#include <algorithm>

namespace Rendering {

namespace {
constexpr std::size_t MinPickLength = 3;
}

void PhotoPicker::Reset(const std::vector<PhotoSize>& loadedSizes)
{
    mSizeGroups.clear();
    for (std::size_t i = 0; i < loadedSizes.size(); ++i) {
        mSizeGroups[loadedSizes[i]].push_back(i);
    }
    mCountIndex.assign(MaxPhotoCount + 1, {});
    for (int n = 1; n <= MaxPhotoCount; ++n) {
        for (const auto& [size, members] : mSizeGroups) {
            if (members.size() >= static_cast<std::size_t>(n)) {
                mCountIndex[static_cast<std::size_t>(n)].push_back(size);
            }
        }
    }
    mLoadedCount = loadedSizes.size();
    mSingleCursor = 0;
    mGroupCursor = 0;
    mGroupOffset = 0;
}

const std::vector<PhotoSize>& PhotoPicker::QualifyingGroups(int n) const
{
    static const std::vector<PhotoSize> none;
    if (n < 1 || n > MaxPhotoCount || mCountIndex.empty()) {
        return none;
    }
    return mCountIndex[static_cast<std::size_t>(n)];
}

bool PhotoPicker::HasGroupOf(int n) const
{
    return !QualifyingGroups(n).empty();
}

PickedPhotos PhotoPicker::Pick(int n)
{
    const auto& groups = QualifyingGroups(n);
    if (groups.empty()) {
        return {};
    }
    PickedPhotos picked;
    if (n == 1) {
        picked.push_back(mSingleCursor % mLoadedCount);
        ++mSingleCursor;
    } else {
        std::size_t g = 0;
        if (groups.size() > 1) {
            g = mGroupCursor % groups.size();
            ++mGroupCursor;
        }
        const auto& members = mSizeGroups.at(groups[g]);
        for (std::size_t k = 0; k < static_cast<std::size_t>(n); ++k) {
            picked.push_back(members[(k + mGroupOffset) % members.size()]);
        }
        mGroupOffset += static_cast<std::size_t>(n);
    }
    picked.resize(std::max(picked.size(), MinPickLength));
    return picked;
}

} // namespace Rendering
