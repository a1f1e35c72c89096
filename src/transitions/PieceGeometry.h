#pragma once

// Device-free geometry of the tile and prism transitions: the faced vertex, one tile or strip of
// the photo, and the open black box behind the pieces.

#include "PhotoGeometry.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace Rendering {

// A vertex of a piece; frontBack picks the photo (1, 2, 3) or opaque white (any other value).
struct FacedVertex
{
    std::array<float, 4> position;
    std::array<float, 2> texcoord;
    std::int32_t frontBack;
};
static_assert(offsetof(FacedVertex, position) == 0);
static_assert(offsetof(FacedVertex, texcoord) == 16);
static_assert(offsetof(FacedVertex, frontBack) == 24);
static_assert(sizeof(FacedVertex) == 28);

inline constexpr std::size_t TileVertexCount = 24;   // front, back and four sides
inline constexpr std::size_t StripVertexCount = 12;  // three side faces of a prism
inline constexpr std::size_t BackingVertexCount = 20;

// One cell of a grid; row 0 is the top.
struct GridCell
{
    int column = 0;
    int row = 0;
    int unused = 0;
};

// Every cell of a columns x rows grid, column-major: all rows of column 0 first.
std::vector<GridCell> ColumnMajorCells(int columns, int rows);

// The grid a photo is cut into, and the photo's extents.
struct PieceGrid
{
    int columns = 4;
    int rows = 4;
    PhotoExtents extents;
    float z = 0.0f;  // half the thickness of a tile
};

// Tile (column, row), centred on the origin. flipAxis 0 turns the tile about x, 1 about y; the back
// face's texture is laid so that the tile shows its own part of the second photo upright after
// half a turn about that axis.
std::array<FacedVertex, TileVertexCount> BuildTilePiece(const PieceGrid& grid, int column, int row, int flipAxis);

// Strip n of a prism, centred on the origin: the front face carries the strip's part of photo 1, the
// two faces behind it those of photos 2 and 3. stripAxis 1 stacks the strips, 0 sets them side by side.
std::array<FacedVertex, StripVertexCount> BuildStripPiece(const PieceGrid& grid, int n, int stripAxis);

// The black box behind the pieces, open towards the camera: four walls and the back at backDepth.
std::array<std::array<float, 4>, BackingVertexCount> BuildBackingBox(const PhotoExtents& extents, float backDepth);

}  // namespace Rendering
