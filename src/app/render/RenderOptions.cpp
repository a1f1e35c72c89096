#include "RenderOptions.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <limits>
#include <string_view>

namespace Pellora::Render {

namespace {

constexpr int MaxFrameSide = 8192;

struct OptionSpec {
    std::string_view name;
    std::string_view valueName; // empty: a flag without value
    std::string_view help;
    // Stores the value; returns an error line, empty on success.
    std::function<std::string(RenderOptions&, std::string_view)> apply;
};

template <typename T>
std::optional<T> ParseNumber(std::string_view text)
{
    T value{};
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::pair<int, int>> ParseSize(std::string_view text)
{
    const auto x = text.find('x');
    if (x == std::string_view::npos) {
        return std::nullopt;
    }
    const auto width = ParseNumber<int>(text.substr(0, x));
    const auto height = ParseNumber<int>(text.substr(x + 1));
    if (!width || !height || *width < 1 || *height < 1 || *width > MaxFrameSide || *height > MaxFrameSide) {
        return std::nullopt;
    }
    return std::pair{*width, *height};
}

// An option that takes a whole number from low to high.
OptionSpec NumberOption(std::string_view name, std::string_view help, std::optional<int> RenderOptions::*field,
    int low, int high)
{
    return {name, "N", help, [=](RenderOptions& o, std::string_view v) {
                const auto number = ParseNumber<int>(v);
                if (!number || *number < low || *number > high) {
                    return std::string(name) + " needs a number from " + std::to_string(low) + " to " +
                        std::to_string(high) + ", got \"" + std::string(v) + "\"";
                }
                o.*field = *number;
                return std::string();
            }};
}

// An option that takes one of a few words.
template <typename T>
OptionSpec ChoiceOption(std::string_view name, std::string_view valueName, std::string_view help,
    std::vector<std::pair<std::string_view, T>> choices, void (*store)(RenderOptions&, T))
{
    return {name, valueName, help, [=](RenderOptions& o, std::string_view v) {
                for (const auto& [word, value] : choices) {
                    if (word == v) {
                        store(o, value);
                        return std::string();
                    }
                }
                return std::string(name) + " needs " + std::string(valueName) + ", got \"" + std::string(v) + "\"";
            }};
}

const std::vector<OptionSpec>& Options()
{
    static const std::vector<OptionSpec> options = {
        {"--project", "FILE", "project file to render (default: project.txt in the data folder)",
            [](RenderOptions& o, std::string_view v) {
                o.project = std::filesystem::path(std::string(v));
                return std::string();
            }},
        {"--timeline", "", "print the assembled show as JSON",
            [](RenderOptions& o, std::string_view) {
                o.timeline = true;
                return std::string();
            }},
        {"--frame", "SECONDS", "render the exported frame nearest to this show time as PNG (needs --out)",
            [](RenderOptions& o, std::string_view v) {
                const auto seconds = ParseNumber<double>(v);
                if (!seconds || !std::isfinite(*seconds) || *seconds < 0.0) {
                    return "--frame needs a time in seconds of 0 or more, got \"" + std::string(v) + "\"";
                }
                o.frameSeconds = *seconds;
                return std::string();
            }},
        {"--out", "FILE", "output file",
            [](RenderOptions& o, std::string_view v) {
                o.out = std::filesystem::path(std::string(v));
                return std::string();
            }},
        {"--size", "WxH", "frame size in pixels, instead of the project's (the file is not changed)",
            [](RenderOptions& o, std::string_view v) {
                o.size = ParseSize(v);
                return o.size ? std::string()
                              : "--size needs WIDTHxHEIGHT between 1 and " + std::to_string(MaxFrameSide) +
                        ", got \"" + std::string(v) + "\"";
            }},
        {"--seed", "N", "seed of the show's random choices (default: random)",
            [](RenderOptions& o, std::string_view v) {
                o.seed = ParseNumber<std::uint32_t>(v);
                return o.seed ? std::string() : "--seed needs a number from 0 to 4294967295, got \"" + std::string(v) + "\"";
            }},
        {"--demo", "FILE.mp4", "export a demo show of generated photos and music (1280x720, 30 fps, 20 s)",
            [](RenderOptions& o, std::string_view v) {
                o.demo = std::filesystem::path(std::string(v));
                return std::string();
            }},
        NumberOption("--fps", "video frames per second, instead of the project's", &RenderOptions::fps, 1, 240),
        ChoiceOption<bool>("--codec", "h264|hevc", "video codec (default h264)", {{"h264", false}, {"hevc", true}},
            [](RenderOptions& o, bool hevc) { o.hevc = hevc; }),
        NumberOption("--bitrate", "average bit rate in bits per second (default 4000000)", &RenderOptions::bitRate, 1,
            1000000000),
        ChoiceOption<int>("--rate-mode", "quality|vbr|cbr",
            "rate control: constant quality (default), variable or constant bit rate",
            {{"vbr", 1}, {"quality", 2}, {"cbr", 3}}, [](RenderOptions& o, int mode) { o.rateMode = mode; }),
        NumberOption("--quality", "picture quality 0..100 for --rate-mode quality (default 100)",
            &RenderOptions::quality, 0, 100),
        NumberOption("--speed", "quality vs speed: 0 fastest .. 100 best quality (default 50)",
            &RenderOptions::qualityVsSpeed, 0, 100),
        NumberOption("--threads", "encoder threads, 0 for the encoder's choice (default 0)", &RenderOptions::threads,
            0, 64),
        ChoiceOption<bool>("--hardware", "on|off",
            "on (default): a hardware encoder when one works, with the tuning above; off: the software encoder "
            "with its own defaults",
            {{"on", true}, {"off", false}}, [](RenderOptions& o, bool on) { o.hardware = on; }),
        {"--help", "", "show this help",
            [](RenderOptions& o, std::string_view) {
                o.help = true;
                return std::string();
            }},
    };
    return options;
}

const OptionSpec* FindOption(std::string_view name)
{
    for (const auto& option : Options()) {
        if (option.name == name) {
            return &option;
        }
    }
    return nullptr;
}

} // namespace

ParsedOptions ParseOptions(const std::vector<std::string>& args)
{
    ParsedOptions parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const OptionSpec* option = FindOption(args[i]);
        if (option == nullptr) {
            parsed.error = "unknown argument \"" + args[i] + "\" (see --help)";
            return parsed;
        }
        std::string_view value;
        if (!option->valueName.empty()) {
            if (i + 1 >= args.size()) {
                parsed.error = std::string(option->name) + " needs a value " + std::string(option->valueName);
                return parsed;
            }
            value = args[++i];
        }
        parsed.error = option->apply(parsed.options, value);
        if (!parsed.error.empty()) {
            return parsed;
        }
    }
    return parsed;
}

std::string OptionsHelp()
{
    std::string text;
    for (const auto& option : Options()) {
        std::string left = "  " + std::string(option.name);
        if (!option.valueName.empty()) {
            left += " " + std::string(option.valueName);
        }
        left.resize(std::max<std::size_t>(left.size() + 1, 20), ' ');
        text += left + std::string(option.help) + "\n";
    }
    return text;
}

} // namespace Pellora::Render
