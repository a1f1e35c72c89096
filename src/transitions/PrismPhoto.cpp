#include "PrismPhoto.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Rendering {

PrismPhoto::PrismPhoto(Library::Game& game, std::shared_ptr<Library::Camera> camera, float screenWidth,
    float screenHeight)
    : TilePhoto(game, std::move(camera), screenWidth, screenHeight)
{
    mDepth = 0.0f;
    mFlipForward = true;
    SetGrid(1, 4);
}

int PrismPhoto::GetPhotoCount() const
{
    return 3;
}

float PrismPhoto::GetHoldTime() const
{
    return mTwoFaces ? 2.0f : 1.0f;
}

int PrismPhoto::GetEffectId() const
{
    return 17;
}

void PrismPhoto::Configure(const StripLayout& layout)
{
    mStripAxis = layout.stripAxis;
    mStripCount = std::max(layout.stripCount, 1);
    mFlipForward = layout.flipForward;
    mTwoFaces = layout.twoFaces;
    mReverseOrder = layout.reverseOrder;
    ApplyStripLayout();
    SetGrid(mColumns, mRows);
}

void PrismPhoto::ApplyStripLayout()
{
    mColumns = mStripAxis == 1 ? 1 : mStripCount;
    mRows = mStripAxis == 1 ? mStripCount : 1;
}

// +120 or -240 degrees bring the second photo's face to the front, -120 or +240 the third's.
std::size_t PrismPhoto::PhotoInFront() const
{
    return mFlipForward == mTwoFaces ? 2 : 1;
}

void PrismPhoto::BuildPieces()
{
    ApplyStripLayout();
    mPieceVertices.clear();
    mPieceIndexCount = 18;
    mVerticesPerPiece = StripVertexCount;
    const PieceGrid grid = Grid();
    mTileWidth = 2.0f * grid.extents.hw / static_cast<float>(mColumns);
    mTileHeight = 2.0f * grid.extents.hh / static_cast<float>(mRows);
    for (int n = 0; n < mStripCount; ++n) {
        const auto strip = BuildStripPiece(grid, n, mStripAxis);
        mPieceVertices.insert(mPieceVertices.end(), strip.begin(), strip.end());
    }
}

void PrismPhoto::ComputePieceMatrix(Library::Float4x4& out, const Library::FrameTime&, float x, int column, int row)
{
    out = PiecePlacement(column, row);
    const int n = mStripCount;
    const bool aboutX = mStripAxis == 1;
    const int index = aboutX ? row : column;
    const int r = mReverseOrder ? n - index - 1 : index;
    const float s = mStagger;
    const float delay = n > 1 ? static_cast<float>(r) * s / static_cast<float>(n - 1) : 0.0f;
    if (x < delay) {
        return;
    }
    const float e = std::min(1.0f, (x - delay) / (1.0f - s));
    const float turn = (mTwoFaces ? 4.0f : 2.0f) * std::numbers::pi_v<float> / 3.0f;
    const float angle = (mFlipForward ? 1.0f : -1.0f) * e * turn;
    // The strip turns about its centre line, which lies this far behind its front face.
    const float axisDepth = (aboutX ? mTileHeight : mTileWidth) / 2.0f * std::tan(std::numbers::pi_v<float> / 6.0f);
    const Library::Float4x4 rotation = aboutX ? Library::RotationX(angle) : Library::RotationY(angle);
    const Library::Float4x4 turned = Library::Multiply(
        Library::Multiply(Library::Translation(0.0f, 0.0f, axisDepth), rotation), Library::Translation(0.0f, 0.0f, -axisDepth));
    out = Library::Multiply(turned, out);
}

}  // namespace Rendering
