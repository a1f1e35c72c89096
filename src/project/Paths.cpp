#include "Paths.h"

#include "TextConvert.h"

#include <chrono>
#include <system_error>

std::filesystem::path ToPath(std::u16string_view path)
{
  return std::filesystem::path(Utf16ToUtf8(path));
}

std::u16string FromPath(const std::filesystem::path& path)
{
  return Utf8ToUtf16(path.native());
}

std::optional<std::u16string> JoinPath(std::u16string_view folder, std::u16string_view name)
{
  std::u16string joined;
  if (folder.empty() || (!name.empty() && name.front() == u'/')) {
    joined = name;
  } else {
    joined = folder;
    if (joined.back() != u'/') {
      joined += u'/';
    }
    joined += name;
  }
  if (joined.size() + 1 > kMaxPathChars) {
    return std::nullopt;
  }
  return joined;
}

bool IsExistingFile(std::u16string_view path)
{
  std::error_code error;
  return !path.empty() && std::filesystem::is_regular_file(ToPath(path), error);
}

bool IsExistingFolder(std::u16string_view path)
{
  std::error_code error;
  return !path.empty() && std::filesystem::is_directory(ToPath(path), error);
}

FileTimeHalves GetFileWriteTime(std::u16string_view path)
{
  std::error_code error;
  const auto written = std::filesystem::last_write_time(ToPath(path), error);
  if (error) {
    return {};
  }
  using Ticks = std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000>>;
  constexpr std::int64_t kUnixEpochTicks = 116'444'736'000'000'000;
  const auto sinceUnix = std::chrono::file_clock::to_sys(written).time_since_epoch();
  const auto ticks = static_cast<std::uint64_t>(
    std::chrono::duration_cast<Ticks>(sinceUnix).count() + kUnixEpochTicks);
  return {static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
}
