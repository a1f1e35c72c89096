#pragma once

// Changes one photo into another during the hold by cutting it into a grid of thin tiles that flip
// over one after another, showing the second photo on their backs. While they turn, an open black
// box behind them shows through the gaps.

#include "PhotoAnimation.h"
#include "PieceGeometry.h"

#include <vector>

namespace Rendering {

class TilePhoto : public PhotoAnimation
{
    RTTI_DECLARATIONS(TilePhoto, PhotoAnimation)

public:
    using Cell = GridCell;

    TilePhoto(Library::Game& game, std::shared_ptr<Library::Camera> camera, float screenWidth, float screenHeight);

    void SetUp() override;
    void Render(const Library::FrameTime& frameTime) override;
    int GetPhotoCount() const override;
    float GetHoldTime() const override;
    int GetEffectId() const override;
    // Builds the pieces for the photo's size unless they were built for that size already.
    void AddPhoto(std::shared_ptr<Library::TextureRes> texture) override;
    void RenderEnter(const Library::FrameTime& frameTime, float t, float span) override;
    void RenderHold(const Library::FrameTime& frameTime, float elapsed) override;
    void RenderLeave(const Library::FrameTime& frameTime, float t, float span) override;

    virtual void CreateFaceShaders();
    // Column-major cells: all rows of column 0 first. Rebuilds the pieces of photos added already.
    virtual void SetGrid(int columns, int rows);
    // The world matrix of the piece in (column, row) at hold progress x in [0, 1].
    virtual void ComputePieceMatrix(Library::Float4x4& out, const Library::FrameTime& frameTime, float x,
        int column, int row);
    virtual void DrawPieces(const Library::FrameTime& frameTime, float x, float span);

    // 0: tiles flip about the x axis, 1: about the y axis. Set before the photos are added.
    void SetFlipAxis(int axis) { mFlipAxis = axis; }
    // Share of the hold over which the pieces' starts are spread.
    void SetStagger(float stagger) { mStagger = stagger; }

    const std::vector<Cell>& Cells() const { return mCells; }
    std::size_t PieceCount() const { return mVerticesPerPiece == 0 ? 0 : mPieceVertices.size() / mVerticesPerPiece; }
    // The vertices of piece n, in the piece's own frame.
    std::span<const FacedVertex> PieceVertices(std::size_t n) const;
    float TileWidth() const { return mTileWidth; }
    float TileHeight() const { return mTileHeight; }
    // Whether the piece whose matrix was computed last lies within 1 % of its start or end.
    bool IsFlat() const { return mFlat; }

protected:
    // The photo that is in front once the pieces have turned, and leaves.
    virtual std::size_t PhotoInFront() const;
    virtual void BuildPieces();
    PieceGrid Grid() const;
    // The translation that puts the piece in (column, row) in place, lifted, then mWorld.
    Library::Float4x4 PiecePlacement(int column, int row) const;

    int mColumns = 4;
    int mRows = 4;
    std::vector<FacedVertex> mPieceVertices;  // every piece, in mCells order
    std::size_t mVerticesPerPiece = 0;
    std::vector<Cell> mCells;
    float mTileWidth = 0.0f;
    float mTileHeight = 0.0f;
    float mBuiltWidth = 0.0f;
    float mBuiltHeight = 0.0f;
    int mFlipAxis = 0;
    float mBackDepth = -0.5f;
    bool mFlipForward = true;
    float mStagger = 0.6f;
    std::array<std::array<float, 4>, BackingVertexCount> mBacking{};
    std::uint32_t mBackingIndexCount = 0;
    std::uint32_t mPieceIndexCount = 36;
    bool mFlat = false;

private:
    void BuildBacking(std::size_t photoIndex);
    void DrawBacking();

    // The game's shared sets.
    const PhotoShaders* mBackingShaders = nullptr;
    const PhotoShaders* mFaceShaders = nullptr;
};

}  // namespace Rendering
