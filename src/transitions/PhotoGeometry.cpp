#include "PhotoGeometry.h"

#include <algorithm>

namespace Rendering {

namespace {

// Writes quad number index of a mesh.
template <std::size_t N>
void PutQuad(std::span<TexturedVertex, N> mesh, std::size_t index, const QuadRect& rect, float z)
{
    WriteQuad(rect, z, mesh.subspan(index * 4).template first<4>());
}

// Unfolding state shared by all styles: the first piece grows with a over the first half of q, the
// others with r over the second half; a stays 1 and r 0 outside their halves, so one set of formulas
// covers both halves.
struct UnfoldStage
{
    float a;
    float r;
};

UnfoldStage StageOf(float q)
{
    return {std::min(2.0f * q, 1.0f), std::max(2.0f * q - 1.0f, 0.0f)};
}

}  // namespace

void WriteQuad(const QuadRect& rect, float z, std::span<TexturedVertex, 4> out)
{
    out[0] = {{rect.x0, rect.y1, z, 1.0f}, {rect.u0, rect.vt}};
    out[1] = {{rect.x0, rect.y0, z, 1.0f}, {rect.u0, rect.vb}};
    out[2] = {{rect.x1, rect.y0, z, 1.0f}, {rect.u1, rect.vb}};
    out[3] = {{rect.x1, rect.y1, z, 1.0f}, {rect.u1, rect.vt}};
}

PhotoExtents ComputePhotoExtents(float width, float height, float halfHeightWide, float halfHeightTall)
{
    PhotoExtents extents;
    if (width <= 0.0f || height <= 0.0f) {
        return extents;
    }
    extents.wide = width >= height;
    extents.hh = extents.wide ? halfHeightWide : halfHeightTall;
    extents.hw = extents.hh * width / height;
    extents.U = extents.wide ? 1.0f : width / height;
    extents.V = extents.wide ? height / width : 1.0f;
    return extents;
}

QuadRect FullQuad(const PhotoExtents& e)
{
    return {-e.hw, e.hw, -e.hh, e.hh, 0.0f, e.U, 0.0f, e.V};
}

QuadRect VisibleRect(MotionStyle style, int fromLeft, float t, const PhotoExtents& e)
{
    QuadRect rect = FullQuad(e);
    const bool horizontal = style == MotionStyle::Side || style == MotionStyle::Corner;
    const bool vertical = style == MotionStyle::Drop || style == MotionStyle::Corner;
    if (horizontal && fromLeft == 0) {
        rect.x0 = e.hw - 2.0f * e.hw * t;
        rect.u1 = e.U * t;
    } else if (horizontal) {
        rect.x1 = -e.hw + 2.0f * e.hw * t;
        rect.u0 = e.U * (1.0f - t);
    }
    if (vertical) {
        rect.y0 = e.hh - 2.0f * e.hh * t;
        rect.vt = e.V * (1.0f - t);
    }
    return rect;
}

void BuildFrameRing(MotionStyle style, int fromLeft, float t, float span, const PhotoExtents& e,
    const FrameParams& f, std::span<TexturedVertex, RingQuadCount * 4> out)
{
    const QuadRect v = VisibleRect(style, fromLeft, t, e);
    const float xl = v.x0, xr = v.x1, yb = v.y0, yt = v.y1;
    const float m = f.m, b = f.b;
    const bool horizontal = style == MotionStyle::Side || style == MotionStyle::Corner;
    const float sh = horizontal ? span : f.k;
    const float sv = style == MotionStyle::Side ? f.k : span;
    const bool leftAnchored = horizontal && fromLeft != 0;
    const float ub0 = leftAnchored ? b : 1.0f - b - e.U * sh;
    const float ub1 = leftAnchored ? b + e.U * sh : 1.0f - b;
    PutQuad(out, 0, {xr, xr + m, yt, yt + m, 1.0f - b, 1.0f, 0.0f, b}, f.z);
    PutQuad(out, 1, {xl, xr, yt, yt + m, ub0, ub1, 0.0f, b}, f.z);
    PutQuad(out, 2, {xl - m, xl, yt, yt + m, 0.0f, b, 0.0f, b}, f.z);
    PutQuad(out, 3, {xl - m, xl, yb, yt, 0.0f, b, b, b + e.V * sv}, f.z);
    PutQuad(out, 4, {xl - m, xl, yb - m, yb, 0.0f, b, 1.0f - b, 1.0f}, f.z);
    PutQuad(out, 5, {xl, xr, yb - m, yb, ub0, ub1, 1.0f - b, 1.0f}, f.z);
    PutQuad(out, 6, {xr, xr + m, yb - m, yb, 1.0f - b, 1.0f, 1.0f - b, 1.0f}, f.z);
    PutQuad(out, 7, {xr, xr + m, yb, yt, 1.0f - b, 1.0f, 1.0f - b - e.V * sv, 1.0f - b}, f.z);
}

void BuildDropUnfold(float q, const PhotoExtents& e, const FrameParams& f,
    std::span<TexturedVertex, BarsQuadCount * 4> out)
{
    const auto [a, r] = StageOf(q);
    const float m = f.m, b = f.b, hw = e.hw, hh = e.hh;
    // The top bar unrolls downward from its outer edge, then the bottom bar grows out from under it.
    const float topY0 = hh + m - m * a;
    const float topVb = b * a;
    const float bottomY0 = hh - m * r;
    const float bottomVb = 1.0f - b + b * r;
    const std::array<std::array<float, 4>, 3> columns{{
        {-hw - m, -hw, 0.0f, b},
        {-hw, hw, 1.0f - b - e.U * f.k, 1.0f - b},
        {hw, hw + m, 1.0f - b, 1.0f},
    }};
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const auto& [x0, x1, u0, u1] = columns[i];
        PutQuad(out, i, {x0, x1, topY0, hh + m, u0, u1, 0.0f, topVb}, f.z);
        PutQuad(out, i + 3, {x0, x1, bottomY0, hh, u0, u1, 1.0f - b, bottomVb}, f.z);
    }
}

void BuildSideUnfold(int fromLeft, float q, const PhotoExtents& e, const FrameParams& f,
    std::span<TexturedVertex, BarsQuadCount * 4> out)
{
    const auto [a, r] = StageOf(q);
    const float m = f.m, b = f.b, hw = e.hw, hh = e.hh;
    // Rows of the left bar (quads 0-2) and the right bar (quads 3-5): y0, y1, vt, vb.
    const std::array<std::array<float, 4>, 3> leftRows{{
        {hh, hh + m, 0.0f, b},
        {-hh, hh, b, b + e.V * f.k},
        {-hh - m, -hh, 1.0f - b, 1.0f},
    }};
    const std::array<std::array<float, 4>, 3> rightRows{{
        {hh, hh + m, 0.0f, b},
        {-hh, hh, 1.0f - b - e.V * f.k, 1.0f - b},
        {-hh - m, -hh, 1.0f - b, 1.0f},
    }};
    // x0, x1, u0, u1 of each bar: the first bar grows inward at its edge, the second out of it.
    const std::array<float, 4> left = fromLeft == 0
        ? std::array<float, 4>{hw - m * r, hw, b * (1.0f - r), b}
        : std::array<float, 4>{-hw - m, -hw - m + m * a, 0.0f, b * a};
    const std::array<float, 4> right = fromLeft == 0
        ? std::array<float, 4>{hw + m - m * a, hw + m, 1.0f - b * a, 1.0f}
        : std::array<float, 4>{-hw, -hw + m * r, 1.0f - b, 1.0f - b + b * r};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto& [ly0, ly1, lvt, lvb] = leftRows[i];
        const auto& [ry0, ry1, rvt, rvb] = rightRows[i];
        PutQuad(out, i, {left[0], left[1], ly0, ly1, left[2], left[3], lvt, lvb}, f.z);
        PutQuad(out, i + 3, {right[0], right[1], ry0, ry1, right[2], right[3], rvt, rvb}, f.z);
    }
}

void BuildCornerUnfold(int fromLeft, float q, const PhotoExtents& e, const FrameParams& f,
    std::span<TexturedVertex, CornersQuadCount * 4> out)
{
    const auto [a, r] = StageOf(q);
    const float m = f.m, b = f.b, hw = e.hw, hh = e.hh;
    // The first corner square grows inward from its outer corner.
    const float growY0 = hh + m - m * a;
    const float growV = b * a;
    // The other three grow out of the first one's inner corner.
    const float grownY0 = hh - m * r;
    const float grownVb = 1.0f - b + b * r;
    if (fromLeft == 0) {
        const float growX0 = hw + m - m * a;
        const float growU0 = 1.0f - b * a;
        PutQuad(out, 0, {hw - m * r, hw, hh, hh + m, b * (1.0f - r), b, 0.0f, b}, f.z);
        PutQuad(out, 1, {growX0, hw + m, growY0, hh + m, growU0, 1.0f, 0.0f, growV}, f.z);
        PutQuad(out, 2, {hw - m * r, hw, grownY0, hh, b * (1.0f - r), b, 1.0f - b, grownVb}, f.z);
        PutQuad(out, 3, {hw, hw + m, grownY0, hh, 1.0f - b, 1.0f, 1.0f - b, grownVb}, f.z);
        return;
    }
    const float growX1 = -hw - m + m * a;
    const float grownX1 = -hw + m * r;
    const float grownU1 = 1.0f - b + b * r;
    PutQuad(out, 0, {-hw - m, growX1, growY0, hh + m, 0.0f, growV, 0.0f, growV}, f.z);
    PutQuad(out, 1, {-hw, grownX1, hh, hh + m, 1.0f - b, grownU1, 0.0f, b}, f.z);
    PutQuad(out, 2, {-hw - m, -hw, grownY0, hh, 0.0f, b, 1.0f - b, grownVb}, f.z);
    PutQuad(out, 3, {-hw, grownX1, grownY0, hh, 1.0f - b, grownU1, 1.0f - b, grownVb}, f.z);
}

Phase SelectPhase(float elapsed, const PhaseTimes& times)
{
    if (elapsed <= times.enter) {
        return Phase::Enter;
    }
    return elapsed <= times.LeaveStart() ? Phase::Hold : Phase::Leave;
}

float HoldProgress(float elapsed, const PhaseTimes& times)
{
    return elapsed >= times.enter + times.hold ? 1.0f : (elapsed - times.enter) / times.hold;
}

std::optional<float> EnterProgress(float elapsed, const PhaseTimes& times)
{
    if (elapsed > times.enter) {
        return std::nullopt;
    }
    // Before the start (a seek can land there) the photo is simply not revealed yet.
    return elapsed < times.enter ? std::max(0.0f, elapsed / times.enter) : 1.0f;
}

std::optional<float> LeaveProgress(float elapsed, const PhaseTimes& times)
{
    const float start = times.LeaveStart();
    if (elapsed <= start || elapsed > start + times.enter) {
        return std::nullopt;
    }
    const float r = elapsed - start;
    return r < times.enter ? 1.0f - r / times.enter : 0.0f;
}

float GlideEnterOffset(float p, int leftToRight)
{
    if (leftToRight == 1) {
        return 2.0f * p - 2.0f;
    }
    return leftToRight == 0 ? 2.0f - 2.0f * p : 0.0f;
}

float GlideLeaveOffset(float p, int leftToRight)
{
    if (leftToRight == 1) {
        return 2.0f - 2.0f * p;
    }
    return leftToRight == 0 ? 2.0f * p - 2.0f : 0.0f;
}

RevealStep SplitReveal(float p, const PhotoExtents& e, const FrameParams& f)
{
    const float hl = e.wide ? e.hw : e.hh;
    const float d = f.m / (2.0f * f.m + hl);
    if (p < d) {
        return {true, p / d};
    }
    return {false, (p - d) / (1.0f - d)};
}

}  // namespace Rendering
