#include "GameFixture.h"

#include "framework/Camera.h"
#include "framework/DrawableGameComponent.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{
// Stand-ins for a transition family: a base drawn like a photo effect and a subclass of it.
class EffectBase : public Library::DrawableGameComponent
{
    RTTI_DECLARATIONS(EffectBase, DrawableGameComponent)

public:
    using DrawableGameComponent::DrawableGameComponent;
};

class EffectChild : public EffectBase
{
    RTTI_DECLARATIONS(EffectChild, EffectBase)

public:
    using EffectBase::EffectBase;
};

enum class Subject
{
    Component,
    Drawable,
    Perspective,
    Orthographic,
    Child,
    Game,
};

struct KindCase
{
    Subject subject;
    std::string name;
    Library::RTTI::TypeKey (*key)();
    bool expected;
};

void PrintTo(const KindCase& kindCase, std::ostream* out)
{
    *out << static_cast<int>(kindCase.subject) << " is " << kindCase.name;
}

class RttiTest : public testing::TestWithParam<KindCase>
{
protected:
    Library::RTTI& Object(Subject subject)
    {
        switch (subject) {
        case Subject::Component: return mComponent;
        case Subject::Drawable: return mDrawable;
        case Subject::Perspective: return mPerspective;
        case Subject::Orthographic: return mOrthographic;
        case Subject::Child: return mChild;
        case Subject::Game: break;
        }
        return *mGame.game;
    }

    PelloraTest::SizedGame mGame;
    Library::GameComponent mComponent{*mGame.game};
    Library::DrawableGameComponent mDrawable{*mGame.game, nullptr};
    Library::PerspectiveCamera mPerspective{*mGame.game, 0.01f, 1000.0f, 45.0f, 1.0f};
    Library::OrthographicCamera mOrthographic{*mGame.game, 0.01f, 1000.0f, 2.0f, 1.5f};
    EffectChild mChild{*mGame.game, nullptr};
};

TEST_P(RttiTest, WalksTheBaseChain)
{
    const KindCase& kindCase = GetParam();
    Library::RTTI& object = Object(kindCase.subject);
    const Library::RTTI::TypeKey key = kindCase.key();
    EXPECT_EQ(object.IsKindOfName(kindCase.name), kindCase.expected);
    EXPECT_EQ(object.IsKindOfKey(key), kindCase.expected);
    EXPECT_EQ(object.CastTo(key), kindCase.expected ? &object : nullptr);
    EXPECT_EQ(object.DescribeType(), "RTTI");
}

using namespace Library;

INSTANTIATE_TEST_SUITE_P(Table, RttiTest,
    testing::Values(KindCase{Subject::Component, "GameComponent", &GameComponent::TypeIdClass, true},
        KindCase{Subject::Component, "DrawableGameComponent", &DrawableGameComponent::TypeIdClass, false},
        KindCase{Subject::Drawable, "GameComponent", &GameComponent::TypeIdClass, true},
        KindCase{Subject::Drawable, "Camera", &Camera::TypeIdClass, false},
        KindCase{Subject::Perspective, "PerspectiveCamera", &PerspectiveCamera::TypeIdClass, true},
        KindCase{Subject::Perspective, "Camera", &Camera::TypeIdClass, true},
        KindCase{Subject::Perspective, "GameComponent", &GameComponent::TypeIdClass, true},
        KindCase{Subject::Perspective, "DrawableGameComponent", &DrawableGameComponent::TypeIdClass, false},
        KindCase{Subject::Perspective, "OrthographicCamera", &OrthographicCamera::TypeIdClass, false},
        KindCase{Subject::Orthographic, "OrthographicCamera", &OrthographicCamera::TypeIdClass, true},
        KindCase{Subject::Child, "EffectChild", &EffectChild::TypeIdClass, true},
        KindCase{Subject::Child, "EffectBase", &EffectBase::TypeIdClass, true},
        KindCase{Subject::Child, "DrawableGameComponent", &DrawableGameComponent::TypeIdClass, true},
        KindCase{Subject::Child, "GameComponent", &GameComponent::TypeIdClass, true},
        KindCase{Subject::Child, "gamecomponent", &Camera::TypeIdClass, false},
        KindCase{Subject::Game, "Game", &Game::TypeIdClass, true},
        KindCase{Subject::Game, "RenderTarget", &RenderTarget::TypeIdClass, true},
        KindCase{Subject::Game, "GameComponent", &GameComponent::TypeIdClass, false}));

TEST(RttiKeys, AreDistinctPerClassAndEqualToTheObjectsOwn)
{
    const RTTI::TypeKey keys[] = {GameComponent::TypeIdClass(), DrawableGameComponent::TypeIdClass(),
        Camera::TypeIdClass(), PerspectiveCamera::TypeIdClass(), OrthographicCamera::TypeIdClass(),
        RenderTarget::TypeIdClass(), Game::TypeIdClass(), EffectBase::TypeIdClass(), EffectChild::TypeIdClass()};
    for (std::size_t i = 0; i < std::size(keys); ++i) {
        for (std::size_t j = i + 1; j < std::size(keys); ++j) {
            EXPECT_NE(keys[i], keys[j]) << i << " and " << j;
        }
    }
    PelloraTest::SizedGame sized;
    EffectChild child(*sized.game, nullptr);
    EXPECT_EQ(child.GetTypeKey(), EffectChild::TypeIdClass());
    EXPECT_TRUE(child.IsSameObject(&child));
    EXPECT_FALSE(child.IsSameObject(sized.game.get()));
}
}
