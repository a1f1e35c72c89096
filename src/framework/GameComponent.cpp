#include "framework/GameComponent.h"

namespace Library
{
GameComponent::GameComponent(Game& game) : mGame(&game)
{
}

void GameComponent::SetUp()
{
}

void GameComponent::Advance(const FrameTime&)
{
}

Game& GameComponent::GetGame() const
{
    return *mGame;
}

bool GameComponent::IsActive() const
{
    return mActive;
}

void GameComponent::SetActive(bool active)
{
    mActive = active;
}
}
