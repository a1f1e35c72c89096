#include "views/EncoderSettings.h"

#include "project/NumberText.h"

#include <array>
#include <cstdio>
#include <system_error>

namespace Pellora::Views {

namespace {

std::optional<std::int32_t> LeadingNumber(const QString& text)
{
    return capi::csv::parse_int(text.toStdString());
}

struct NamedValue {
    const char* text;
    std::int32_t value;
};

std::int32_t Lookup(const QString& text, const auto& table, std::int32_t otherwise)
{
    for (const NamedValue& entry : table) {
        if (text == QLatin1String(entry.text)) {
            return entry.value;
        }
    }
    return otherwise;
}

} // namespace

std::optional<std::pair<std::int32_t, std::int32_t>> ResolutionFromText(const QString& text)
{
    static constexpr std::array<std::pair<const char*, std::pair<std::int32_t, std::int32_t>>, 4> kSizes{{
        {"640x480", {640, 480}},
        {"800x600", {800, 600}},
        {"1280x720", {1280, 720}},
        {"1920x1080", {1920, 1080}},
    }};
    for (const auto& [name, size] : kSizes) {
        if (text == QLatin1String(name)) {
            return size;
        }
    }
    return std::nullopt;
}

std::int32_t FpsFromText(const QString& text)
{
    const std::int32_t fps = LeadingNumber(text).value_or(0);
    return fps > 0 ? fps : 30;
}

std::int32_t ThreadsFromText(const QString& text)
{
    static constexpr std::array<NamedValue, 5> kThreads{{{"Default", 0}, {"1", 1}, {"2", 2}, {"3", 3}, {"4", 4}}};
    return Lookup(text, kThreads, 0);
}

std::int32_t SpeedFromText(const QString& text)
{
    static constexpr std::array<NamedValue, 7> kSpeeds{{
        {"Equal Speed/Quality", 50},
        {"Fastest Speed", 0},
        {"Faster Speed", 20},
        {"Fast Speed", 40},
        {"Good Quality", 60},
        {"Better Quality", 80},
        {"Best Quality", 100},
    }};
    return Lookup(text, kSpeeds, 0);
}

std::int32_t RateModeFromText(const QString& text)
{
    static constexpr std::array<NamedValue, 2> kModes{{{"Variable Bitrate", 1}, {"Constant Bitrate", 3}}};
    return Lookup(text, kModes, 2);
}

std::int32_t BitRateFromText(const QString& text)
{
    const std::int32_t rate = LeadingNumber(text).value_or(0);
    return rate > 0 ? rate : 4000000;
}

OutputCheck CheckOutputFile(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        std::FILE* created = std::fopen(path.c_str(), "wb+");
        if (created == nullptr) {
            return OutputCheck::AccessDenied;
        }
        std::fclose(created);
        std::filesystem::remove(path, error);
        return OutputCheck::Usable;
    }
    std::FILE* existing = std::fopen(path.c_str(), "ab+");
    if (existing == nullptr) {
        return OutputCheck::InUse;
    }
    std::fclose(existing);
    return OutputCheck::Usable;
}

QString OutputCheckMessage(OutputCheck result)
{
    return result == OutputCheck::InUse
        ? QStringLiteral("This file is opened in another application!\nIt cannot be saved!\nChoose another file!")
        : QStringLiteral("Access denied!\nIt cannot be saved!\nChoose another file!");
}

} // namespace Pellora::Views
