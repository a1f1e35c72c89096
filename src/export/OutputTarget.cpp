#include "OutputTarget.h"

#include "project/Paths.h"
#include "project/ProjectSettings.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace Export {

namespace {

// As many links as the kernel follows in one path before it gives up.

std::string Quoted(const std::filesystem::path& path)
{
    return "'" + path.string() + "'";
}

void AddInput(std::vector<std::filesystem::path>& inputs, const std::u16string& path)
{
    if (!path.empty()) {
        inputs.push_back(ToPath(path));
    }
}

bool IsOneOf(const std::filesystem::path& file, const std::vector<std::filesystem::path>& inputs,
    std::filesystem::path& match)
{
    for (const auto& input : inputs) {
        std::error_code error;
        if (std::filesystem::equivalent(file, input, error)) {
            match = input;
            return true;
        }
    }
    return false;
}

} // namespace

std::string CheckOutputExtension(const std::filesystem::path& path, OutputKind kind)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
        [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (kind == OutputKind::Picture) {
        return extension == ".png" ? std::string() : "the picture file " + Quoted(path) + " must end in .png";
    }
    return extension == ".mp4" || extension == ".m4v"
        ? std::string()
        : "the video file " + Quoted(path) + " must end in .mp4 or .m4v";
}

std::vector<std::filesystem::path> ShowInputs(const ProjectSettings& project,
    const std::filesystem::path& projectPath)
{
    std::vector<std::filesystem::path> inputs{projectPath};
    AddInput(inputs, project.m_MP3);
    AddInput(inputs, project.m_BackgroundImage);
    AddInput(inputs, project.m_OrigBackgroundImage);
    for (const auto& photo : project.m_OrigImages) {
        AddInput(inputs, photo);
    }
    return inputs;
}

std::string CheckOutputTarget(const std::filesystem::path& path, OutputKind kind,
    const std::vector<std::filesystem::path>& inputs, bool overwrite)
{
    if (auto wrongExtension = CheckOutputExtension(path, kind); !wrongExtension.empty()) {
        return wrongExtension;
    }
    const auto file = FollowLinks(path);
    std::error_code error;
    const auto status = std::filesystem::symlink_status(file, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return {};
    }
    if (error) {
        return "cannot use " + Quoted(path) + ": " + error.message();
    }
    if (status.type() == std::filesystem::file_type::symlink) {
        return "cannot use " + Quoted(path) + ": too many levels of symbolic links";
    }
    if (status.type() == std::filesystem::file_type::directory) {
        return Quoted(path) + " is a folder; give the name of a file in it";
    }
    if (status.type() != std::filesystem::file_type::regular) {
        return Quoted(path) + " is not a regular file (a device, a pipe or a socket) and is never replaced";
    }
    if (std::filesystem::path input; IsOneOf(file, inputs, input)) {
        return Quoted(path) + " is the show's own file " + Quoted(input) + "; choose another output file";
    }
    if (!overwrite) {
        return Quoted(path) + " already exists; add --overwrite (or -y) to replace it";
    }
    return {};
}

} // namespace Export
