#pragma once

#include "RenderOptions.h"

#include <string>
#include <string_view>

namespace Pellora::Render {

// One thing pellora-render can do. The first command whose Selected() holds runs; new commands
// (the video export) join the table in RenderCommands.cpp.
struct Command {
    std::string_view usage;
    bool (*Selected)(const RenderOptions& options);
    int (*Run)(const RenderOptions& options);
};

// Runs the command the options select; prints one line on stderr and returns non-zero on failure.
int RunCommand(const RenderOptions& options);

// Usage lines of every command, for --help.
std::string CommandsHelp();

} // namespace Pellora::Render
