#include "FourInOnePhoto.h"
#include "TransitionScene.h"

namespace PelloraTest {
namespace {

const QColor Red{255, 0, 0};
const QColor Blue{0, 0, 255};
const std::array<QColor, 4> InsetColours{QColor(0, 200, 0), QColor(255, 255, 0), QColor(255, 0, 255), QColor(0, 255, 255)};

class FourInOneTest : public EffectFixture
{
protected:
    void SetUp() override
    {
        mEffect = std::make_unique<Rendering::FourInOnePhoto>(sScene->Game(), sScene->Camera(), 320.0f, 180.0f);
        mEffect->SetStaggeredExit(true);
        mEffect->SetGrid(2, 2);
        mEffect->AddPhoto(sScene->Photo(400, 300, Red));
        mEffect->AddPhoto(sScene->Photo(400, 300, Blue));
        for (const QColor& colour : InsetColours) {
            mEffect->AddPhoto(sScene->Photo(400, 300, colour));
        }
        mEffect->SetUp();
        mEffect->SetPhaseTimes(1.0f, 2.0f, 1.0f);
        mEffect->SetMotion(static_cast<int>(Rendering::MotionStyle::Side), 0.0f);
    }

    // The pixel at (fx, fy) inside cell (column, row), fractions from the cell's top-left.
    static QPoint InCell(int column, int row, float fx, float fy)
    {
        return AtTexel((static_cast<float>(column) + fx) / 2.0f, (static_cast<float>(row) + fy) * 0.375f);
    }

    // Cells in mCells order: (0, 0), (0, 1), (1, 0), (1, 1).
    static constexpr std::array<std::pair<int, int>, 4> Places{{{0, 0}, {0, 1}, {1, 0}, {1, 1}}};

    std::unique_ptr<Rendering::FourInOnePhoto> mEffect;
};

// A 4 x 3 photo: cells 0.8 x 0.6; cell (1, 0) shows u 0.5 .. 1, v 0 .. 0.375 around (0.4, 0.3).
TEST_F(FourInOneTest, CellsCutThePhotoIntoQuarters)
{
    EXPECT_EQ(mEffect->GetEffectId(), 5);
    EXPECT_EQ(mEffect->GetPhotoCount(), 6);
    EXPECT_FLOAT_EQ(mEffect->GetHoldTime(), 2.0f);
    EXPECT_FLOAT_EQ(mEffect->CellWidth(), 0.8f);
    EXPECT_FLOAT_EQ(mEffect->CellHeight(), 0.6f);
    const auto& piece = mEffect->PieceQuad(2);
    EXPECT_FLOAT_EQ(piece[0].texcoord[0], 0.5f);
    EXPECT_FLOAT_EQ(piece[0].texcoord[1], 0.0f);
    EXPECT_FLOAT_EQ(piece[2].texcoord[0], 1.0f);
    EXPECT_FLOAT_EQ(piece[2].texcoord[1], 0.375f);
    EXPECT_FLOAT_EQ(mEffect->InsetQuad(2)[2].texcoord[1], 0.75f);
    Library::Float4x4 centre;
    mEffect->ComputeCellMatrix(centre, {}, 0.0f, 1, 0);
    EXPECT_FLOAT_EQ(centre.m[3][0], 0.4f);
    EXPECT_FLOAT_EQ(centre.m[3][1], 0.3f);
}

struct InsetCase
{
    float x;
    std::array<std::pair<float, float>, 4> offsets;  // (dx, dy) in cell sizes, mCells order
    bool showsSecond;
};

TEST_F(FourInOneTest, InsetsCircleCounterClockwiseAndLeaveInPairs)
{
    for (const InsetCase& c : {InsetCase{0.0f, {{{1, 0}, {0, 1}, {0, -1}, {-1, 0}}}, false},
             InsetCase{0.225f, {{{0.5f, 0}, {0, 0.5f}, {0, -0.5f}, {-0.5f, 0}}}, false},
             InsetCase{0.45f, {{{0, 0}, {0, 0}, {0, 0}, {0, 0}}}, true},
             InsetCase{0.55f, {{{0, 0}, {0, 0}, {0, 0}, {0, 0}}}, true},
             InsetCase{0.775f, {{{0, -1}, {0, 0}, {0, 0}, {0, 1}}}, true},
             InsetCase{1.0f, {{{0, -1}, {1, 0}, {-1, 0}, {0, 1}}}, true}}) {
        for (std::size_t n = 0; n < 4; ++n) {
            const auto [column, row] = Places[n];
            Library::Float4x4 cell;
            Library::Float4x4 inset;
            mEffect->ComputeCellMatrix(cell, {}, c.x, column, row);
            mEffect->ComputeInsetMatrix(inset, {}, c.x, column, row);
            EXPECT_NEAR(inset.m[3][0] - cell.m[3][0], c.offsets[n].first * 0.8f, 1e-5f) << c.x << " cell " << n;
            EXPECT_NEAR(inset.m[3][1] - cell.m[3][1], c.offsets[n].second * 0.6f, 1e-5f) << c.x << " cell " << n;
        }
        EXPECT_EQ(mEffect->WindowShowsSecond(), c.showsSecond) << c.x;
    }
}

// Each inset shows only inside its own cell: while cell (0, 0)'s inset slides in from the right,
// the part of it that lies over cell (1, 0) stays hidden.
TEST_F(FourInOneTest, InsetsShowOnlyInsideTheirOwnCells)
{
    const QImage start = sScene->RenderAt(*mEffect, 1.0);
    for (const auto& [column, row] : Places) {
        ExpectColour(start, InCell(column, row, 0.5f, 0.5f), Red, "hold start");
    }
    // x 0.3: cell (0, 0)'s inset is a third of a cell to the right, cell (1, 0)'s a third down.
    const QImage arriving = sScene->RenderAt(*mEffect, 1.6);
    ExpectColour(arriving, InCell(0, 0, 0.2f, 0.5f), Red, "cell (0, 0) not yet covered");
    ExpectColour(arriving, InCell(0, 0, 0.6f, 0.5f), InsetColours[0], "inset of cell (0, 0)");
    ExpectColour(arriving, InCell(1, 0, 0.1f, 0.1f), Red, "cell (1, 0) above its own inset");
    ExpectColour(arriving, InCell(1, 0, 0.1f, 0.8f), InsetColours[2], "inset of cell (1, 0)");
    const QImage full = sScene->RenderAt(*mEffect, 2.0);
    for (std::size_t n = 0; n < 4; ++n) {
        const auto [column, row] = Places[n];
        for (const float f : {0.1f, 0.5f, 0.9f}) {
            ExpectColour(full, InCell(column, row, f, f), InsetColours[n], "inset filling its cell");
        }
    }
    // x 0.775, staggered: the first pair has left, uncovering photo 1; the second has not moved.
    const QImage half = sScene->RenderAt(*mEffect, 2.55);
    ExpectColour(half, InCell(0, 0, 0.5f, 0.5f), Blue, "cell (0, 0) uncovered");
    ExpectColour(half, InCell(1, 1, 0.5f, 0.5f), Blue, "cell (1, 1) uncovered");
    ExpectColour(half, InCell(0, 1, 0.5f, 0.5f), InsetColours[1], "cell (0, 1) still covered");
    ExpectColour(half, InCell(1, 0, 0.5f, 0.5f), InsetColours[2], "cell (1, 0) still covered");
    const QImage end = sScene->RenderAt(*mEffect, 3.0);
    for (const auto& [column, row] : Places) {
        for (const float f : {0.1f, 0.5f, 0.9f}) {
            ExpectColour(end, InCell(column, row, f, f), Blue, "hold end");
        }
    }
    ExpectColour(sScene->RenderAt(*mEffect, 4.2), sScene->PixelOf(0.0f, 0.0f), Blue, "leaving");
}

}  // namespace
}  // namespace PelloraTest
