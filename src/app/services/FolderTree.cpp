#include "app/services/FolderTree.h"

#include "project/TextConvert.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct DirCloser {
  void operator()(DIR* dir) const { closedir(dir); }
};
using DirPtr = std::unique_ptr<DIR, DirCloser>;

// Opens the folder name inside parent without following a symbolic link at its place.
DirPtr OpenFolder(int parent, const char* name)
{
  const int fd = openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) {
    throw std::runtime_error("Could not start directory enumeration");
  }
  DirPtr dir(fdopendir(fd));
  if (!dir) {
    close(fd);
    throw std::runtime_error("Could not start directory enumeration");
  }
  return dir;
}

bool IsFolder(int parent, const char* name)
{
  struct stat info {};
  return fstatat(parent, name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode);
}

// Works relative to open folder handles, so deep trees are not limited by the length of a full
// path and a folder swapped for a link halfway through is never entered.
void RemoveTreeAt(int parent, const char* name)
{
  {
    const DirPtr dir = OpenFolder(parent, name);
    const int fd = dirfd(dir.get());
    while (true) {
      errno = 0;
      const dirent* entry = readdir(dir.get());
      if (entry == nullptr) {
        if (errno != 0) {
          throw std::runtime_error("Error enumerating directory");
        }
        break;
      }
      if (entry->d_name[0] == '.') {
        continue;
      }
      if (IsFolder(fd, entry->d_name)) {
        RemoveTreeAt(fd, entry->d_name);
      } else if (unlinkat(fd, entry->d_name, 0) != 0) {
        throw std::runtime_error("Could not delete file");
      }
    }
  }
  if (unlinkat(parent, name, AT_REMOVEDIR) != 0) {
    throw std::runtime_error("Could not remove directory");
  }
}

}

void RemoveFolderTree(const std::u16string& path)
{
  RemoveTreeAt(AT_FDCWD, Utf16ToUtf8(path).c_str());
}
