#pragma once

// Six photos of one size in one slot: the first is revealed; during the hold four further photos,
// each shrunk whole to a quarter, slide into the 2 x 2 cells of the photo area, each clipped to its
// own cell through the stencil buffer; behind them the second photo takes the first one's place,
// and it is uncovered as they slide out again. The second photo then rests and leaves.

#include "PhotoAnimation.h"
#include "PieceGeometry.h"

#include <vector>

namespace Rendering {

class FourInOnePhoto : public PhotoAnimation
{
    RTTI_DECLARATIONS(FourInOnePhoto, PhotoAnimation)

public:
    using Cell = GridCell;

    FourInOnePhoto(Library::Game& game, std::shared_ptr<Library::Camera> camera, float screenWidth,
        float screenHeight);

    void SetUp() override;
    void Render(const Library::FrameTime& frameTime) override;
    int GetPhotoCount() const override;
    float GetHoldTime() const override;
    int GetEffectId() const override;
    // Builds the cells for the photo's size unless they were built for that size already.
    void AddPhoto(std::shared_ptr<Library::TextureRes> texture) override;
    void RenderEnter(const Library::FrameTime& frameTime, float t, float span) override;
    void RenderHold(const Library::FrameTime& frameTime, float elapsed) override;
    void RenderLeave(const Library::FrameTime& frameTime, float t, float span) override;

    virtual void CreateCellResources();
    // Column-major cells; rebuilds the cells of photos added already.
    virtual void SetGrid(int columns, int rows);
    // The world matrix of the cell's inset at hold progress x; sets mWindowShowsSecond once the
    // insets cover their cells.
    virtual void ComputeInsetMatrix(Library::Float4x4& out, const Library::FrameTime& frameTime, float x, int column,
        int row);
    // The translation to the centre of cell (column, row).
    virtual void ComputeCellMatrix(Library::Float4x4& out, const Library::FrameTime& frameTime, float x, int column,
        int row);
    virtual void DrawCells(const Library::FrameTime& frameTime, float x, float span);

    // The insets leave in two pairs, one after the other.
    void SetStaggeredExit(bool staggered) { mStaggeredExit = staggered; }

    const std::vector<Cell>& Cells() const { return mCells; }
    // Cell n's part of a photo, and a whole photo at the cell's size; both centred on the origin.
    const std::array<TexturedVertex, 4>& PieceQuad(std::size_t n) const { return mPieceQuads.at(n); }
    const std::array<TexturedVertex, 4>& InsetQuad(std::size_t n) const { return mInsetQuads.at(n); }
    float CellWidth() const { return mCellWidth; }
    float CellHeight() const { return mCellHeight; }
    bool WindowShowsSecond() const { return mWindowShowsSecond; }

private:
    void BuildCells();
    void DrawCellQuad(const std::array<TexturedVertex, 4>& quad, const Library::Float4x4& world, std::size_t photo);

    int mColumns = 2;
    int mRows = 2;
    std::vector<std::array<TexturedVertex, 4>> mInsetQuads;  // in mCells order
    std::vector<std::array<TexturedVertex, 4>> mPieceQuads;
    std::vector<Cell> mCells;
    float mCellWidth = 1.0f;
    float mCellHeight = 1.0f;
    float mBuiltWidth = 0.0f;
    float mBuiltHeight = 0.0f;
    bool mStaggeredExit = false;
    Library::DepthStencilState mWriteStencilState;
    Library::DepthStencilState mCompareStencilState;
    Library::DepthStencilState mPlainDepthState;
    bool mWindowShowsSecond = false;
};

}  // namespace Rendering
