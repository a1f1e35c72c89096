#include "PieceGeometry.h"

#include <cmath>
#include <numbers>

namespace Rendering {

namespace {

using Corner = std::array<float, 3>;

void WriteFace(std::span<FacedVertex> out, std::size_t first, const std::array<Corner, 4>& corners,
    const std::array<std::array<float, 2>, 4>& texcoords, std::int32_t frontBack)
{
    for (std::size_t k = 0; k < 4; ++k) {
        out[first + k] = {{corners[k][0], corners[k][1], corners[k][2], 1.0f}, texcoords[k], frontBack};
    }
}

}  // namespace

std::vector<GridCell> ColumnMajorCells(int columns, int rows)
{
    std::vector<GridCell> cells;
    for (int column = 0; column < columns; ++column) {
        for (int row = 0; row < rows; ++row) {
            cells.push_back({column, row, 0});
        }
    }
    return cells;
}

std::array<FacedVertex, TileVertexCount> BuildTilePiece(const PieceGrid& grid, int column, int row, int flipAxis)
{
    const PhotoExtents& e = grid.extents;
    const float hx = e.hw / static_cast<float>(grid.columns);
    const float hy = e.hh / static_cast<float>(grid.rows);
    const float du = e.U / static_cast<float>(grid.columns);
    const float dv = e.V / static_cast<float>(grid.rows);
    const float ul = static_cast<float>(column) * du;
    const float ur = ul + du;
    const float vt = static_cast<float>(row) * dv;
    const float vb = vt + dv;
    const float z = grid.z;
    std::array<FacedVertex, TileVertexCount> v{};
    WriteFace(v, 0, {{{-hx, hy, z}, {-hx, -hy, z}, {hx, -hy, z}, {hx, hy, z}}},
        {{{ul, vt}, {ul, vb}, {ur, vb}, {ur, vt}}}, 1);
    const std::array<std::array<float, 2>, 4> backAboutX{{{ur, vb}, {ur, vt}, {ul, vt}, {ul, vb}}};
    const std::array<std::array<float, 2>, 4> backAboutY{{{ul, vt}, {ul, vb}, {ur, vb}, {ur, vt}}};
    WriteFace(v, 4, {{{hx, hy, -z}, {hx, -hy, -z}, {-hx, -hy, -z}, {-hx, hy, -z}}},
        flipAxis == 0 ? backAboutX : backAboutY, 2);
    const std::array<std::array<float, 2>, 4> none{};
    WriteFace(v, 8, {{{-hx, hy, -z}, {-hx, -hy, -z}, {-hx, -hy, z}, {-hx, hy, z}}}, none, -1);
    WriteFace(v, 12, {{{hx, hy, -z}, {-hx, hy, -z}, {-hx, hy, z}, {hx, hy, z}}}, none, -1);
    WriteFace(v, 16, {{{hx, -hy, -z}, {hx, hy, -z}, {hx, hy, z}, {hx, -hy, z}}}, none, -1);
    WriteFace(v, 20, {{{-hx, -hy, -z}, {hx, -hy, -z}, {hx, -hy, z}, {-hx, -hy, z}}}, none, -1);
    return v;
}

std::array<FacedVertex, StripVertexCount> BuildStripPiece(const PieceGrid& grid, int n, int stripAxis)
{
    const PhotoExtents& e = grid.extents;
    const float hx = e.hw / static_cast<float>(grid.columns);
    const float hy = e.hh / static_cast<float>(grid.rows);
    const float s60 = std::sin(std::numbers::pi_v<float> / 3.0f);
    const float z = grid.z;
    std::array<FacedVertex, StripVertexCount> v{};
    if (stripAxis == 1) {
        const float vt = static_cast<float>(n) * e.V / static_cast<float>(grid.rows);
        const float vb = static_cast<float>(n + 1) * e.V / static_cast<float>(grid.rows);
        const float back = -2.0f * s60 * hy;
        const std::array<std::array<float, 2>, 4> tex{{{0.0f, vt}, {0.0f, vb}, {e.U, vb}, {e.U, vt}}};
        WriteFace(v, 0, {{{-hx, hy, z}, {-hx, -hy, z}, {hx, -hy, z}, {hx, hy, z}}}, tex, 1);
        WriteFace(v, 4, {{{-hx, 0.0f, back}, {-hx, hy, z}, {hx, hy, z}, {hx, 0.0f, back}}}, tex, 2);
        WriteFace(v, 8, {{{-hx, -hy, z}, {-hx, 0.0f, back}, {hx, 0.0f, back}, {hx, -hy, z}}}, tex, 3);
    } else {
        const float ul = static_cast<float>(n) * e.U / static_cast<float>(grid.columns);
        const float ur = static_cast<float>(n + 1) * e.U / static_cast<float>(grid.columns);
        const float back = -2.0f * s60 * hx;
        const std::array<std::array<float, 2>, 4> tex{{{ul, 0.0f}, {ul, e.V}, {ur, e.V}, {ur, 0.0f}}};
        WriteFace(v, 0, {{{-hx, hy, z}, {-hx, -hy, z}, {hx, -hy, z}, {hx, hy, z}}}, tex, 1);
        WriteFace(v, 4, {{{0.0f, hy, back}, {0.0f, -hy, back}, {-hx, -hy, z}, {-hx, hy, z}}}, tex, 2);
        WriteFace(v, 8, {{{hx, hy, z}, {hx, -hy, z}, {0.0f, -hy, back}, {0.0f, hy, back}}}, tex, 3);
    }
    return v;
}

std::array<std::array<float, 4>, BackingVertexCount> BuildBackingBox(const PhotoExtents& extents, float backDepth)
{
    const float w = extents.hw;
    const float h = extents.hh;
    const float zb = backDepth;
    return {{
        {-w, h, zb, 1}, {-w, -h, zb, 1}, {-w, -h, 0, 1}, {-w, h, 0, 1},  // left wall
        {w, h, zb, 1}, {-w, h, zb, 1}, {-w, h, 0, 1}, {w, h, 0, 1},      // top wall
        {w, -h, zb, 1}, {w, h, zb, 1}, {w, h, 0, 1}, {w, -h, 0, 1},      // right wall
        {-w, -h, zb, 1}, {w, -h, zb, 1}, {w, -h, 0, 1}, {-w, -h, 0, 1},  // bottom wall
        {w, h, zb, 1}, {w, -h, zb, 1}, {-w, -h, zb, 1}, {-w, h, zb, 1},  // back
    }};
}

}  // namespace Rendering
