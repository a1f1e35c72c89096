#include "TilePhoto.h"

#include "framework/Camera.h"
#include "framework/GpuHelpers.h"

#include <algorithm>
#include <cstring>
#include <numbers>

namespace Rendering {

namespace {

constexpr float Lift = 0.66f;
constexpr std::uint32_t FrontAndBackIndexCount = 12;

constexpr std::array<Library::InputElementDesc, 3> FacedVertexLayout{{
    {"POSITION", 0, Library::Format::R32G32B32A32Float, 0, 0},
    {"TEXCOORD", 0, Library::Format::R32G32Float, 0, Library::AppendAlignedElement},
    {"FRONTBACK", 0, Library::Format::R32SInt, 0, Library::AppendAlignedElement},
}};
constexpr std::array<Library::InputElementDesc, 1> PositionLayout{{
    {"POSITION", 0, Library::Format::R32G32B32A32Float, 0, 0},
}};

// i / (n - 1), or 0 for a single piece.
float Share(int i, int n)
{
    return n > 1 ? static_cast<float>(i) / static_cast<float>(n - 1) : 0.0f;
}

}  // namespace

TilePhoto::TilePhoto(Library::Game& game, std::shared_ptr<Library::Camera> camera, float screenWidth,
    float screenHeight)
    : PhotoAnimation(game, std::move(camera), screenWidth, screenHeight)
{
    mDepth = 0.001f;
    SetGrid(4, 4);
}

void TilePhoto::SetUp()
{
    SharedPhotoObjects& shared = Shared();
    Library::GraphicsDevice& device = mGame->Device();
    shared.CreatePieceMeshes(device);
    if (mBackingShaders == nullptr) {
        mBackingShaders = &shared.Shaders(device, "transitions/Backing.vert", "transitions/Black.frag", PositionLayout);
    }
    CreateFaceShaders();
}

void TilePhoto::CreateFaceShaders()
{
    if (mFaceShaders == nullptr) {
        mFaceShaders =
            &Shared().Shaders(mGame->Device(), "transitions/Faced.vert", "transitions/PieceFaces.frag", FacedVertexLayout);
    }
}

void TilePhoto::Render(const Library::FrameTime& frameTime)
{
    RenderPhases(frameTime);
}

int TilePhoto::GetPhotoCount() const
{
    return 2;
}

float TilePhoto::GetHoldTime() const
{
    return 1.0f;
}

int TilePhoto::GetEffectId() const
{
    return 22;
}

void TilePhoto::SetGrid(int columns, int rows)
{
    mColumns = std::max(columns, 1);
    mRows = std::max(rows, 1);
    mCells = ColumnMajorCells(mColumns, mRows);
    if (!mPhotos.empty()) {
        BuildPieces();
    }
}

void TilePhoto::AddPhoto(std::shared_ptr<Library::TextureRes> texture)
{
    if (!AddPhotoOfNewSize(std::move(texture), mBuiltWidth, mBuiltHeight)) {
        return;
    }
    BuildPieces();
    BuildBacking(mPhotos.size() - 1);
}

PieceGrid TilePhoto::Grid() const
{
    PieceGrid grid;
    grid.columns = mColumns;
    grid.rows = mRows;
    grid.extents = ComputePhotoExtents(mBuiltWidth, mBuiltHeight, mHalfHeightWide, mHalfHeightTall);
    grid.z = mDepth;
    return grid;
}

void TilePhoto::BuildPieces()
{
    mPieceVertices.clear();
    mPieceIndexCount = 36;
    mVerticesPerPiece = TileVertexCount;
    if (mFlipAxis != 0 && mFlipAxis != 1) {
        return;
    }
    const PieceGrid grid = Grid();
    mTileWidth = 2.0f * grid.extents.hw / static_cast<float>(mColumns);
    mTileHeight = 2.0f * grid.extents.hh / static_cast<float>(mRows);
    for (const Cell& cell : mCells) {
        const auto piece = BuildTilePiece(grid, cell.column, cell.row, mFlipAxis);
        mPieceVertices.insert(mPieceVertices.end(), piece.begin(), piece.end());
    }
}

void TilePhoto::BuildBacking(std::size_t photoIndex)
{
    if (photoIndex > 2) {
        return;
    }
    mBackingIndexCount = 30;
    mBacking = BuildBackingBox(Grid().extents, mBackDepth);
}

std::span<const FacedVertex> TilePhoto::PieceVertices(std::size_t n) const
{
    if (n >= PieceCount()) {
        return {};
    }
    return std::span<const FacedVertex>(mPieceVertices).subspan(n * mVerticesPerPiece, mVerticesPerPiece);
}

std::size_t TilePhoto::PhotoInFront() const
{
    return 1;
}

void TilePhoto::RenderEnter(const Library::FrameTime&, float t, float)
{
    DrawPhotoQuad(0, t, false, Shared().textured);
}

void TilePhoto::RenderLeave(const Library::FrameTime&, float t, float)
{
    DrawPhotoQuad(PhotoInFront(), t, true, Shared().textured);
}

void TilePhoto::RenderHold(const Library::FrameTime& frameTime, float elapsed)
{
    DrawFrameRing(1.0f, mFrameSpan);
    const float x = HoldProgress(elapsed, Times());
    if (Shared().framesEnabled) {
        DrawBacking();
    }
    DrawPieces(frameTime, x, mFrameSpan);
}

Library::Float4x4 TilePhoto::PiecePlacement(int column, int row) const
{
    const float x = mTileWidth * (static_cast<float>(column) + 0.5f) - static_cast<float>(mColumns) * mTileWidth / 2.0f;
    const float y = static_cast<float>(mRows) * mTileHeight / 2.0f - mTileHeight * (static_cast<float>(row) + 0.5f);
    return Library::Multiply(Library::Translation(x, y, Lift), mWorld);
}

void TilePhoto::ComputePieceMatrix(Library::Float4x4& out, const Library::FrameTime&, float x, int column, int row)
{
    out = PiecePlacement(column, row);
    const float s = mStagger;
    const bool aboutX = mFlipAxis == 0;
    const float delay = aboutX ? s * Share(row, mRows) + 0.6f * s * Share(column, mColumns)
                               : s * Share(column, mColumns) + 0.6f * s * Share(row, mRows);
    if (x < delay) {
        return;
    }
    const float f = std::min(1.0f, (x - delay) / (1.0f - 1.6f * s));
    if (f > 0.99f || f < 0.01f) {
        mFlat = true;
    }
    const float angle = (mFlipForward ? 1.0f : -1.0f) * f * std::numbers::pi_v<float>;
    out = Library::Multiply(aboutX ? Library::RotationX(angle) : Library::RotationY(angle), out);
}

void TilePhoto::DrawBacking()
{
    SharedPhotoObjects& shared = Shared();
    if (mBackingShaders == nullptr || mBackingIndexCount == 0 || !shared.backing.vertexBuffer || !HasVisiblePhoto()) {
        return;
    }
    Library::DeviceContext& context = mGame->Context();
    context.IASetPrimitiveTopology(Library::PrimitiveTopology::TriangleList);
    context.IASetInputLayout(&mBackingShaders->inputLayout);
    context.IASetVertexBuffers(0, &shared.backing.vertexBuffer, sizeof(mBacking[0]), 0);
    context.IASetIndexBuffer(&shared.backing.indexBuffer, Library::Format::R16UInt, 0);
    context.VSSetShader(&mBackingShaders->vertexShader);
    context.PSSetShader(&mBackingShaders->pixelShader);
    UploadWvp(LiftedWvp());
    if (void* mapped = context.Map(shared.backing.vertexBuffer, Library::MapMode::WriteDiscard)) {
        std::memcpy(mapped, mBacking.data(), sizeof(mBacking));
        context.Unmap(shared.backing.vertexBuffer);
    }
    context.RSSetState(&Library::RasterizerStates::SolidCullBackCw);
    context.DrawIndexed(mBackingIndexCount, 0, 0);
}

void TilePhoto::DrawPieces(const Library::FrameTime& frameTime, float x, float)
{
    SharedPhotoObjects& shared = Shared();
    if (mFaceShaders == nullptr || !shared.piece.vertexBuffer || !HasVisiblePhoto()) {
        return;
    }
    Library::DeviceContext& context = mGame->Context();
    context.IASetPrimitiveTopology(Library::PrimitiveTopology::TriangleList);
    context.IASetInputLayout(&mFaceShaders->inputLayout);
    context.IASetIndexBuffer(&shared.piece.indexBuffer, Library::Format::R16UInt, 0);
    context.VSSetShader(&mFaceShaders->vertexShader);
    context.PSSetShader(&mFaceShaders->pixelShader);
    for (std::uint32_t slot = 0; slot < static_cast<std::uint32_t>(GetPhotoCount()); ++slot) {
        BindPhoto(slot, slot);
    }
    context.PSSetSamplers(0, &shared.sampler);
    const std::array<float, 4> blendFactor{};
    for (std::size_t n = 0; n < mCells.size() && n < PieceCount(); ++n) {
        const auto vertices = PieceVertices(n);
        if (void* mapped = context.Map(shared.piece.vertexBuffer, Library::MapMode::WriteDiscard)) {
            std::memcpy(mapped, vertices.data(), vertices.size_bytes());
            context.Unmap(shared.piece.vertexBuffer);
        }
        context.IASetVertexBuffers(0, &shared.piece.vertexBuffer, sizeof(FacedVertex), 0);
        mFlat = false;
        Library::Float4x4 world;
        ComputePieceMatrix(world, frameTime, x, mCells[n].column, mCells[n].row);
        UploadWvp(WithViewProjection(world));
        context.OMSetBlendState(&shared.noBlend, blendFactor, 0xFFFFFFFFu);
        context.RSSetState(&Library::RasterizerStates::SolidCullBackCcw);
        context.DrawIndexed(mFlat ? FrontAndBackIndexCount : mPieceIndexCount, 0, 0);
    }
}

}  // namespace Rendering
