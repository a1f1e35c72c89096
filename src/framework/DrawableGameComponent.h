#pragma once

#include "framework/GameComponent.h"

#include <memory>

namespace Library
{
class Camera;

// A component that draws: Render is called every frame while it is shown.
class DrawableGameComponent : public GameComponent
{
    RTTI_DECLARATIONS(DrawableGameComponent, GameComponent)

public:
    DrawableGameComponent(Game& game, std::shared_ptr<Camera> camera);

    virtual void SetShown(bool shown);
    virtual void Render(const FrameTime& frameTime);

    bool IsShown() const;
    const std::shared_ptr<Camera>& GetCamera() const;

protected:
    bool mShown = true;
    std::shared_ptr<Camera> mCamera; // may be empty
};
}
