#include "TextConvert.h"

#include <cstdint>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t cp)
{
  auto put = [&out](unsigned value) { out.push_back(static_cast<char>(value)); };
  if (cp < 0x80) {
    put(cp);
  } else if (cp < 0x800) {
    put(0xC0 | (cp >> 6));
    put(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    put(0xE0 | (cp >> 12));
    put(0x80 | ((cp >> 6) & 0x3F));
    put(0x80 | (cp & 0x3F));
  } else {
    put(0xF0 | (cp >> 18));
    put(0x80 | ((cp >> 12) & 0x3F));
    put(0x80 | ((cp >> 6) & 0x3F));
    put(0x80 | (cp & 0x3F));
  }
}

void AppendUtf16(std::u16string& out, char32_t cp)
{
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
    return;
  }
  cp -= 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

bool IsHighSurrogate(char16_t unit)
{
  return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit)
{
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Length of the sequence a lead byte starts and the allowed range of its first continuation byte,
// which rules out overlong forms, surrogates and values above U+10FFFF. Length 0: not a lead byte.
struct LeadByte {
  int length;
  unsigned char low;
  unsigned char high;
};

LeadByte ClassifyLead(unsigned char byte)
{
  if (byte >= 0xC2 && byte <= 0xDF) {
    return {2, 0x80, 0xBF};
  }
  if (byte == 0xE0) {
    return {3, 0xA0, 0xBF};
  }
  if (byte == 0xED) {
    return {3, 0x80, 0x9F};
  }
  if (byte >= 0xE1 && byte <= 0xEF) {
    return {3, 0x80, 0xBF};
  }
  if (byte == 0xF0) {
    return {4, 0x90, 0xBF};
  }
  if (byte >= 0xF1 && byte <= 0xF3) {
    return {4, 0x80, 0xBF};
  }
  if (byte == 0xF4) {
    return {4, 0x80, 0x8F};
  }
  return {0, 0, 0};
}

// Decodes one code point at pos and advances pos past it; an invalid run (its maximal valid
// prefix) becomes a single U+FFFD.
char32_t DecodeUtf8(std::string_view text, std::size_t& pos)
{
  const auto lead = static_cast<unsigned char>(text[pos++]);
  if (lead < 0x80) {
    return lead;
  }
  const LeadByte info = ClassifyLead(lead);
  if (info.length == 0) {
    return kReplacement;
  }
  char32_t cp = lead & (0xFF >> (info.length + 1));
  for (int i = 1; i < info.length; ++i) {
    if (pos >= text.size()) {
      return kReplacement;
    }
    const auto byte = static_cast<unsigned char>(text[pos]);
    const unsigned char low = i == 1 ? info.low : 0x80;
    const unsigned char high = i == 1 ? info.high : 0xBF;
    if (byte < low || byte > high) {
      return kReplacement;
    }
    cp = (cp << 6) | (byte & 0x3F);
    ++pos;
  }
  return cp;
}

}

std::string Utf16ToUtf8(std::u16string_view text)
{
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      AppendUtf8(out, kReplacement);
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

std::u16string Utf8ToUtf16(std::string_view text)
{
  std::u16string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    AppendUtf16(out, DecodeUtf8(text, pos));
  }
  return out;
}

std::string TrimChars(std::string_view text, std::string_view set)
{
  const auto first = text.find_first_not_of(set);
  if (first == std::string_view::npos) {
    return std::string(text);
  }
  const auto last = text.find_last_not_of(set);
  return std::string(text.substr(first, last - first + 1));
}
