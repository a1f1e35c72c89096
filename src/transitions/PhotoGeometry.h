#pragma once

// Device-free geometry of the photo transitions: vertex layout, photo extents, the phase clock and
// the framed reveal (visible rectangle, frame ring, frame unfolding). Everything here is plain
// arithmetic so that it can be checked without an OpenGL context.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace Rendering {

// The vertex of every photo quad and frame mesh: position (x, y, z, 1) in world units, texcoord (u, v)
// with (0, 0) at the texture's top-left.
struct TexturedVertex
{
    std::array<float, 4> position;
    std::array<float, 2> texcoord;
};
static_assert(offsetof(TexturedVertex, position) == 0);
static_assert(offsetof(TexturedVertex, texcoord) == 16);
static_assert(sizeof(TexturedVertex) == 24);

enum class MotionStyle : std::int32_t { Drop = 0, Side = 1, Corner = 2 };
enum class PhaseMode : std::int32_t { Off = 0, Reveal = 1, Glide = 2 };

// An axis-aligned quad: x0..x1 and y0..y1 in world units (y grows upward), u0..u1 and vt..vb in
// texture units, vt belonging to the top edge.
struct QuadRect
{
    float x0, x1, y0, y1;
    float u0, u1, vt, vb;
};

// Writes the quad's vertices left-top, left-bottom, right-bottom, right-top at depth z.
void WriteQuad(const QuadRect& rect, float z, std::span<TexturedVertex, 4> out);

// Half-extents of the photo quad and the part of the square texture the photo covers.
struct PhotoExtents
{
    float hw = 0.0f;
    float hh = 0.0f;
    float U = 0.0f;
    float V = 0.0f;
    bool wide = true;  // width >= height; a square photo counts as wide
};

PhotoExtents ComputePhotoExtents(float width, float height, float halfHeightWide, float halfHeightTall);

// The full photo quad.
QuadRect FullQuad(const PhotoExtents& extents);

// The part of the photo shown at reveal progress t in [0, 1]; fromLeft is the direction flag L.
QuadRect VisibleRect(MotionStyle style, int fromLeft, float t, const PhotoExtents& extents);

// The frame's constants: m (frame width, world units), b (band width in the frame picture, texture
// units), k (texture span of the frame edges), z (depth of the meshes).
struct FrameParams
{
    float m = 0.05f;
    float b = 0.0285f;
    float k = 0.92f;
    float z = 0.0f;
};

inline constexpr std::size_t RingQuadCount = 8;
inline constexpr std::size_t BarsQuadCount = 6;
inline constexpr std::size_t CornersQuadCount = 4;

// The eight-quad frame around the visible rectangle of style at progress t.
void BuildFrameRing(MotionStyle style, int fromLeft, float t, float span, const PhotoExtents& extents,
    const FrameParams& frame, std::span<TexturedVertex, RingQuadCount * 4> out);

// The frame unfolding before the photo appears, at unfolding progress q in [0, 1]; at q = 1 each
// equals the ring of its style at t = 0.
void BuildDropUnfold(float q, const PhotoExtents& extents, const FrameParams& frame,
    std::span<TexturedVertex, BarsQuadCount * 4> out);
void BuildSideUnfold(int fromLeft, float q, const PhotoExtents& extents, const FrameParams& frame,
    std::span<TexturedVertex, BarsQuadCount * 4> out);
void BuildCornerUnfold(int fromLeft, float q, const PhotoExtents& extents, const FrameParams& frame,
    std::span<TexturedVertex, CornersQuadCount * 4> out);

// The index pattern of a mesh of quads: 4k, 4k+1, 4k+2, 4k, 4k+2, 4k+3 for quad k.
template <std::size_t QuadCount>
constexpr std::array<std::uint16_t, QuadCount * 6> QuadIndices()
{
    std::array<std::uint16_t, QuadCount * 6> indices{};
    for (std::size_t k = 0; k < QuadCount; ++k) {
        const auto base = static_cast<std::uint16_t>(4 * k);
        const std::array<std::uint16_t, 6> quad{base, static_cast<std::uint16_t>(base + 1),
            static_cast<std::uint16_t>(base + 2), base, static_cast<std::uint16_t>(base + 2),
            static_cast<std::uint16_t>(base + 3)};
        for (std::size_t i = 0; i < 6; ++i) {
            indices[6 * k + i] = quad[i];
        }
    }
    return indices;
}

// Seconds of the three phases; the leave phase lasts as long as the enter phase.
struct PhaseTimes
{
    float enter = 0.7f;
    float hold = 0.7f;
    float rest = 2.0f;

    float Total() const { return 2.0f * enter + hold + rest; }
    float LeaveStart() const { return enter + hold + rest; }
};

enum class Phase { Enter, Hold, Leave };

// Which phase elapsed seconds (since the object's start) fall into; elapsed past the total still
// answers Leave, where the leave animation itself draws nothing.
Phase SelectPhase(float elapsed, const PhaseTimes& times);

// Progress of a hold effect: 0 .. 1 over the hold time, then 1 through the rest time.
float HoldProgress(float elapsed, const PhaseTimes& times);

// Enter progress p rising 0..1, or nothing outside the enter phase.
std::optional<float> EnterProgress(float elapsed, const PhaseTimes& times);
// Leave progress p falling 1..0, or nothing outside the leave phase.
std::optional<float> LeaveProgress(float elapsed, const PhaseTimes& times);

// Horizontal offset of a gliding photo at enter progress p (arrives from 2 units away) and at leave
// progress p (leaves to the far side).
float GlideEnterOffset(float p, int leftToRight);
float GlideLeaveOffset(float p, int leftToRight);

// A reveal progress p is split into the frame unfolding (first part) and the photo sliding in.
struct RevealStep
{
    bool unfolding = false;
    float value = 0.0f;  // q while unfolding, else the reveal progress t
};

RevealStep SplitReveal(float p, const PhotoExtents& extents, const FrameParams& frame);

}  // namespace Rendering
