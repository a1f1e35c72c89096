// Any bytes as an animation script: parsing must end without a crash, a hang or a sanitizer report.
#include "project/AnimationScript.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  AnimationScript entries;
  ParseScript(std::string_view(reinterpret_cast<const char*>(data), size), entries);
  return 0;
}
