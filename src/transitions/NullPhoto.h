#pragma once

// An empty slot: it takes one photo and the usual durations but draws nothing, so that the photo
// transitions pause while a scripted collage plays in its place.

#include "PhotoAnimation.h"

namespace Rendering {

class NullPhoto : public PhotoAnimation
{
    RTTI_DECLARATIONS(NullPhoto, PhotoAnimation)

public:
    using PhotoAnimation::PhotoAnimation;

    void Render(const Library::FrameTime&) override {}
    int GetPhotoCount() const override { return 1; }
    int GetEffectId() const override { return 11; }
    void RenderEnter(const Library::FrameTime&, float, float) override {}
    void RenderHold(const Library::FrameTime&, float) override {}
    void RenderLeave(const Library::FrameTime&, float, float) override {}
};

}  // namespace Rendering
