#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Paths live in memory as UTF-16 text and become std::filesystem::path (UTF-8 bytes) only at the
// file-system call.
std::filesystem::path ToPath(std::u16string_view path);
std::u16string FromPath(const std::filesystem::path& path);

// Joined paths, in UTF-16 code units including the terminating zero, must fit this fixed buffer
// size; a longer join is a failure rather than a silently shortened path.
inline constexpr std::size_t kMaxPathChars = 1000;

// folder + "/" + name; name alone when it is absolute or folder is empty. nullopt when the result
// does not fit kMaxPathChars.
std::optional<std::u16string> JoinPath(std::u16string_view folder, std::u16string_view name);

// True for a regular file (or a link to one); false for folders, missing paths and errors.
bool IsExistingFile(std::u16string_view path);
bool IsExistingFolder(std::u16string_view path);

// The file's last-write time on the Windows file-time scale (100 ns ticks since 1601-01-01 UTC),
// split into halves as the project file stores it. Both halves are 0 when the file cannot be read.
struct FileTimeHalves {
  std::uint32_t Low = 0;
  std::uint32_t High = 0;
};
FileTimeHalves GetFileWriteTime(std::u16string_view path);

// The file a path finally names: symbolic links are followed, also when the last one dangles (then
// its target's path is returned). A path that is no link comes back unchanged.
std::filesystem::path FollowLinks(std::filesystem::path path);

// A new, empty file with a name of its own beside target ("<name>.<random>.<suffix>"), for writing a
// replacement that is renamed over target once complete; the umask sets its permissions. nullopt,
// with errno saying why, when the folder refuses it.
std::optional<std::filesystem::path> CreateSiblingFile(const std::filesystem::path& target,
  std::string_view suffix = "saving");

