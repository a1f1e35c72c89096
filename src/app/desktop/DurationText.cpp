#include "app/desktop/DurationText.h"

#include "project/NumberText.h"

#include <QStringList>

namespace Pellora::Desktop {

namespace {

constexpr std::int32_t kDefaultDuration = 30;

std::optional<std::int32_t> LeadingNumber(const QString& text)
{
    return capi::csv::parse_int(text.toStdString());
}

} // namespace

std::optional<QString> DurationDisplayText(const QString& seconds)
{
    const auto value = LeadingNumber(seconds);
    if (!value) {
        return std::nullopt;
    }
    if (*value < 60) {
        return QString::number(*value);
    }
    return QString::asprintf("%d:%02d", *value / 60, *value % 60);
}

std::int32_t DurationFromText(const QString& text)
{
    if (!LeadingNumber(text)) {
        return kDefaultDuration;
    }
    std::int64_t seconds = 0;
    const QStringList pieces = text.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (text.contains(QLatin1Char(':')) && pieces.size() >= 2) {
        seconds = std::int64_t{LeadingNumber(pieces.back()).value_or(0)}
            + 60 * std::int64_t{LeadingNumber(pieces[pieces.size() - 2]).value_or(0)};
    } else {
        seconds = LeadingNumber(text).value_or(0);
    }
    return seconds > 0 && seconds <= INT32_MAX ? static_cast<std::int32_t>(seconds) : kDefaultDuration;
}

QString ClockText(std::int64_t seconds)
{
    return QString::asprintf("%02lld:%02lld", static_cast<long long>(seconds / 60), static_cast<long long>(seconds % 60));
}

} // namespace Pellora::Desktop
