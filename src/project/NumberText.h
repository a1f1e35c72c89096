#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Number conversions for the project file and the animation scripts. They never consult the
// process locale, so a "," decimal separator in the user's regional settings cannot leak into
// files. Parsing follows the C library's strtol/strtoul/strtof rules (leading white space skipped,
// longest valid prefix converted, the rest ignored); nullopt means nothing converted or out of range.
namespace capi::csv {

std::optional<std::int32_t> parse_int(std::string_view text);
// A negative number does not convert: strtoul would wrap it to a huge count (a "-5" second show
// lasting a day).
std::optional<std::uint32_t> parse_uint(std::string_view text);
std::optional<float> parse_float(std::string_view text);

// printf "%f": six digits after the point.
std::string format_float(float value);

}
