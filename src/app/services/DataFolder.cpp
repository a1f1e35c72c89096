#include "app/services/DataFolder.h"

#include "project/Paths.h"
#include "project/TextConvert.h"

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <system_error>

namespace {

std::u16string FromEnvironment(const char* name)
{
  const char* value = std::getenv(name);
  return value == nullptr ? std::u16string() : Utf8ToUtf16(value);
}

// The base folder for user data: XDG_DATA_HOME when it is an absolute path (relative ones are
// invalid there and ignored), else ~/.local/share.
std::u16string UserDataHome()
{
  const std::u16string xdg = FromEnvironment("XDG_DATA_HOME");
  if (!xdg.empty() && xdg.front() == u'/') {
    return xdg;
  }
  const std::u16string home = FromEnvironment("HOME");
  if (home.empty()) {
    return {};
  }
  return JoinPath(home, u".local/share").value_or(std::u16string());
}

void CreateFolderIfMissing(const std::u16string& path)
{
  if (path.empty() || IsExistingFolder(path)) {
    return;
  }
  // A failure shows up at the first file operation inside the folder, which reports it.
  std::error_code ignored;
  std::filesystem::create_directories(ToPath(path), ignored);
}

}

std::u16string GetDataFolder()
{
  static std::mutex mutex;
  static std::u16string cached;
  const std::lock_guard lock(mutex);
  if (!cached.empty()) {
    return cached;
  }
  const std::u16string base = UserDataHome();
  if (base.empty()) {
    return {};
  }
  cached = JoinPath(base, u"Pellora").value_or(std::u16string());
  CreateFolderIfMissing(cached);
  return cached;
}

std::u16string GetThumbnailFolder()
{
  const auto folder = JoinPath(GetDataFolder(), u"thumbnail");
  if (!folder) {
    return {};
  }
  CreateFolderIfMissing(*folder);
  return *folder;
}
