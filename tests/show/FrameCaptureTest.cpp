#include "show/FrameCapture.h"

#include <gtest/gtest.h>

#include <vector>

namespace Rendering {
namespace {

TEST(FrameCapture, TopDownPictureBecomesBottomUpOpaque)
{
    // B, G, R, A bytes. Top row red, green; bottom row blue, white; rows padded to 12 bytes.
    const std::vector<std::uint8_t> bgra = {
        0, 0, 255, 7, 0, 255, 0, 9, 0xEE, 0xEE, 0xEE, 0xEE,
        255, 0, 0, 0, 255, 255, 255, 128, 0xEE, 0xEE, 0xEE, 0xEE,
    };
    std::vector<std::uint8_t> out(16);
    ConvertToEncoderLayout(bgra, 2, 2, 12, out);
    const std::vector<std::uint8_t> expected = {
        255, 0, 0, 255, 255, 255, 255, 255, // blue, white
        0, 0, 255, 255, 0, 255, 0, 255,     // red, green
    };
    EXPECT_EQ(out, expected);
}

TEST(FrameCapture, RejectsBuffersSmallerThanThePicture)
{
    std::vector<std::uint8_t> bgra(15);
    std::vector<std::uint8_t> out(16);
    EXPECT_THROW(ConvertToEncoderLayout(bgra, 2, 2, 8, out), std::invalid_argument);
    bgra.resize(16);
    out.resize(15);
    EXPECT_THROW(ConvertToEncoderLayout(bgra, 2, 2, 8, out), std::invalid_argument);
}

} // namespace
} // namespace Rendering
