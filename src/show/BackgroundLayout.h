#pragma once

#include "framework/VectorMath.h"

#include <array>

namespace Rendering {

// Geometry of the background quad: half extents in world units and the texture extent it shows.
struct BackgroundQuad {
    float halfWidth = 0.0f;
    float halfHeight = 0.0f;
    float uMax = 0.0f;
    float vMax = 0.0f;
};

// Sizes the background quad so that it overfills the screen at its depth, also while it drifts.
// pictureAspect is the loaded picture's width / height (0 when the picture did not load); fittedWidth
// and fittedHeight are the picture's fitted size inside a texture of side textureDim.
BackgroundQuad ComputeBackgroundQuad(float screenAspect, float pictureAspect, float scale,
    unsigned fittedWidth, unsigned fittedHeight, unsigned textureDim);

// The (x, y) offset of the background along its diamond path at `elapsed` seconds after its first
// drawn frame; (0, 0) when it does not move or before its first frame.
std::array<float, 2> ComputeDriftOffset(float elapsed, bool moving, float scale);

// Whether a convex quad, given by its corners in clip space in order around its edge, covers the
// whole viewport and a margin beyond it (in normalised device units), so that every sample of the
// target lies inside it. False when a corner lies at or behind the eye.
bool QuadCoversViewport(const std::array<Library::Float4, 4>& clipCorners, float marginX, float marginY);

} // namespace Rendering
