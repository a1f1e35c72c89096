#pragma once

#include <filesystem>
#include <string>
#include <vector>

class ProjectSettings;

namespace Export {

// What is written at an output path: an MP4 video, or a PNG picture of one show time.
enum class OutputKind { Video, Picture };

// Empty when the path's extension suits the kind (.mp4 or .m4v for a video, .png for a picture,
// in any case); otherwise one line saying what is expected.
std::string CheckOutputExtension(const std::filesystem::path& path, OutputKind kind);

// The files a show reads: the project file, its music, its background picture and every photo.
std::vector<std::filesystem::path> ShowInputs(const ProjectSettings& project,
    const std::filesystem::path& projectPath);

// Whether an export may write path, checked before anything is rendered. Empty when it may;
// otherwise one line saying why not: a wrong extension, a folder, something that is not a regular
// file (a device, a pipe, a socket), a file that exists while overwrite is false, or one of
// inputs (the same file, reached by any name or link).
std::string CheckOutputTarget(const std::filesystem::path& path, OutputKind kind,
    const std::vector<std::filesystem::path>& inputs, bool overwrite);

} // namespace Export
