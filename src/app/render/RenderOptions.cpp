#include "RenderOptions.h"

#include "OutputTarget.h"

#include <QCommandLineParser>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <string_view>
#include <vector>

namespace Pellora::Render {

namespace {

constexpr int MaxFrameSide = 8192;
constexpr int kQualityMode = 2;

struct OptionSpec {
    QStringList names; // the long name last
    QString valueName; // empty: a flag without value
    QString help;
    // Stores the value; returns an error line, empty on success.
    std::function<std::string(RenderOptions&, const std::string&)> apply;

    std::string Name() const { return names.back().toStdString(); }
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

OptionSpec Flag(QStringList names, QString help, bool RenderOptions::*field)
{
    return {std::move(names), {}, std::move(help), [=](RenderOptions& o, const std::string&) {
                o.*field = true;
                return std::string();
            }};
}

OptionSpec PathOption(QString name, QString valueName, QString help, std::filesystem::path RenderOptions::*field)
{
    return {{std::move(name)}, std::move(valueName), std::move(help), [=](RenderOptions& o, const std::string& v) {
                o.*field = std::filesystem::path(v);
                return std::string();
            }};
}

// An option that takes a whole number from low to high.
OptionSpec NumberOption(QString name, QString help, std::optional<int> RenderOptions::*field, int low, int high)
{
    const std::string option = "--" + name.toStdString();
    return {{std::move(name)}, "N", std::move(help), [=](RenderOptions& o, const std::string& v) {
                const auto number = ParseNumber<int>(v);
                if (!number || *number < low || *number > high) {
                    return option + " needs a number from " + std::to_string(low) + " to " + std::to_string(high) +
                        ", got \"" + v + "\"";
                }
                o.*field = *number;
                return std::string();
            }};
}

// An option that takes one of a few words.
template <typename T>
OptionSpec ChoiceOption(QString name, QString valueName, QString help,
    std::vector<std::pair<std::string_view, T>> choices, void (*store)(RenderOptions&, T))
{
    const std::string option = "--" + name.toStdString();
    const std::string expected = valueName.toStdString();
    return {{std::move(name)}, std::move(valueName), std::move(help), [=](RenderOptions& o, const std::string& v) {
                for (const auto& [word, value] : choices) {
                    if (word == v) {
                        store(o, value);
                        return std::string();
                    }
                }
                return option + " needs " + expected + ", got \"" + v + "\"";
            }};
}

const std::vector<OptionSpec>& Options()
{
    static const std::vector<OptionSpec> options = {
        PathOption("project", "FILE", "Project file to render (default: project.txt in the data folder).",
            &RenderOptions::project),
        Flag({"timeline"}, "Print the assembled show as JSON.", &RenderOptions::timeline),
        {{"frame"}, "SECONDS", "Render the exported frame nearest to this show time as PNG (needs --out).",
            [](RenderOptions& o, const std::string& v) {
                const auto seconds = ParseNumber<double>(v);
                if (!seconds || !std::isfinite(*seconds) || *seconds < 0.0) {
                    return "--frame needs a time in seconds of 0 or more, got \"" + v + "\"";
                }
                o.frameSeconds = *seconds;
                return std::string();
            }},
        PathOption("out", "FILE", "Output file: FILE.mp4 or FILE.m4v for a video, FILE.png with --frame.",
            &RenderOptions::out),
        Flag({"y", "overwrite"}, "Replace the output file if it exists.", &RenderOptions::overwrite),
        {{"size"}, "WxH",
            "Frame size in pixels, instead of the project's (the file is not changed); even sides for a video.",
            [](RenderOptions& o, const std::string& v) {
                o.size = ParseSize(v);
                return o.size ? std::string()
                              : "--size needs WIDTHxHEIGHT between 1 and " + std::to_string(MaxFrameSide) +
                        ", got \"" + v + "\"";
            }},
        {{"seed"}, "N", "Seed of the show's random choices (default: random).",
            [](RenderOptions& o, const std::string& v) {
                o.seed = ParseNumber<std::uint32_t>(v);
                return o.seed ? std::string() : "--seed needs a number from 0 to 4294967295, got \"" + v + "\"";
            }},
        PathOption("demo", "FILE.mp4",
            "Export a demo show of generated photos and music (1280x720, 30 fps, 20 s).", &RenderOptions::demo),
        NumberOption("fps", "Video frames per second, instead of the project's.", &RenderOptions::fps, 1, 240),
        ChoiceOption<bool>("codec", "h264|hevc", "Video codec (default h264).", {{"h264", false}, {"hevc", true}},
            [](RenderOptions& o, bool hevc) { o.hevc = hevc; }),
        NumberOption("bitrate", "Average bit rate in bits per second for --rate-mode vbr or cbr, or with "
                                "--hardware off (default 4000000).",
            &RenderOptions::bitRate, 1, 1000000000),
        ChoiceOption<int>("rate-mode", "quality|vbr|cbr",
            "Rate control: constant quality (default), variable or constant bit rate.",
            {{"vbr", 1}, {"quality", kQualityMode}, {"cbr", 3}}, [](RenderOptions& o, int mode) { o.rateMode = mode; }),
        NumberOption("quality", "Picture quality 0..100 for --rate-mode quality (default 100).",
            &RenderOptions::quality, 0, 100),
        NumberOption("speed", "Quality vs speed: 0 fastest .. 100 best quality (default 50).",
            &RenderOptions::qualityVsSpeed, 0, 100),
        NumberOption("threads", "Encoder threads, 0 for the encoder's choice (default 0).", &RenderOptions::threads,
            0, 64),
        ChoiceOption<bool>("hardware", "on|off",
            "on (default): a hardware encoder when one works, with the tuning above; off: the software encoder "
            "with its own defaults and the bit rate.",
            {{"on", true}, {"off", false}}, [](RenderOptions& o, bool on) { o.hardware = on; }),
        Flag({"q", "quiet"}, "Print no progress or summary lines; errors and warnings still.", &RenderOptions::quiet),
        Flag({"h", "help"}, "Show this help.", &RenderOptions::help),
        Flag({"version"}, "Show the version, the OpenGL renderer and the video encoders.", &RenderOptions::version),
    };
    return options;
}

const OptionSpec& FindOption(const QString& name)
{
    const auto& options = Options();
    return *std::find_if(options.begin(), options.end(), [&](const OptionSpec& o) { return o.names.contains(name); });
}

void Describe(QCommandLineParser& parser)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    for (const auto& option : Options()) {
        parser.addOption(QCommandLineOption(option.names, option.help, option.valueName));
    }
}

const std::vector<std::string_view> kEncoderOptions = {
    "size", "fps", "codec", "bitrate", "rate-mode", "quality", "speed", "threads", "hardware", "seed", "overwrite"};

// What a command is called in messages and the options it reads; quiet, help and version go with
// every command. An option the chosen command does not read would be dropped without a word, so
// it is refused instead.
struct CommandOptions {
    std::string_view trigger;
    std::string_view label;
    std::vector<std::string_view> reads;
};

const std::vector<CommandOptions>& Commands()
{
    static const std::vector<CommandOptions> commands = {
        {"timeline", "--timeline", {"project", "seed", "size"}},
        {"frame", "--frame", {"project", "seed", "size", "out", "overwrite"}},
        {"demo", "--demo", kEncoderOptions},
        {"out", "--out FILE.mp4", [] {
             auto reads = kEncoderOptions;
             reads.insert(reads.end(), {"project", "out"});
             return reads;
         }()},
    };
    return commands;
}

bool Reads(const CommandOptions& command, const std::string& option)
{
    return option == command.trigger || option == "quiet" || option == "help" || option == "version" ||
        std::find(command.reads.begin(), command.reads.end(), option) != command.reads.end();
}

// The options given, by long name, in the order given.
std::vector<std::string> GivenOptions(const QCommandLineParser& parser)
{
    std::vector<std::string> given;
    for (const QString& name : parser.optionNames()) {
        const std::string option = FindOption(name).Name();
        if (std::find(given.begin(), given.end(), option) == given.end()) {
            given.push_back(option);
        }
    }
    return given;
}

std::string CheckCommand(const std::vector<std::string>& given)
{
    const CommandOptions* chosen = nullptr;
    for (const auto& command : Commands()) {
        if (std::find(given.begin(), given.end(), command.trigger) == given.end()) {
            continue;
        }
        if (chosen && command.trigger != "out" && chosen->trigger != "out") {
            return "--" + std::string(chosen->trigger) + " and --" + std::string(command.trigger) +
                " cannot be used together";
        }
        chosen = chosen ? chosen : &command;
    }
    if (!chosen) {
        return {};
    }
    for (const auto& option : given) {
        if (!Reads(*chosen, option)) {
            return "--" + option + " has no effect with " + std::string(chosen->label);
        }
    }
    return {};
}

// The encoder choices that would be dropped: tuning without the hardware path, a bit rate under
// constant quality, a quality under a bit-rate mode.
std::string CheckEncoderChoices(const RenderOptions& o)
{
    if (!o.hardware.value_or(true)) {
        const std::pair<const char*, bool> tuning[] = {{"--rate-mode", o.rateMode.has_value()},
            {"--quality", o.quality.has_value()}, {"--speed", o.qualityVsSpeed.has_value()},
            {"--threads", o.threads.has_value()}};
        for (const auto& [option, given] : tuning) {
            if (given) {
                return std::string(option) + " has no effect with --hardware off, which keeps the software "
                                             "encoder's own settings";
            }
        }
        return {};
    }
    const int mode = o.rateMode.value_or(kQualityMode);
    if (o.bitRate && mode == kQualityMode) {
        return "--bitrate has no effect with --rate-mode quality (the default); add --rate-mode vbr or cbr";
    }
    if (o.quality && mode != kQualityMode) {
        return "--quality has no effect with a bit-rate mode; it applies to --rate-mode quality";
    }
    return {};
}

std::string CheckVideo(const RenderOptions& o, const std::filesystem::path& file)
{
    if (auto wrongName = Export::CheckOutputExtension(file, Export::OutputKind::Video); !wrongName.empty()) {
        return wrongName;
    }
    // The encoder stores colour at half the resolution in both directions.
    if (o.size && (o.size->first % 2 != 0 || o.size->second % 2 != 0)) {
        return "--size needs an even width and height for a video, got " + std::to_string(o.size->first) + "x" +
            std::to_string(o.size->second);
    }
    return CheckEncoderChoices(o);
}

std::string CheckCombination(const RenderOptions& o, const std::vector<std::string>& given)
{
    if (o.help || o.version) {
        return {};
    }
    if (auto conflict = CheckCommand(given); !conflict.empty()) {
        return conflict;
    }
    if (o.timeline) {
        return {};
    }
    if (o.frameSeconds) {
        return o.out.empty() ? std::string() : Export::CheckOutputExtension(o.out, Export::OutputKind::Picture);
    }
    if (!o.demo.empty()) {
        return CheckVideo(o, o.demo);
    }
    return o.out.empty() ? std::string() : CheckVideo(o, o.out);
}

} // namespace

ParsedOptions ParseOptions(const QStringList& arguments)
{
    ParsedOptions parsed;
    QCommandLineParser parser;
    Describe(parser);
    if (!parser.parse(arguments)) {
        parsed.error = parser.errorText().toStdString() + " (see --help)";
        return parsed;
    }
    if (!parser.positionalArguments().isEmpty()) {
        parsed.error = "unexpected argument \"" + parser.positionalArguments().front().toStdString() + "\" (see --help)";
        return parsed;
    }
    const auto given = GivenOptions(parser);
    for (const auto& name : given) {
        const OptionSpec& option = FindOption(QString::fromStdString(name));
        parsed.error = option.apply(parsed.options, parser.value(option.names.back()).toStdString());
        if (!parsed.error.empty()) {
            return parsed;
        }
    }
    parsed.error = CheckCombination(parsed.options, given);
    return parsed;
}

std::string HelpText(const std::string& commands)
{
    QCommandLineParser parser;
    Describe(parser);
    parser.setApplicationDescription(
        QString::fromStdString("Renders a Pellora project without a window.\n\nCommands:\n" + commands).trimmed());
    return parser.helpText().toStdString() +
        "\nExit status:\n"
        "  0    done\n"
        "  1    failure (a message says why)\n"
        "  2    wrong command line\n"
        "  130  stopped by SIGINT (Ctrl-C), 143 by SIGTERM, 129 by SIGHUP: the video holds the frames so far;\n"
        "       a second signal stops at once and leaves no video\n";
}

} // namespace Pellora::Render
