#include "PrismPhoto.h"
#include "TilePhoto.h"
#include "TransitionScene.h"

#include <cmath>
#include <numbers>

namespace PelloraTest {
namespace {

const QColor Red{255, 0, 0};
const QColor Green{0, 160, 0};

using PieceEffectTest = EffectFixture;

std::unique_ptr<Rendering::TilePhoto> ShowTiles(Library::Game& game, const std::shared_ptr<Library::PerspectiveCamera>& camera)
{
    auto tiles = std::make_unique<Rendering::TilePhoto>(game, camera, 320.0f, 180.0f);
    tiles->SetFlipAxis(1);
    tiles->SetStagger(0.4f);
    tiles->SetGrid(4, 4);
    return tiles;
}

// A 4 x 3 photo in 4 x 4 tiles: hw 0.8, hh 0.6, tiles 0.4 x 0.3, V 0.75.
TEST_F(PieceEffectTest, TileCarriesItsOwnPartOfBothPhotos)
{
    auto tiles = ShowTiles(sScene->Game(), sScene->Camera());
    tiles->AddPhoto(sScene->Photo(400, 300, Red));
    tiles->AddPhoto(sScene->Photo(400, 300, Green));
    ASSERT_EQ(tiles->PieceCount(), 16u);
    EXPECT_FLOAT_EQ(tiles->TileWidth(), 0.4f);
    EXPECT_FLOAT_EQ(tiles->TileHeight(), 0.3f);
    // Cells are column-major: tile (1, 2) is piece 6.
    ASSERT_EQ(tiles->Cells()[6].column, 1);
    ASSERT_EQ(tiles->Cells()[6].row, 2);
    const auto piece = tiles->PieceVertices(6);
    EXPECT_FLOAT_EQ(piece[0].texcoord[0], 0.25f);
    EXPECT_FLOAT_EQ(piece[0].texcoord[1], 0.375f);
    EXPECT_FLOAT_EQ(piece[2].texcoord[0], 0.5f);
    EXPECT_FLOAT_EQ(piece[2].texcoord[1], 0.5625f);
    EXPECT_EQ(piece[0].frontBack, 1);
    EXPECT_EQ(piece[4].frontBack, 2);
    EXPECT_EQ(piece[8].frontBack, -1);
    Library::Float4x4 m;
    tiles->ComputePieceMatrix(m, {}, 0.0f, 1, 2);
    EXPECT_NEAR(m.m[3][0], -0.2f, 1e-6f);
    EXPECT_NEAR(m.m[3][1], -0.15f, 1e-6f);
    EXPECT_NEAR(m.m[3][2], 0.66f, 1e-6f);
}

struct DelayCase
{
    int column, row;
    float start;  // hold progress at which the piece starts turning
};

// With the show's settings tile (i, j) starts at 0.4 i / 3 + 0.24 j / 3 and turns over 0.36 of the
// hold; the last one ends exactly at the end of the hold.
TEST_F(PieceEffectTest, TilesStartOneAfterAnotherAndAllEndFlippedAtTheEnd)
{
    auto tiles = ShowTiles(sScene->Game(), sScene->Camera());
    tiles->AddPhoto(sScene->Photo(400, 300, Red));
    tiles->AddPhoto(sScene->Photo(400, 300, Green));
    for (const DelayCase c : {DelayCase{0, 0, 0.0f}, DelayCase{1, 0, 0.4f / 3}, DelayCase{0, 1, 0.08f},
             DelayCase{3, 3, 0.64f}, DelayCase{2, 1, 0.8f / 3 + 0.08f}}) {
        Library::Float4x4 placed;
        tiles->ComputePieceMatrix(placed, {}, 0.0f, c.column, c.row);
        Library::Float4x4 before;
        tiles->ComputePieceMatrix(before, {}, c.start - 0.01f, c.column, c.row);
        if (c.start > 0.0f) {
            EXPECT_EQ(before, placed) << c.column << "," << c.row;
        }
        // Half-way through its turn the tile stands edge-on: a quarter turn about y.
        Library::Float4x4 half;
        tiles->ComputePieceMatrix(half, {}, c.start + 0.18f, c.column, c.row);
        EXPECT_NEAR(half.m[0][0], 0.0f, 1e-4f) << c.column << "," << c.row;
        EXPECT_NEAR(half.m[0][2], -1.0f, 1e-4f) << c.column << "," << c.row;
        Library::Float4x4 end;
        tiles->ComputePieceMatrix(end, {}, 1.0f, c.column, c.row);
        EXPECT_NEAR(end.m[0][0], -1.0f, 1e-5f) << c.column << "," << c.row;
        EXPECT_TRUE(tiles->IsFlat());
    }
}

struct StripCase
{
    const char* name;
    Rendering::PrismPhoto::StripLayout layout;
    int firstPiece, lastPiece;  // the pieces that start first and last (at 0.6)
    float turnDegrees;          // signed, about the strip's axis at the end
    float hold;
};

class PrismTest : public EffectFixture, public testing::WithParamInterface<StripCase> {};

TEST_P(PrismTest, StripsTurnInTheirOrderByTheirFaces)
{
    const auto& c = GetParam();
    auto prism = std::make_unique<Rendering::PrismPhoto>(sScene->Game(), sScene->Camera(), 320.0f, 180.0f);
    prism->Configure(c.layout);
    EXPECT_FLOAT_EQ(prism->GetHoldTime(), c.hold);
    EXPECT_EQ(prism->GetPhotoCount(), 3);
    prism->AddPhoto(sScene->Photo(400, 300, Red));
    prism->AddPhoto(sScene->Photo(400, 300));
    prism->AddPhoto(sScene->Photo(400, 300, Green));
    ASSERT_EQ(prism->PieceCount(), static_cast<std::size_t>(c.layout.stripCount));
    const auto cellOf = [&](int piece) { return prism->Cells()[static_cast<std::size_t>(piece)]; };
    const auto turned = [&](int piece, float x) {
        Library::Float4x4 at;
        Library::Float4x4 placed;
        prism->ComputePieceMatrix(at, {}, x, cellOf(piece).column, cellOf(piece).row);
        prism->ComputePieceMatrix(placed, {}, 0.0f, cellOf(piece).column, cellOf(piece).row);
        return !(at == placed);
    };
    EXPECT_TRUE(turned(c.firstPiece, 0.01f));
    EXPECT_FALSE(turned(c.lastPiece, 0.59f));
    EXPECT_TRUE(turned(c.lastPiece, 0.61f));
    // Each turn takes 0.4 of the hold: the first strip has finished at 0.4.
    Library::Float4x4 done;
    Library::Float4x4 end;
    prism->ComputePieceMatrix(done, {}, 0.4f, cellOf(c.firstPiece).column, cellOf(c.firstPiece).row);
    prism->ComputePieceMatrix(end, {}, 1.0f, cellOf(c.firstPiece).column, cellOf(c.firstPiece).row);
    EXPECT_EQ(done, end);
    const float angle = c.turnDegrees * std::numbers::pi_v<float> / 180.0f;
    const bool aboutX = c.layout.stripAxis == 1;
    EXPECT_NEAR(aboutX ? end.m[1][1] : end.m[0][0], std::cos(angle), 1e-5f);
    EXPECT_NEAR(aboutX ? end.m[1][2] : -end.m[0][2], std::sin(angle), 1e-5f);
}

INSTANTIATE_TEST_SUITE_P(ShowLayouts, PrismTest,
    testing::Values(StripCase{"Horizontal", Rendering::PrismPhoto::HorizontalStrips, 15, 0, 120.0f, 1.0f},
        StripCase{"Vertical", Rendering::PrismPhoto::VerticalStrips, 0, 19, -240.0f, 2.0f}),
    [](const auto& param) { return std::string(param.param.name); });

// The pixels: the hold starts with the first photo and ends with the second, in place and upright;
// the leave shows the second photo.
TEST_F(PieceEffectTest, PiecesEndShowingTheSecondPhotoInPlace)
{
    auto tiles = ShowTiles(sScene->Game(), sScene->Camera());
    auto horizontal = std::make_unique<Rendering::PrismPhoto>(sScene->Game(), sScene->Camera(), 320.0f, 180.0f);
    horizontal->Configure(Rendering::PrismPhoto::HorizontalStrips);
    auto vertical = std::make_unique<Rendering::PrismPhoto>(sScene->Game(), sScene->Camera(), 320.0f, 180.0f);
    vertical->Configure(Rendering::PrismPhoto::VerticalStrips);
    const auto first = sScene->Photo(400, 300, Red);
    const auto second = sScene->Photo(400, 300);
    const auto third = sScene->Photo(400, 300, Green);
    const std::vector<std::pair<std::pair<float, float>, QColor>> quadrants = {{{0.2f, 0.15f}, TopLeft},
        {{0.8f, 0.15f}, TopRight}, {{0.2f, 0.6f}, BottomLeft}, {{0.8f, 0.6f}, BottomRight}};
    for (Rendering::TilePhoto* effect : {tiles.get(), static_cast<Rendering::TilePhoto*>(horizontal.get()),
             static_cast<Rendering::TilePhoto*>(vertical.get())}) {
        effect->AddPhoto(first);
        effect->AddPhoto(second);
        effect->AddPhoto(third);
        effect->SetUp();
        const float hold = effect->GetHoldTime();
        effect->SetPhaseTimes(1.0f, hold, 1.0f);
        effect->SetMotion(static_cast<int>(Rendering::MotionStyle::Side), 0.0f);
        const QImage start = sScene->RenderAt(*effect, 1.001);
        const QImage end = sScene->RenderAt(*effect, 1.0 + hold);
        const QImage leaving = sScene->RenderAt(*effect, 2.2 + hold);
        for (const auto& [texel, colour] : quadrants) {
            ExpectColour(start, AtTexel(texel.first, texel.second), Red, effect->GetEffectId() == 22 ? "tiles" : "strips");
            ExpectColour(end, AtTexel(texel.first, texel.second), colour, effect->GetEffectId() == 22 ? "tiles" : "strips");
        }
        ExpectColour(leaving, AtTexel(0.2f, 0.15f), TopLeft, "leaving");
    }
}

}  // namespace
}  // namespace PelloraTest
