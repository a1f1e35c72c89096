#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A change of (x, y, z) spread linearly over t seconds; t = 0 takes effect at once. Rotations are
// in radians once parsed.
struct KeyFrame {
  float x = 0.0F;
  float y = 0.0F;
  float z = 0.0F;
  float t = 0.0F;
};

// One photo of a scripted collage. Times are seconds; the keyframes of one list run one after
// another from the photo's appearance.
struct BlurPhotoAniInfo {
  std::int32_t dim = 1024;  // carried, unused
  float scale = 1.0F;
  std::int32_t blur = 9;  // carried, unused
  float delay = 0.0F;  // from the collage's start to the photo's appearance
  float disappear = 10.0F;  // from the appearance to the disappearance
  float totaltime = 0.0F;  // carried, unused
  std::string comment;
  std::vector<KeyFrame> rotate;  // about the photo's own centre
  std::vector<KeyFrame> translate;
  std::vector<KeyFrame> translate_after;  // pivot offset before rotate_after
  std::vector<KeyFrame> rotate_after;  // about the scene origin
  std::vector<KeyFrame> translate_back;  // offset after rotate_after
};

using AnimationScript = std::vector<std::shared_ptr<BlurPhotoAniInfo>>;

// Parses the script text (key=value lines) into entries, appended to entries. Bad values and keys
// before the first "start" are skipped; an empty line ends the script. False only when reading
// the text itself failed, with the entries read so far kept.
bool ParseScript(std::string_view text, AnimationScript& entries);

// Parses the built-in script with the given number (340 to 343) afresh; nullopt when the program
// carries no such script.
std::optional<AnimationScript> LoadScript(int number);
