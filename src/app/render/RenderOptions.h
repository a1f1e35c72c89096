#pragma once

#include <QStringList>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace Pellora::Render {

// Everything the command line can say; which command runs is decided from the set fields, and the
// parser lets through only options the chosen command uses.
struct RenderOptions {
    std::filesystem::path project;      // empty: the data folder's project file
    bool timeline = false;
    std::optional<double> frameSeconds; // show time of the picture to render
    std::filesystem::path out;
    std::optional<std::pair<int, int>> size; // overrides the project's frame size in memory only
    std::optional<std::uint32_t> seed;
    bool overwrite = false; // an existing output file may be replaced
    bool quiet = false;     // no progress or summary lines; errors and warnings still
    bool help = false;
    bool version = false;
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

// Result of parsing: the options, or one line saying what is wrong with the command line.
struct ParsedOptions {
    RenderOptions options;
    std::string error;
};

// Parses the program's arguments, the program's name first. Unknown, malformed, conflicting and
// ignored options are errors, as are an output name whose extension does not suit the command and
// an odd video size.
ParsedOptions ParseOptions(const QStringList& arguments);

// The text of --help: the usage line, the commands given, every option and the exit codes. Needs
// the QCoreApplication.
std::string HelpText(const std::string& commands);

} // namespace Pellora::Render
