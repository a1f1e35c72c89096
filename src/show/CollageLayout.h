#pragma once

// Device-free arithmetic of the scripted collage photos: which prepared photo each script entry
// shows, the timing, the quad and the world matrix along the keyframes, so that it can be checked
// without an OpenGL context.

#include "framework/VectorMath.h"
#include "project/AnimationScript.h"
#include "transitions/PhotoGeometry.h"

#include <array>
#include <cstddef>
#include <vector>

namespace Rendering {

// The sum of a keyframe list's changes that have happened e seconds after the photo appeared: whole
// keyframes up to e, the running one in proportion. A used-up list gives its complete sum.
Library::Float3 AccumulateKeyFrames(const std::vector<KeyFrame>& list, float e);

// Stretches the entry's times by timeScale (delay, disappear, every keyframe's t) and shrinks its
// scale to the collage's size; applied once to a freshly parsed entry.
void ScaleCollageEntry(BlurPhotoAniInfo& entry, float timeScale);

// The photo's world matrix e seconds after it appeared: scaled and turned about its own centre,
// moved to its place, then turned about the pivot the "after" and "back" moves set.
Library::Float4x4 CollageWorld(const BlurPhotoAniInfo& entry, float e);

// A collage photo is drawn from its appearance to appearance + disappear, both included.
bool CollagePhotoShownAt(float startTime, float disappear, float t);

// For each script entry that gets a photo, the index of the prepared photo it shows: entry k shows
// photo k mod photoCount; onePerPhoto stops once every photo has one entry.
std::vector<std::size_t> CollagePhotoOrder(std::size_t entryCount, std::size_t photoCount, bool onePerPhoto);

// The quad of a prepared canvas whose framed photo covers [0, texRight] x [0, texBottom]: the framed
// photo's proportions, halfHeight high on either side of the centre, at depth z.
std::array<TexturedVertex, 4> CollageQuad(float texRight, float texBottom, float halfHeight, float z);

} // namespace Rendering
