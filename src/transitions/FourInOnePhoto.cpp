#include "FourInOnePhoto.h"

#include "framework/GameException.h"
#include "framework/GpuHelpers.h"

#include <algorithm>
#include <cstring>

namespace Rendering {

namespace {

constexpr float Lift = 0.66f;
constexpr float ArrivalSpan = 0.9f;  // share of each half of the hold the insets take to move
constexpr float DeparturePause = 0.1f;

// Marks a cell's area with its reference value, whatever lies there.
Library::DepthStencilDesc WriteStencilDesc()
{
    Library::DepthStencilDesc desc;
    desc.DepthEnable = false;
    desc.DepthWriteAll = false;
    desc.DepthFunc = Library::ComparisonFunc::Always;
    desc.StencilEnable = true;
    desc.StencilReadMask = 0x00;
    desc.StencilWriteMask = 0xFF;
    const auto replace = Library::StencilOp::Replace;
    desc.FrontFace = {replace, replace, replace, Library::ComparisonFunc::Always};
    desc.BackFace = {Library::StencilOp::Keep, Library::StencilOp::Keep, Library::StencilOp::Keep,
        Library::ComparisonFunc::Never};
    return desc;
}

// Draws only where the stencil holds the reference value; the stencil itself stays as it is.
Library::DepthStencilDesc CompareStencilDesc()
{
    Library::DepthStencilDesc desc;
    desc.DepthEnable = true;
    desc.DepthWriteAll = true;
    desc.DepthFunc = Library::ComparisonFunc::LessEqual;
    desc.StencilEnable = true;
    desc.StencilReadMask = 0xFF;
    desc.StencilWriteMask = 0x00;
    const auto keep = Library::StencilOp::Keep;
    const auto replace = Library::StencilOp::Replace;
    desc.FrontFace = {keep, replace, replace, Library::ComparisonFunc::Equal};
    desc.BackFace = {keep, keep, keep, Library::ComparisonFunc::Never};
    return desc;
}

void CreateState(Library::GraphicsDevice& device, const Library::DepthStencilDesc& desc,
    Library::DepthStencilState& out, std::string_view message)
{
    Library::ThrowIfFailed(device.CreateDepthStencilState(desc, out), message);
}

}  // namespace

FourInOnePhoto::FourInOnePhoto(Library::Game& game, std::shared_ptr<Library::Camera> camera, float screenWidth,
    float screenHeight)
    : PhotoAnimation(game, std::move(camera), screenWidth, screenHeight)
{
    mDepth = 0.001f;
    SetGrid(2, 2);
}

void FourInOnePhoto::SetUp()
{
    CreateCellResources();
}

void FourInOnePhoto::CreateCellResources()
{
    if (mWriteStencilState) {
        return;
    }
    Library::GraphicsDevice& device = mGame->Device();
    CreateState(device, WriteStencilDesc(), mWriteStencilState, "CreateWriteStencilState() failed!");
    CreateState(device, CompareStencilDesc(), mCompareStencilState, "CreateCompareStencilState() failed!");
    Library::CreateDepthLessEqualState(device, mPlainDepthState);
}

void FourInOnePhoto::Render(const Library::FrameTime& frameTime)
{
    RenderPhases(frameTime);
}

int FourInOnePhoto::GetPhotoCount() const
{
    return 6;
}

float FourInOnePhoto::GetHoldTime() const
{
    return 2.0f;
}

int FourInOnePhoto::GetEffectId() const
{
    return 5;
}

void FourInOnePhoto::SetGrid(int columns, int rows)
{
    mColumns = std::max(columns, 1);
    mRows = std::max(rows, 1);
    mCells = ColumnMajorCells(mColumns, mRows);
    if (!mPhotos.empty()) {
        BuildCells();
    }
}

void FourInOnePhoto::AddPhoto(std::shared_ptr<Library::TextureRes> texture)
{
    if (AddPhotoOfNewSize(std::move(texture), mBuiltWidth, mBuiltHeight)) {
        BuildCells();
    }
}

// From the last photo added; its texture may hold it smaller than its side.
void FourInOnePhoto::BuildCells()
{
    mPieceQuads.clear();
    mInsetQuads.clear();
    const Library::TextureRes& last = *mPhotos.back();
    const PhotoExtents e = ComputePhotoExtents(last.FloatWidth, last.FloatHeight, mHalfHeightWide, mHalfHeightTall);
    const float dim = last.Dim > 0 ? static_cast<float>(last.Dim) : 1.0f;
    const float U = last.FloatWidth / dim;
    const float V = last.FloatHeight / dim;
    const float cx = e.hw / static_cast<float>(mColumns);
    const float cy = e.hh / static_cast<float>(mRows);
    mCellWidth = 2.0f * cx;
    mCellHeight = 2.0f * cy;
    const float du = U / static_cast<float>(mColumns);
    const float dv = V / static_cast<float>(mRows);
    for (const Cell& cell : mCells) {
        const float u0 = static_cast<float>(cell.column) * du;
        const float vt = static_cast<float>(cell.row) * dv;
        WriteQuad({-cx, cx, -cy, cy, u0, u0 + du, vt, vt + dv}, mDepth, mPieceQuads.emplace_back());
        WriteQuad({-cx, cx, -cy, cy, 0.0f, U, 0.0f, V}, mDepth, mInsetQuads.emplace_back());
    }
}

void FourInOnePhoto::RenderEnter(const Library::FrameTime&, float t, float)
{
    DrawPhotoQuad(0, t, false, Shared().textured);
}

void FourInOnePhoto::RenderLeave(const Library::FrameTime&, float t, float)
{
    DrawPhotoQuad(1, t, true, Shared().textured);
}

void FourInOnePhoto::RenderHold(const Library::FrameTime& frameTime, float elapsed)
{
    DrawCells(frameTime, HoldProgress(elapsed, Times()), mFrameSpan);
    DrawFrameRing(1.0f, mFrameSpan);
}

void FourInOnePhoto::ComputeCellMatrix(Library::Float4x4& out, const Library::FrameTime&, float, int column, int row)
{
    const float x = static_cast<float>(column) * mCellWidth - static_cast<float>(mColumns) * mCellWidth * 0.5f +
        mCellWidth * 0.5f;
    const float y = static_cast<float>(mRows) * mCellHeight * 0.5f - mCellHeight * static_cast<float>(row) -
        mCellHeight * 0.5f;
    out = Library::Translation(x, y, 0.0f);
}

// The insets move counter-clockwise about the photo's centre: each arrives from one neighbouring
// cell and leaves towards the other.
void FourInOnePhoto::ComputeInsetMatrix(Library::Float4x4& out, const Library::FrameTime& frameTime, float x,
    int column, int row)
{
    ComputeCellMatrix(out, frameTime, x, column, row);
    const float cw = mCellWidth;
    const float ch = mCellHeight;
    float dx = 0.0f;
    float dy = 0.0f;
    if (x <= 0.5f) {
        const float j = 2.0f * x >= ArrivalSpan ? 1.0f : 2.0f * x / ArrivalSpan;
        const float a = 1.0f - j;
        if (j >= 1.0f) {
            mWindowShowsSecond = true;
        }
        if (column == 0 && row == 0) {
            dx = a * cw;
        } else if (column == 0 && row == 1) {
            dy = a * ch;
        } else if (column == 1 && row == 0) {
            dy = -a * ch;
        } else if (column == 1 && row == 1) {
            dx = -a * cw;
        }
    } else {
        mWindowShowsSecond = true;
        const float s = 2.0f * x - 1.0f;
        const float k = s <= DeparturePause ? 0.0f : (s - DeparturePause) / ArrivalSpan;
        const bool firstPair = (column == 0 && row == 0) || (column == 1 && row == 1);
        const float kk = !mStaggeredExit ? k : firstPair ? std::min(1.0f, 2.0f * k) : std::max(0.0f, 2.0f * k - 1.0f);
        if (column == 0 && row == 0) {
            dy = -kk * ch;
        } else if (column == 0 && row == 1) {
            dx = kk * cw;
        } else if (column == 1 && row == 0) {
            dx = -kk * cw;
        } else if (column == 1 && row == 1) {
            dy = kk * ch;
        }
    }
    out.m[3][0] += dx;
    out.m[3][1] += dy;
}

void FourInOnePhoto::DrawCellQuad(const std::array<TexturedVertex, 4>& quad, const Library::Float4x4& world,
    std::size_t photo)
{
    SharedPhotoObjects& shared = Shared();
    Library::DeviceContext& context = mGame->Context();
    if (void* mapped = context.Map(shared.photoQuad.vertexBuffer, Library::MapMode::WriteDiscard)) {
        std::memcpy(mapped, quad.data(), sizeof(quad));
        context.Unmap(shared.photoQuad.vertexBuffer);
    }
    context.IASetVertexBuffers(0, &shared.photoQuad.vertexBuffer, sizeof(TexturedVertex), 0);
    UploadWvp(WithViewProjection(Library::Multiply(Library::Translation(0.0f, 0.0f, Lift), world)));
    BindPhoto(0, photo);
    context.PSSetSamplers(0, &shared.sampler);
    context.RSSetState(&Library::RasterizerStates::SolidCullBackCcw);
    context.DrawIndexed(shared.photoQuad.indexCount, 0, 0);
}

// Each cell's piece marks the cell in the stencil with its own value; its inset is then drawn only
// there, so that no inset ever shows outside its cell.
void FourInOnePhoto::DrawCells(const Library::FrameTime& frameTime, float x, float)
{
    SharedPhotoObjects& shared = Shared();
    if (!HasVisiblePhoto() || !shared.photoQuad.vertexBuffer || !mWriteStencilState) {
        return;
    }
    Library::DeviceContext& context = mGame->Context();
    context.IASetPrimitiveTopology(Library::PrimitiveTopology::TriangleList);
    context.IASetInputLayout(&shared.textured.inputLayout);
    context.IASetIndexBuffer(&shared.photoQuad.indexBuffer, Library::Format::R16UInt, 0);
    context.VSSetShader(&shared.textured.vertexShader);
    context.PSSetShader(&shared.textured.pixelShader);
    for (std::size_t n = 0; n < mCells.size() && n < mPieceQuads.size(); ++n) {
        const auto [column, row, unused] = mCells[n];
        const auto reference = static_cast<std::uint32_t>(column + 2 * row + 1);
        mWindowShowsSecond = false;
        Library::Float4x4 inset;
        ComputeInsetMatrix(inset, frameTime, x, column, row);
        Library::Float4x4 cell;
        ComputeCellMatrix(cell, frameTime, x, column, row);
        context.OMSetDepthStencilState(&mWriteStencilState, reference);
        DrawCellQuad(mPieceQuads[n], cell, mWindowShowsSecond ? 1 : 0);
        if (n >= mInsetQuads.size()) {
            break;
        }
        context.OMSetDepthStencilState(&mCompareStencilState, reference);
        DrawCellQuad(mInsetQuads[n], inset, n + 2);
    }
    context.OMSetDepthStencilState(&mPlainDepthState, 0);
}

}  // namespace Rendering
