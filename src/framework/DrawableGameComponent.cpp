#include "framework/DrawableGameComponent.h"

#include <utility>

namespace Library
{
DrawableGameComponent::DrawableGameComponent(Game& game, std::shared_ptr<Camera> camera)
    : GameComponent(game), mCamera(std::move(camera))
{
}

void DrawableGameComponent::SetShown(bool shown)
{
    mShown = shown;
}

void DrawableGameComponent::Render(const FrameTime&)
{
}

bool DrawableGameComponent::IsShown() const
{
    return mShown;
}

const std::shared_ptr<Camera>& DrawableGameComponent::GetCamera() const
{
    return mCamera;
}
}
