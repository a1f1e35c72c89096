#pragma once

#include <QString>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <utility>

namespace Pellora::Views {

// The export dialog's texts turned into export settings. Texts that do not convert fall back to
// fixed defaults, so the dialog never hands the encoder a nonsensical value.

// "640x480", "800x600", "1280x720", "1920x1080"; any other text: nullopt (the project keeps its size).
std::optional<std::pair<std::int32_t, std::int32_t>> ResolutionFromText(const QString& text);
// Leading decimal number; 0, negative or no number gives 30.
std::int32_t FpsFromText(const QString& text);
// "Default" and anything unknown give 0 (the encoder's choice), "1".."4" their number.
std::int32_t ThreadsFromText(const QString& text);
// 0 fastest .. 100 best quality; unknown texts give 0.
std::int32_t SpeedFromText(const QString& text);
// "Variable Bitrate" 1, "Constant Bitrate" 3, anything else ("Quality") 2.
std::int32_t RateModeFromText(const QString& text);
// Leading decimal number as strtol reads it; no number, out of range or not positive gives 4000000.
std::int32_t BitRateFromText(const QString& text);

// Whether the export may write its video at path.
enum class OutputCheck {
    AccessDenied = 0, // the file cannot be created (missing folder, no permission, a folder's name)
    InUse = 1,        // the file exists but cannot be opened for writing
    Usable = 2,
};
OutputCheck CheckOutputFile(const std::filesystem::path& path);
// The message for a check that failed.
QString OutputCheckMessage(OutputCheck result);

} // namespace Pellora::Views
