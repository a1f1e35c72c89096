#include "AnimationScript.h"

#include "CsvStream.h"
#include "NumberText.h"
#include "TextConvert.h"

#include <pellora_resources.h>

#include <array>
#include <utility>

namespace {

constexpr std::string_view kTrimSet = "\r\n\t ";
constexpr float kDegreesToRadians = 0.017453292F;

void ReadInt(const std::string& value, std::int32_t& field)
{
  if (const auto number = capi::csv::parse_int(value)) {
    field = *number;
  }
}

void ReadFloat(const std::string& value, float& field)
{
  if (const auto number = capi::csv::parse_float(value)) {
    field = *number;
  }
}

// Appends the keyframe x/y/z/t when all four convert; angles arrive in degrees.
void ReadKeyFrame(const std::string& value, std::vector<KeyFrame>& list, bool isRotation)
{
  capi::csv::istringstream fields(value);
  fields.set_delimiter('/', "#comma;");
  if (!fields.read_line()) {
    return;
  }
  std::array<float, 4> numbers{};
  for (float& number : numbers) {
    const auto parsed = capi::csv::parse_float(fields.next_token());
    if (!parsed) {
      return;
    }
    number = *parsed;
  }
  const float angle = isRotation ? kDegreesToRadians : 1.0F;
  list.push_back({numbers[0] * angle, numbers[1] * angle, numbers[2] * angle, numbers[3]});
}

void ApplyKey(BlurPhotoAniInfo& entry, const std::string& key, const std::string& value)
{
  if (key == "comment") {
    entry.comment = value;
  } else if (key == "blur") {
    ReadInt(value, entry.blur);
  } else if (key == "dim") {
    ReadInt(value, entry.dim);
  } else if (key == "delay") {
    ReadFloat(value, entry.delay);
  } else if (key == "totaltime") {
    ReadFloat(value, entry.totaltime);
  } else if (key == "disappear") {
    ReadFloat(value, entry.disappear);
  } else if (key == "scale") {
    ReadFloat(value, entry.scale);
  } else if (key == "rotate") {
    ReadKeyFrame(value, entry.rotate, true);
  } else if (key == "translate") {
    ReadKeyFrame(value, entry.translate, false);
  } else if (key == "translate_after") {
    ReadKeyFrame(value, entry.translate_after, false);
  } else if (key == "translate_back") {
    ReadKeyFrame(value, entry.translate_back, false);
  } else if (key == "rotate_after") {
    ReadKeyFrame(value, entry.rotate_after, true);
  }
}

}

bool ParseScript(std::string_view text, AnimationScript& entries)
{
  try {
    capi::csv::istringstream in{std::string(text)};
    in.set_delimiter('=', "#equal;");
    while (in.read_line()) {
      const std::string key = TrimChars(in.next_token(), kTrimSet);
      const std::string value = TrimChars(in.rest_of_line(), kTrimSet);
      if (key == "start") {
        entries.push_back(std::make_shared<BlurPhotoAniInfo>());
      } else if (key != "//" && !entries.empty()) {
        ApplyKey(*entries.back(), key, value);
      }
    }
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

std::optional<AnimationScript> LoadScript(int number)
{
  constexpr int kFirstScript = 340;
  constexpr int kLastScript = 343;
  // The same resource table holds pictures under other numbers; only scripts may be parsed.
  const auto bytes = number >= kFirstScript && number <= kLastScript
                       ? Pellora::Resources::Find(std::to_string(number))
                       : std::span<const unsigned char>();
  if (bytes.empty()) {
    return std::nullopt;
  }
  AnimationScript entries;
  ParseScript(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), entries);
  return entries;
}
