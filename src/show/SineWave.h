#pragma once

#include "framework/DrawableGameComponent.h"
#include "framework/GpuResources.h"
#include "framework/VectorMath.h"
#include "show/OverlayLayout.h"

#include <array>
#include <cstdint>
#include <vector>

namespace Rendering {

// A thin coloured ribbon undulating across the lower part of the picture, drawn with the
// orthographic camera. The strip is built once; its displacement and colours are computed in the
// vertex shader, so a frame costs four small constant updates and one draw.
class SineWave : public Library::DrawableGameComponent {
    RTTI_DECLARATIONS(SineWave, Library::DrawableGameComponent)

public:
    using Color = std::array<float, 4>; // red, green, blue, alpha in 0..1

    SineWave(Library::Game& game, std::shared_ptr<Library::Camera> camera, float width, float height,
        float phaseSpeed, bool breathing, bool travelling, float depth, float fadeStartAlpha, float fadeTime,
        float phaseOffset, float endTime);

    // The first four colours appended before SetUp run along the ribbon.
    void AppendColor(const Color& color) { mColors.push_back(color); }
    // Throws GameException when fewer than four colours were appended or a GPU object fails.
    void SetUp() override;
    void Render(const Library::FrameTime& frameTime) override;

    // Seconds after the first drawn frame after which nothing is drawn; 0 or less: never.
    float EndTime() const { return mMotion.endTime; }
    const WaveMotion& Motion() const { return mMotion; }

    // Mirrors of the vertex shader's constant blocks (std140).
    struct CBufferPerObject {
        Library::Float4x4 WorldViewProjection;
    };
    struct CColorBufferPerObject {
        std::array<Color, 4> colors{};
    };
    struct CInfoBufferPerObject {
        float s_shift = 0.0f;
        float amp = 1.0f;
        float s_running_time = 0.0f;
        float s_duration = WaveColorDuration;
    };
    struct CAlphaBufferPerObject {
        std::array<float, 4> s_alpha{1.0f, 0.0f, 0.0f, 0.0f};
    };

private:
    float mAspect;
    std::uint32_t mColumns = 800;
    CColorBufferPerObject mColorParams;
    CInfoBufferPerObject mInfo;
    CAlphaBufferPerObject mAlpha;
    std::vector<Color> mColors;
    float mDepth;
    WaveMotion mMotion;
    float mStartTime = 0.0f;
    bool mStarted = false;
    std::uint32_t mIndexCount = 0;
    Library::Buffer mVertexBuffer;
    Library::Buffer mIndexBuffer;
    Library::VertexShader mVertexShader;
    Library::PixelShader mPixelShader;
    Library::InputLayout mInputLayout;
    std::array<Library::Buffer, 4> mConstantBuffers; // transformation, colours, info, alpha
};

static_assert(sizeof(SineWave::CBufferPerObject) == 64);
static_assert(sizeof(SineWave::CColorBufferPerObject) == 64);
static_assert(sizeof(SineWave::CInfoBufferPerObject) == 16);
static_assert(sizeof(SineWave::CAlphaBufferPerObject) == 16);

} // namespace Rendering
