#include "framework/FactorySingleton.h"
#include "framework/Game.h"
#include "framework/GameException.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace
{
// Caps Mesa at OpenGL 3.3 before anything in this program touches EGL, standing in for a machine
// whose driver is too old.
const bool sCapped = setenv("MESA_GL_VERSION_OVERRIDE", "3.3", 1) == 0;

TEST(NoOpenGl45, ConstructingAGameExplainsTheMissingDriverInOneLine)
{
    ASSERT_TRUE(sCapped);
    try {
        Library::Game game([](std::uint32_t& w, std::uint32_t& h) { w = h = 4; }, Library::TargetKind::PreviewWindow);
        FAIL() << "a game was made without OpenGL 4.5";
    } catch (const Library::GameException& error) {
        EXPECT_EQ(std::string(error.what()), Library::FactorySingleton::NoOpenGlMessage);
    }
}
}
