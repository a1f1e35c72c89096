#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace Pellora::Render {

// Everything the command line can say; which command runs is decided from the set fields.
struct RenderOptions {
    std::filesystem::path project;      // empty: the data folder's project file
    bool timeline = false;
    std::optional<double> frameSeconds; // show time of the picture to render
    std::filesystem::path out;
    std::optional<std::pair<int, int>> size; // overrides the project's frame size in memory only
    std::optional<std::uint32_t> seed;
    bool help = false;
    // Video export (--out FILE.mp4 without --frame) and the demo; unset fields keep the defaults of
    // the export settings dialog, and the project's own frame size and rate.
    std::filesystem::path demo; // where --demo writes its video
    std::optional<int> fps;
    bool hevc = false;
    std::optional<int> bitRate;
    std::optional<int> rateMode; // 1 variable bit rate, 2 quality, 3 constant bit rate
    std::optional<int> quality;
    std::optional<int> qualityVsSpeed;
    std::optional<int> threads;
    std::optional<bool> hardware;
};

// Result of parsing: the options, or one line saying what is wrong.
struct ParsedOptions {
    RenderOptions options;
    std::string error;
};

ParsedOptions ParseOptions(const std::vector<std::string>& args);

// The option list for --help, one option per line.
std::string OptionsHelp();

} // namespace Pellora::Render
