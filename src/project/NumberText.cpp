#include "NumberText.h"

#include <cctype>
#include <charconv>
#include <limits>

namespace capi::csv {
namespace {

bool IsCSpace(char ch)
{
  return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

bool IsDigit(char ch)
{
  return ch >= '0' && ch <= '9';
}

bool IsHexDigit(char ch)
{
  return std::isxdigit(static_cast<unsigned char>(ch)) != 0;
}

struct SignedText {
  bool negative = false;
  std::string_view digits;
};

SignedText SkipSpaceAndSign(std::string_view text)
{
  std::size_t pos = 0;
  while (pos < text.size() && IsCSpace(text[pos])) {
    ++pos;
  }
  SignedText result;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    result.negative = text[pos] == '-';
    ++pos;
  }
  result.digits = text.substr(pos);
  return result;
}

// The magnitude of the leading decimal digits; nullopt when there are none or it exceeds limit.
std::optional<std::uint64_t> ParseMagnitude(std::string_view digits, std::uint64_t limit)
{
  if (digits.empty() || !IsDigit(digits.front())) {
    return std::nullopt;
  }
  std::uint64_t value = 0;
  for (char ch : digits) {
    if (!IsDigit(ch)) {
      break;
    }
    value = value * 10 + static_cast<std::uint64_t>(ch - '0');
    if (value > limit) {
      return std::nullopt;
    }
  }
  return value;
}

bool StartsHexFloat(std::string_view digits)
{
  if (digits.size() < 3 || digits[0] != '0' || (digits[1] != 'x' && digits[1] != 'X')) {
    return false;
  }
  return IsHexDigit(digits[2]) || (digits[2] == '.' && digits.size() > 3 && IsHexDigit(digits[3]));
}

}

std::optional<std::int32_t> parse_int(std::string_view text)
{
  const SignedText parts = SkipSpaceAndSign(text);
  const std::uint64_t limit = parts.negative ? 2147483648ULL : 2147483647ULL;
  const auto magnitude = ParseMagnitude(parts.digits, limit);
  if (!magnitude) {
    return std::nullopt;
  }
  const auto value = static_cast<std::int64_t>(*magnitude);
  return static_cast<std::int32_t>(parts.negative ? -value : value);
}

std::optional<std::uint32_t> parse_uint(std::string_view text)
{
  const SignedText parts = SkipSpaceAndSign(text);
  const auto magnitude = ParseMagnitude(parts.digits, std::numeric_limits<std::uint32_t>::max());
  if (!magnitude || (parts.negative && *magnitude != 0)) {
    return std::nullopt;
  }
  return static_cast<std::uint32_t>(*magnitude);
}

std::optional<float> parse_float(std::string_view text)
{
  const SignedText parts = SkipSpaceAndSign(text);
  std::string_view body = parts.digits;
  // from_chars takes a sign of its own; strtof never accepts a second one.
  if (!body.empty() && (body.front() == '-' || body.front() == '+')) {
    return std::nullopt;
  }
  auto format = std::chars_format::general;
  if (StartsHexFloat(body)) {
    body.remove_prefix(2);
    format = std::chars_format::hex;
  }
  float value = 0.0F;
  const auto [end, error] = std::from_chars(body.data(), body.data() + body.size(), value, format);
  if (error != std::errc() || end == body.data()) {
    return std::nullopt;
  }
  return parts.negative ? -value : value;
}

std::string format_float(float value)
{
  // FLT_MAX needs 39 digits before the point; 64 bytes always fit.
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
  return std::string(buffer, result.ptr);
}

}
