#pragma once

#include "framework/FrameClock.h"
#include "framework/RTTI.h"

namespace Library
{
class Game;

// A building block of the show. The game calls SetUp once when it is prepared and Advance every
// frame while the component is active.
class GameComponent : public RTTI
{
    RTTI_DECLARATIONS(GameComponent, RTTI)

public:
    explicit GameComponent(Game& game);

    virtual void SetUp();
    virtual void Advance(const FrameTime& frameTime);

    Game& GetGame() const;
    bool IsActive() const;
    void SetActive(bool active);

protected:
    Game* mGame; // not owned; the game owns the component
    bool mActive = true;
};
}
