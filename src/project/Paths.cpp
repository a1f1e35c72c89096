#include "Paths.h"

#include "TextConvert.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cerrno>
#include <random>
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

std::filesystem::path FollowLinks(std::filesystem::path path)
{
  // Forty hops, as the kernel allows, so a loop of links ends.
  for (int hop = 0; hop < 40; ++hop) {
    std::error_code error;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
      return path;
    }
    const std::filesystem::path link = std::filesystem::read_symlink(path, error);
    if (error) {
      return path;
    }
    path = link.is_absolute() ? link : path.parent_path() / link;
  }
  return path;
}

std::optional<std::filesystem::path> CreateSiblingFile(const std::filesystem::path& target, std::string_view suffix)
{
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = target.string() + ".";
    for (int i = 0; i < 8; ++i) {
      name += kLetters[random() % (sizeof kLetters - 1)];
    }
    name += "." + std::string(suffix);
    // Created like any new file, so the user's umask decides its permissions.
    const int descriptor = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor >= 0) {
      close(descriptor);
      return std::filesystem::path(name);
    }
    if (errno != EEXIST) {
      return std::nullopt;
    }
  }
  return std::nullopt;
}
