#include "GameFixture.h"

#include "framework/DrawableGameComponent.h"
#include "framework/FactorySingleton.h"
#include "framework/FrameReader.h"
#include "framework/GameException.h"
#include "framework/GpuHelpers.h"

#include <gtest/gtest.h>

#include <QImage>

#include <epoxy/egl.h>

#include <future>
#include <memory>
#include <stdexcept>

namespace
{
using PelloraTest::SizedGame;

class CountingDrawable : public Library::DrawableGameComponent
{
    RTTI_DECLARATIONS(CountingDrawable, DrawableGameComponent)

public:
    using DrawableGameComponent::DrawableGameComponent;

    void SetUp() override { ++setUps; }
    void Advance(const Library::FrameTime&) override { ++advances; }
    void Render(const Library::FrameTime&) override { ++renders; }

    int setUps = 0;
    int advances = 0;
    int renders = 0;
};

TEST(GameLoop, InactiveAndHiddenComponentsStayListedAndSetUpButAreSkipped)
{
    SizedGame sized;
    auto& game = *sized.game;
    auto active = std::make_shared<CountingDrawable>(game, nullptr);
    auto inactive = std::make_shared<CountingDrawable>(game, nullptr);
    auto hidden = std::make_shared<CountingDrawable>(game, nullptr);
    inactive->SetActive(false);
    hidden->SetShown(false);
    game.Components() = {active, inactive, hidden};
    game.CreateSizedObjects();
    game.Prepare();
    game.RunFrame();
    game.RunFrame();
    for (const auto& component : {active, inactive, hidden}) {
        EXPECT_EQ(component->setUps, 1);
    }
    EXPECT_EQ(active->advances, 2);
    EXPECT_EQ(active->renders, 2);
    EXPECT_EQ(inactive->advances, 0);
    EXPECT_EQ(inactive->renders, 2);
    EXPECT_EQ(hidden->advances, 2);
    EXPECT_EQ(hidden->renders, 0);
}

TEST(GameLoop, ReleaseAllDropsEverythingAndASecondCallDoesNothingMore)
{
    SizedGame sized;
    auto& game = *sized.game;
    auto drawable = std::make_shared<CountingDrawable>(game, nullptr);
    game.Components().push_back(drawable);
    game.CreateSizedObjects();
    game.ReleaseAll();
    EXPECT_TRUE(game.Components().empty());
    EXPECT_FALSE(game.HasDevice());
    EXPECT_EQ(drawable.use_count(), 1);
    game.ReleaseAll();
    game.RunFrame();
    game.Present();
    EXPECT_THROW(game.CreateSizedObjects(), Library::GameException);
}

struct SizeCase
{
    std::uint32_t width;
    std::uint32_t height;
};

class TargetSizeTest : public testing::TestWithParam<SizeCase>
{
};

// Recreating the targets after a size change follows the provider, down to a single pixel, and
// the preview hands over a picture of that size.
TEST_P(TargetSizeTest, TargetsFollowTheSizeProvider)
{
    SizedGame sized(64, 48, Library::TargetKind::PreviewWindow);
    auto& game = *sized.game;
    game.CreateSizedObjects();
    sized.width = GetParam().width;
    sized.height = GetParam().height;
    game.CreateSizedObjects();
    QImage delivered;
    game.SetPresentCallback([&](const QImage& picture) { delivered = picture.copy(); });
    game.Context().ClearRenderTargetView(game.ColorView(), {0.0f, 0.0f, 1.0f, 1.0f});
    game.Present();

    const auto& desc = game.ColorView().Texture()->Desc();
    EXPECT_EQ(desc.Width, GetParam().width);
    EXPECT_EQ(desc.Height, GetParam().height);
    EXPECT_EQ(desc.SampleCount, 4u);
    EXPECT_EQ(game.DepthView().Texture()->Desc().Width, GetParam().width);
    EXPECT_FLOAT_EQ(game.GetViewport().Height, static_cast<float>(GetParam().height));
    ASSERT_EQ(delivered.size(), QSize(static_cast<int>(GetParam().width), static_cast<int>(GetParam().height)));
    EXPECT_EQ(delivered.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(delivered.pixel(delivered.width() - 1, delivered.height() - 1), qRgb(0, 0, 255));
}

INSTANTIATE_TEST_SUITE_P(Sizes, TargetSizeTest, testing::Values(SizeCase{1, 1}, SizeCase{37, 21}, SizeCase{128, 96}));

TEST(GameTargets, AZeroSizeIsAClearErrorAndAMissingProviderTheStandardOne)
{
    SizedGame sized(0, 10);
    EXPECT_THROW(sized.game->CreateSizedObjects(), Library::GameException);
    Library::Game noProvider({}, Library::TargetKind::ExportWindow);
    EXPECT_THROW(noProvider.CreateSizedObjects(), std::bad_function_call);
}

TEST(GameTargets, TheTargetStackRebindsThePreviousTargetAndForgetsDestroyedGames)
{
    const std::size_t before = Library::RenderTarget::TargetDepth();
    {
        SizedGame sized;
        sized.game->CreateSizedObjects();
        sized.game->BindAsTarget();
        EXPECT_EQ(Library::RenderTarget::TargetDepth(), before + 2);
        sized.game->RestorePreviousTarget();
        EXPECT_EQ(Library::RenderTarget::TargetDepth(), before + 1);
    }
    EXPECT_EQ(Library::RenderTarget::TargetDepth(), before);
}

TEST(FrameReader, CollectsQueuedPicturesInOrderAsOpaqueBgra)
{
    SizedGame sized(4, 2);
    auto& game = *sized.game;
    game.CreateSizedObjects();
    Library::FrameReader reader(game);
    const std::array<float, 4> colours[] = {{1.0f, 0.0f, 0.0f, 0.5f}, {0.0f, 1.0f, 0.0f, 0.0f}};
    for (const auto& colour : colours) {
        game.Context().ClearRenderTargetView(game.ColorView(), colour);
        game.Present();
        reader.Request();
    }
    EXPECT_EQ(reader.Pending(), 2u);
    const auto collected = reader.Collect();
    const std::vector<std::uint8_t> first(collected.begin(), collected.end());
    ASSERT_EQ(first.size(), 4u * 2u * 4u);
    EXPECT_EQ((std::vector<std::uint8_t>(first.begin(), first.begin() + 4)), (std::vector<std::uint8_t>{0, 0, 255, 255}));
    const auto second = reader.Collect();
    ASSERT_EQ(second.size(), 32u);
    EXPECT_EQ((std::vector<std::uint8_t>(second.begin(), second.begin() + 4)), (std::vector<std::uint8_t>{0, 255, 0, 255}));
    EXPECT_TRUE(reader.Collect().empty());
}

std::vector<std::uint8_t> FirstPixelAfterClear(Library::Game& game, const std::array<float, 4>& colour)
{
    game.Context().ClearRenderTargetView(game.ColorView(), colour);
    game.Present();
    Library::FrameReader reader(game);
    reader.Request();
    const auto pixels = reader.Collect();
    return {pixels.begin(), pixels.begin() + 4};
}

// The export renders on its own thread while the preview keeps its game on the interface thread.
TEST(GameThreads, EachGameDrawsOnItsOwnThreadAndRefusesOthers)
{
    SizedGame preview(4, 4);
    preview.game->CreateSizedObjects();
    auto exported = std::async(std::launch::async, [] {
        SizedGame exportGame(4, 4);
        exportGame.game->CreateSizedObjects();
        return FirstPixelAfterClear(*exportGame.game, {0.0f, 1.0f, 0.0f, 1.0f});
    });
    EXPECT_EQ(exported.get(), (std::vector<std::uint8_t>{0, 255, 0, 255}));
    EXPECT_EQ(FirstPixelAfterClear(*preview.game, {1.0f, 0.0f, 0.0f, 1.0f}), (std::vector<std::uint8_t>{0, 0, 255, 255}));
    auto stranger = std::async(std::launch::async, [&] { preview.game->Prepare(); });
    EXPECT_THROW(stranger.get(), Library::GameException);
}

TEST(Buffers, OnlyDynamicBuffersMapForWritingAndOnlyStagingBuffersForReading)
{
    SizedGame sized;
    auto& device = sized.game->Device();
    auto& context = sized.game->Context();
    const std::uint8_t bytes[16] = {};
    const struct
    {
        Library::Usage usage;
        Library::MapMode mode;
        bool maps;
    } cases[] = {{Library::Usage::Dynamic, Library::MapMode::WriteDiscard, true},
        {Library::Usage::Immutable, Library::MapMode::WriteDiscard, false},
        {Library::Usage::Default, Library::MapMode::WriteDiscard, false},
        {Library::Usage::Staging, Library::MapMode::Read, true},
        {Library::Usage::Dynamic, Library::MapMode::Read, false}};
    for (const auto& mapCase : cases) {
        Library::Buffer buffer;
        ASSERT_FALSE(device.CreateBuffer({16, mapCase.usage, 0}, bytes, buffer).Failed());
        void* mapped = context.Map(buffer, mapCase.mode);
        EXPECT_EQ(mapped != nullptr, mapCase.maps) << static_cast<int>(mapCase.usage);
        if (mapped != nullptr) {
            context.Unmap(buffer);
        }
    }
    Library::Buffer rejected;
    EXPECT_TRUE(device.CreateBuffer({0, Library::Usage::Default, 0}, nullptr, rejected).Failed());
    EXPECT_TRUE(device.CreateBuffer({16, Library::Usage::Immutable, 0}, nullptr, rejected).Failed());
    EXPECT_THROW(Library::CreateConstantBuffer(device, 20, rejected), Library::GameException);
    EXPECT_FALSE(rejected);
}

TEST(FactorySingleton, ThreadsAskingAtOnceShareOneDisplay)
{
    std::vector<std::future<void*>> askers;
    for (int i = 0; i < 4; ++i) {
        askers.push_back(std::async(std::launch::async, [] { return Library::FactorySingleton::GetEglDisplay(); }));
    }
    void* const first = askers.front().get();
    EXPECT_NE(first, nullptr);
    for (std::size_t i = 1; i < askers.size(); ++i) {
        EXPECT_EQ(askers[i].get(), first);
    }
}

// The tests force the software device; its renderer name is what the driver reports, and asking
// for it leaves the calling thread's current context alone.
TEST(FactorySingleton, NamesTheRendererOfTheChosenDevice)
{
    SizedGame sized;
    const std::string renderer = Library::FactorySingleton::RendererName();
    EXPECT_NE(renderer.find("llvmpipe"), std::string::npos) << renderer;
    EXPECT_NE(eglGetCurrentContext(), EGL_NO_CONTEXT);
}

TEST(Shaders, AShaderThatFailsToCompileNamesItselfInTheError)
{
    SizedGame sized;
    Library::PixelShader shader;
    const auto result = sized.game->Device().CreatePixelShader(
        "broken/Missing.frag", "#version 450 core\nvoid main() { undefined_call(); }\n", shader);
    EXPECT_FALSE(shader);
    try {
        Library::ThrowIfFailed(result, "CreatePixelShader() failed.");
        FAIL() << "no exception";
    } catch (const Library::GameException& error) {
        const std::string message = error.what();
        EXPECT_EQ(message.rfind("CreatePixelShader() failed. (broken/Missing.frag: ", 0), 0u) << message;
        EXPECT_NE(message.find("undefined_call"), std::string::npos) << message;
        EXPECT_NE(error.Result(), 0);
    }
    Library::VertexShader unknown;
    EXPECT_THROW(Library::CreateVertexShader(sized.game->Device(), "nothing/There.vert", unknown), Library::GameException);
}
}
