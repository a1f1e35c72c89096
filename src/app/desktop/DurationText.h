#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace Pellora::Desktop {

// How the duration box shows a number of seconds: the number below 60, "m:ss" from 60 on
// (90 shows as "1:30"); nullopt when the text is not a number.
std::optional<QString> DurationDisplayText(const QString& seconds);

// Seconds for a duration text: its leading number, or with ":" the last piece plus 60 times the
// piece before it. A text that does not start with a number, and a result of 0 or less, give 30.
std::int32_t DurationFromText(const QString& text);

// "mm:ss" for the time labels.
QString ClockText(std::int64_t seconds);

} // namespace Pellora::Desktop
